#pragma once

#include <string>
#include <vector>

namespace lirava::check {

// Findings a book has on purpose, which lirava-check reports as expected instead of failing.
// A text file, one finding a line: where (a page number, "settings" or "reader"), the finding's
// code and, for codes that name something, that name:
//
//   # The missing caption of page 7 is a fixture of the tests.
//   7 missing-caption str072
//   44 no-sentences
//
// Blank lines and lines starting with "#" are skipped.
class AllowList {
public:
    struct Entry {
        std::string scope;
        std::string code;
        std::string detail;
        int line = 0;
        bool used = false;
    };

    // Reads the file; a file that does not exist is an empty list. False with a reason for a
    // line that is not of the form above.
    bool load(const std::string& path, std::string& error);
    void add(const std::string& scope, const std::string& code, const std::string& detail);

    // True when an entry names this finding (and marks the entry used).
    bool allows(const std::string& scope, const std::string& code, const std::string& detail);

    const std::vector<Entry>& entries() const { return m_entries; }
    const std::string& path() const { return m_path; }

private:
    std::vector<Entry> m_entries;
    std::string m_path;
};

}  // namespace lirava::check
