#include "app/reader/TestLayer1.h"

#include "app/reader/TestLayer2.h"

namespace lirava {

namespace {

constexpr PageTwin kTwin = {
    /*sceneNumber=*/1,
    /*captionZOrder=*/10000,
    /*menuZOrder=*/3,
    /*addsWidgetLayerFirst=*/false,
    /*logsAutoPlayResume=*/true,
    /*logsPlacedCaption=*/true,
};

}  // namespace

TestLayer1::TestLayer1() : PageLayer(kTwin) {}

PageLayer* TestLayer1::createPage() {
    TestLayer1* page = new TestLayer1();
    if (!page->init()) {
        page->release();
        return nullptr;
    }
    return page;
}

PageLayer::PageMaker TestLayer1::twinMaker() const {
    return &TestLayer2::createPage;
}

}  // namespace lirava
