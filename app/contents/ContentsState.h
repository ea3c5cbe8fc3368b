#pragma once

#include "engine/base/CCGeometry.h"

namespace lirava {

// The home screen and the unit page list share these for the whole run (never saved, main
// thread only).
namespace contents {

constexpr int kUnitCount = 9;
// The ninth unit: the word list, which shows fixed entries instead of one item per page.
constexpr int kWordListUnit = 8;
// Menu items carry their index in their z-order, counted from this base.
constexpr int kItemZOrderBase = 10000;

struct PageRange {
    int first;
    int last;
};

// First and last page of each unit, in home-menu order.
constexpr PageRange kUnitPageRanges[kUnitCount] = {
    {2, 13}, {14, 25}, {26, 37}, {38, 43}, {44, 55}, {56, 67}, {68, 79}, {80, 85}, {86, 95},
};

// Labels of the first eight units; the word list takes its label from the string table.
constexpr const char* kUnitNames[kUnitCount - 1] = {
    "Unit 1", "Unit 2", "Unit 3", "Recycle 1", "Unit 4", "Unit 5", "Unit 6", "Recycle 2",
};

// The pages the word list's entries open, in entry order.
constexpr int kWordListEntryCount = 6;
constexpr int kWordListPages[kWordListEntryCount] = {86, 88, 90, 92, 93, 94};

// The unit chosen on the home screen, 0 to 8.
inline int currentUnit = 0;
// The chosen unit's pages; computed from unit 0 at start and again by every unit page list.
inline int unitFirstPage = kUnitPageRanges[0].first;
inline int unitLastPage = kUnitPageRanges[0].last;
inline int unitPageCount = kUnitPageRanges[0].last - kUnitPageRanges[0].first + 1;

// Saved scroll positions: of the home menu, and of the page list (one for all units).
inline CCPoint homeMenuOffset;
inline CCPoint pageMenuOffset;

inline bool isValidUnit(int unit) {
    return unit >= 0 && unit < kUnitCount;
}

// Fills unitFirstPage, unitLastPage and unitPageCount from a unit's row. A unit outside 0..8
// has no row; it takes unit 0's rather than reading past the table.
inline void selectUnitPages(int unit) {
    const PageRange& range = kUnitPageRanges[isValidUnit(unit) ? unit : 0];
    unitFirstPage = range.first;
    unitLastPage = range.last;
    unitPageCount = range.last - range.first + 1;
}

// Back to the values at process start (tests).
inline void reset() {
    currentUnit = 0;
    selectUnitPages(0);
    homeMenuOffset = CCPoint();
    pageMenuOffset = CCPoint();
}

}  // namespace contents
}  // namespace lirava
