#pragma once

#include <map>
#include <string>
#include <vector>

namespace lirava::make {

// One sentence of a page: its text (the book's own caption), an optional recording of it alone
// and its captions in other languages, keyed by language tag.
struct SentenceEntry {
    std::string text;
    std::string recording;  // absolute path, or empty
    std::map<std::string, std::string> captions;
    std::string where;  // "FILE:LINE:COLUMN" of the sentence, for messages
};

struct PageEntry {
    std::string picture;    // absolute path
    std::string recording;  // the whole page in one take: absolute path, or empty
    std::vector<SentenceEntry> sentences;
    std::string where;
};

struct UnitEntry {
    std::string title;
    std::vector<PageEntry> pages;
    std::string where;
};

struct Manifest {
    std::string title;
    std::string language = "en";  // the narration's language: espeak-ng's voice for it
    std::string voice;            // an espeak-ng voice name; empty means the language's
    int textSize = 30;            // of the sentences on the page, in design units
    std::vector<UnitEntry> units;
};

// Reads a manifest. Paths in it are taken relative to the manifest's folder. On failure returns
// false with one message in `error` that names the file, line and column.
bool loadManifest(const std::string& path, Manifest& manifest, std::string& error);

}  // namespace lirava::make
