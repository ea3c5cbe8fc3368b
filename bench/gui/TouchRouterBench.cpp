// The touch router on a tree of 1,000 widgets: ten panels of 99 buttons in a root panel, laid
// out in a grid. A touch that selects the top-most widget, one that selects the first (searched
// last), and one on empty ground (a search of the whole tree), each began and ended.
//   bench/gui_bench --benchmark_filter=TouchRouter
#include "bench/BenchSupport.h"
#include "engine/base/CCAutoreleasePool.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UILayer.h"
#include "gui/widgets/UIRootWidget.h"
#include "gui/widgets/UITouchRouter.h"

namespace lirava::bench {
namespace {

constexpr int kPanels = 10;
constexpr int kButtonsPerPanel = 99;

// Buttons of 16 x 24 in three rows of 33 per panel; panels in a column, all inside 640 x 960,
// leaving the strip x >= 600 empty. Only the buttons take touches, so a miss searches them all.
UILayer* thousandWidgetLayer() {
    UILayer* layer = UILayer::create();
    Layout* root = Layout::create();
    root->setSize(CCSize(640, 960));
    for (int p = 0; p < kPanels; ++p) {
        Layout* panel = Layout::create();
        panel->setSize(CCSize(600, 90));
        panel->setPosition(CCPoint(0, 90.0f * p));
        for (int b = 0; b < kButtonsPerPanel; ++b) {
            UIButton* button = UIButton::create();
            button->setTouchEnabled(true);
            button->setIgnoreSize(false);
            button->setSize(CCSize(16, 24));
            button->setAnchorPoint(CCPoint(0, 0));
            button->setPosition(CCPoint(2.0f + 18.0f * static_cast<float>(b % 33), 2.0f + 28.0f * static_cast<float>(b / 33)));
            panel->addChild(button);
        }
        root->addChild(panel);
    }
    layer->getRootWidget()->addChild(root);
    return layer;
}

void touch(benchmark::State& state, const CCPoint& point, bool hits) {
    headlessDirector();
    CCPoolManager::sharedPoolManager()->push();
    UILayer* layer = thousandWidgetLayer();
    layer->retain();
    UITouchRouter* router = layer->getTouchRouter();
    if (router->touchBegan(point) != hits) {
        state.SkipWithError(hits ? "the touch selected no widget" : "the touch selected a widget");
    }
    router->touchEnded(point);
    for (auto _ : state) {
        benchmark::DoNotOptimize(router->touchBegan(point));
        router->touchEnded(point);
    }
    layer->release();
    CCPoolManager::sharedPoolManager()->pop();
}

void TouchRouterTopMost(benchmark::State& state) {
    touch(state, CCPoint(2.0f + 18.0f * 32 + 5.0f, 90.0f * 9 + 2.0f + 28.0f * 2 + 5.0f), true);
}
BENCHMARK(TouchRouterTopMost);

void TouchRouterFirstButton(benchmark::State& state) {
    touch(state, CCPoint(5.0f, 5.0f), true);
}
BENCHMARK(TouchRouterFirstButton);

void TouchRouterMiss(benchmark::State& state) {
    touch(state, CCPoint(620.0f, 480.0f), false);
}
BENCHMARK(TouchRouterMiss);

}  // namespace
}  // namespace lirava::bench
