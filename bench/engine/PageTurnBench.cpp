// Frame cost of a page-curl transition on the headless software renderer at 640 x 960.
// Budget: 8 ms a frame. Run: build with -DLIRAVA_BUILD_BENCH=ON, then
//   SDL_AUDIODRIVER=dummy ./bench/engine_bench --benchmark_filter=PageTurn
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench/BenchSupport.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/nodes/CCLayerColor.h"
#include "engine/nodes/CCScene.h"
#include "engine/nodes/CCSprite.h"
#include "engine/platform/CCDirector.h"
#include "engine/transitions/CCTransitionPageTurn.h"

namespace lirava::bench {
namespace {

// A scene like a page: a full-screen picture and a few dozen small ones over a background.
CCScene* pageScene(int page) {
    CCScene* scene = CCScene::create();
    scene->addChild(CCLayerColor::create(ccc4(250, 245, 230, 255)));
    char name[64];
    std::snprintf(name, sizeof name, "Images/pages/p%03d.jpg", page);
    if (CCSprite* picture = CCSprite::create(name)) {
        picture->setPosition(ccp(320, 480));
        scene->addChild(picture);
    }
    for (int i = 0; i < 30; ++i) {
        if (CCSprite* button = CCSprite::create("Images/bnren1.png")) {
            button->setPosition(ccp(40.0f + 60.0f * (i % 10), 200.0f + 80.0f * (i / 10)));
            scene->addChild(button);
        }
    }
    return scene;
}

void PageTurnFrame(benchmark::State& state) {
    CCDirector* director = headlessDirector();
    director->runWithScene(pageScene(2));
    director->mainLoop(1.0 / 60.0);

    const bool backwards = state.range(0) != 0;
    int page = 3;
    int frameInTurn = 0;
    for (auto _ : state) {
        if (frameInTurn == 0) {
            // Start a turn outside the timing: building the page is not part of the curl.
            state.PauseTiming();
            director->replaceScene(CCTransitionPageTurn::create(0.5f, pageScene(page), backwards));
            director->mainLoop(1.0 / 60.0);
            page = page < 20 ? page + 1 : 3;
            state.ResumeTiming();
        }
        director->mainLoop(1.0 / 60.0);
        frameInTurn = (frameInTurn + 1) % 28;  // stay inside the 30 frames of the curl
    }
    CCDirector::purgeDirector();
    CCPoolManager::sharedPoolManager()->drainAll();
}
BENCHMARK(PageTurnFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same pages without a transition, for comparison.
void PageFrame(benchmark::State& state) {
    CCDirector* director = headlessDirector();
    director->runWithScene(pageScene(2));
    director->mainLoop(1.0 / 60.0);
    for (auto _ : state) {
        director->mainLoop(1.0 / 60.0);
    }
    CCDirector::purgeDirector();
    CCPoolManager::sharedPoolManager()->drainAll();
}
BENCHMARK(PageFrame)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
}  // namespace lirava::bench
