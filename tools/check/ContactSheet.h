#pragma once

#include <iosfwd>

namespace lirava {
class Image;
}

namespace lirava::check {

// Where everything goes on a contact sheet: one cell per page, a thumbnail with a band for the
// page number below it, ten cells a row (fewer when there are fewer pages), with a margin of
// kGap around every cell.
struct SheetLayout {
    static constexpr int kThumbnailWidth = 160;
    static constexpr int kThumbnailHeight = 240;
    static constexpr int kLabelHeight = 28;
    static constexpr int kGap = 8;
    static constexpr int kMaxColumns = 10;

    int cells = 0;
    int columns = 0;
    int rows = 0;

    // No cells give an empty layout (zero by zero).
    static SheetLayout forCells(int cells);
    int width() const;
    int height() const;
    // Top-left corner of the thumbnail of cell i (0 first, row by row).
    int thumbnailX(int cell) const;
    int thumbnailY(int cell) const;
};

// Renders the pages firstPage to lastPage as the reader shows each of them once it is built
// (opened from the page list: no transition, nothing read yet) and lays them out on one sheet,
// page numbers below. Needs the director with a renderer whose frame is the design size (the
// headless frame) and the book as the resource root. Writes one progress line per page. False
// when a page could not be drawn or read back.
bool renderContactSheet(int firstPage, int lastPage, Image& sheet, std::ostream& progress);

// lirava-check --contact-sheet FILE.png [--resources DIR]: every page of the book on one sheet,
// written as PNG. Progress goes to err, a summary line to out. Exit status 0 when the sheet was
// written, 1 when it could not be made or written, 2 for bad arguments or a missing folder.
int runContactSheet(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace lirava::check
