#pragma once

#include <string>

namespace lirava {

// How a page's sentences are named in the book's files. Sentence i of page p is the button
// "bn" p i of the page document, the caption "str" p i of "Stringstr.xml" and the narration
// "mc" p i ".mp3", stored as "epc/" + MD5 of that name + ".mp3". Below page 10 each prefix
// carries a zero ("bn051"). Numbers are written in decimal without padding, so sentence 12 of
// page 5 is "bn0512".
//
// A sentence button carries its key in its action tag: p x 10 + i for i < 10, p x 100 + i from
// 10 on, which is p and i written one after the other. The touch path names a sentence from
// that key, auto-play from p and i; both give the same names.
namespace sentence {

// Page bounds of the book and the sentence indices a page is searched for.
constexpr int kFirstPage = 2;
constexpr int kLastPage = 96;
constexpr int kFirstIndex = 1;
constexpr int kLastIndex = 29;
// Word-list pages: their sentence buttons are picture cards that keep the document's images.
constexpr int kFirstWordPage = 86;
constexpr int kLastWordPage = 95;

inline bool isWordPage(int page) {
    return page >= kFirstWordPage && page <= kLastWordPage;
}

// The key a sentence button carries in its action tag.
int keyFor(int page, int index);
// The index after the sentence whose key this is (what auto-play reads next after it).
int indexAfterKey(int page, int key);

std::string buttonName(int page, int index);
std::string textKey(int page, int index);
std::string narrationName(int page, int index);
// Key of the page's hint line in the caption tables of other languages: "hint" p, with the
// zero below page 10 ("hint02").
std::string hintKey(int page);

// The same names formed from a button's key, as the touch path does.
std::string textKeyForKey(int page, int key);
std::string narrationNameForKey(int page, int key);

// The file of a logical narration name: "epc/" + MD5 hex of the whole name + ".mp3".
std::string narrationPath(const std::string& logicalName);

// The page document's resource name, "english5down/english5down_<page>.json".
std::string pageDocument(int page);

}  // namespace sentence
}  // namespace lirava
