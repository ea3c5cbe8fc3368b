#pragma once

#include "app/reader/PageLayer.h"

namespace lirava {

// The page layer that turns from a TestLayer1 page build (and every turn made by auto-play).
// Its widget layer is added before anything else, its caption sits at z-order 2 and its menu at
// 1; it logs as "Scene 2".
//
// Made with new and init() (or createPage): the maker owns the one reference.
class TestLayer2 : public PageLayer {
public:
    TestLayer2();
    // A new, initialised TestLayer2 page for book::currentPage, with one reference; null if its
    // initialiser failed.
    static PageLayer* createPage();

protected:
    // Turns from here build TestLayer1 pages.
    PageMaker twinMaker() const override;
};

}  // namespace lirava
