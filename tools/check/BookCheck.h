#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace lirava::check {

class AllowList;

// Something wrong (or deliberately missing) in a book. scope is a page number, "settings" or
// "reader"; code says what kind of finding it is; detail names the thing (a caption key, an
// image, a class), empty for codes that need no name.
//
// Codes: missing-document, unparsed-document, large-document, no-tree, unknown-class,
// wrong-kind, out-of-range, missing-image, bad-image, missing-sheet, bad-sheet, bad-frame,
// missing-frame, not-a-button, missing-caption, long-caption, bad-caption, bad-character, missing-glyph, missing-narration,
// bad-narration, sentence-gap, no-sentences, unread-sentence, missing-setting, missing-string,
// bad-language-tag (a caption table "Stringstr.<tag>.xml" whose tag is not BCP 47),
// missing-translation (detail "<tag>:<key>": a key of Stringstr.xml that a table lacks).

// and for the word timings beside a track: large-labels, malformed-label, backward-label,
// overlapping-label, label-mismatch, label-outside-track.
struct Finding {
    std::string scope;
    std::string code;
    std::string detail;
    // Listed in the book's allow list: reported, but not a failure.
    bool expected = false;
    // What is wrong, in a few words, where the code alone does not say ("empty file", "cannot be
    // decoded"). Printed after the detail; allow lists do not match on it.
    std::string why = std::string();
};

// One row of the table: a page document or the settings document.
struct DocumentReport {
    std::string scope;
    std::string document;
    // "ok", "missing", "unparsed" (read, but not all of it parsed) or "no tree".
    std::string tree = "ok";
    int sentences = 0;
    int captions = 0;
    int narrations = 0;
    int images = 0;
    int imagesFound = 0;
    std::vector<Finding> findings;
};

struct BookReport {
    std::string resources;
    std::vector<DocumentReport> documents;
    // The reader's own resources (string tables, control images); no row of its own.
    std::vector<Finding> readerFindings;
    // Allow-list entries that matched nothing: the book changed, or the list is out of date.
    std::vector<std::string> staleAllowances;

    int problems() const;
    int expected() const;
};

// Checks the book at the engine's resource root: pages 2 to 96 and the settings document, each
// read through the program's own document reader with fresh document singletons and an empty
// sprite-frame cache, as a page opened from the contents list would be. Findings named in allow
// are marked expected.
BookReport checkBook(AllowList& allow);

// The per-page table, the findings and a summary line.
void printBookReport(const BookReport& report, std::ostream& out);

// lirava-check's command line without --document: [--resources DIR] [--allow FILE]. The allow
// list defaults to check-allow.txt in the resource folder. Returns 0 when the book is clean
// apart from expected findings, 1 when it has problems, 2 for bad arguments.
int runBookCheck(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace lirava::check
