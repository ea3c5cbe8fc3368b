#pragma once

#include <csignal>
#include <string>
#include <vector>

#include "tools/make/Manifest.h"

namespace lirava::make {

// What a run made, for the maker's report.
struct MakeReport {
    int pages = 0;
    int sentences = 0;
    // "page P, sentence I: TEXT" of every sentence that espeak-ng speaks.
    std::vector<std::string> synthetic;
    // "page P: one take cut at S s, ..." of every page recorded in one take.
    std::vector<std::string> splits;
};

// Writes a whole book folder from a manifest. Checks everything it can before writing anything
// (pictures, recordings, whether each page's sentences fit) and reports every problem at once.
class BookMaker {
public:
    BookMaker(const Manifest& manifest, std::string sampleBook);
    // `problems` gets one message a line; false when there is any.
    bool check(std::vector<std::string>& problems);
    // `stop` is polled between pages and sentences; when it turns true the run ends unfinished.
    bool make(const std::string& folder, MakeReport& report, std::string& error,
              const volatile std::sig_atomic_t* stop = nullptr);

private:
    const Manifest& m_manifest;
    std::string m_sampleBook;
};

}  // namespace lirava::make
