#pragma once

#include "app/reader/PageLayer.h"

namespace lirava {

// The page layer that the unit page list and the settings screen open, and that every turn from
// a TestLayer2 page builds. Its caption sits at z-order 10000 and its menu at 3; it logs as
// "Scene 1".
//
// Made with new and init() (or createPage): the maker owns the one reference.
class TestLayer1 : public PageLayer {
public:
    TestLayer1();
    // A new, initialised TestLayer1 page for book::currentPage, with one reference; null if its
    // initialiser failed.
    static PageLayer* createPage();

protected:
    // Turns from here build TestLayer2 pages.
    PageMaker twinMaker() const override;
};

}  // namespace lirava
