#pragma once

#include "engine/nodes/CCLayer.h"

namespace lirava {

// Stand-in for the page layer until the book reader is built: an empty page with a main-page
// item back to the home screen. It logs its four stage hooks like the real page layer.
//
// Made with new and init(): the maker owns the one reference.
class TestLayer1 : public CCLayer {
public:
    bool init() override;

    void onEnter() override;
    void onEnterTransitionDidFinish() override;
    void onExit() override;
    void onExitTransitionDidStart() override;

    // Menu callback of the main-page item.
    void showMainPage(CCObject* sender);
};

}  // namespace lirava
