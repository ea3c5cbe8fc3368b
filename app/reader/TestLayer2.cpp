#include "app/reader/TestLayer2.h"

#include "app/reader/TestLayer1.h"

namespace lirava {

namespace {

constexpr PageTwin kTwin = {
    /*sceneNumber=*/2,
    /*captionZOrder=*/2,
    /*menuZOrder=*/1,
    /*addsWidgetLayerFirst=*/true,
    /*logsAutoPlayResume=*/false,
    /*logsPlacedCaption=*/false,
};

}  // namespace

TestLayer2::TestLayer2() : PageLayer(kTwin) {}

PageLayer* TestLayer2::createPage() {
    TestLayer2* page = new TestLayer2();
    if (!page->init()) {
        page->release();
        return nullptr;
    }
    return page;
}

PageLayer::PageMaker TestLayer2::twinMaker() const {
    return &TestLayer1::createPage;
}

}  // namespace lirava
