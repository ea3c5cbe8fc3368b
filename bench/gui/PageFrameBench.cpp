// Headless frames (scheduler, actions, drawing on the software renderer at 640 x 960) of pages
// read from the sample book, alone and during the two scene transitions the reader uses.
// Budgets: p99 4 ms for a page, 8 ms during a page curl.
//   bench/gui_bench --benchmark_filter=Frame
// Counters: p50_ms, p99_ms, max_ms over every frame timed.
#include <vector>

#include "bench/BenchSupport.h"
#include "bench/gui/GuiBenchSupport.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/transitions/CCTransitionPageTurn.h"
#include "engine/transitions/CCTransitionZoomFlipY.h"

namespace lirava::bench {
namespace {

constexpr double kFrame = 1.0 / 60.0;

// Pages of every kind: a picture panel with sentences, an image-view picture, sheet frames with
// animations, a page without sentences, a word-list page of sheet cards, one of file cards.
const int kTypicalPages[] = {3, 5, 2, 20, 44, 86, 91};

double timedFrame(CCDirector* director) {
    const Clock::time_point start = Clock::now();
    director->mainLoop(kFrame);
    return millisecondsSince(start);
}

void finish(CCDirector* director) {
    CCDirector::purgeDirector();
    dropDocumentSingletons();
    CCPoolManager::sharedPoolManager()->drainAll();
    (void)director;
}

void PageFrame(benchmark::State& state) {
    CCDirector* director = headlessDirector();
    std::vector<double> frames;
    std::size_t next = 0;
    int frameOnPage = 0;
    for (auto _ : state) {
        if (frameOnPage == 0) {
            // A new page every 60 frames; its first frames (uploads) are timed like any other.
            state.PauseTiming();
            CCScene* scene = pageScene(kTypicalPages[next++ % std::size(kTypicalPages)]);
            if (director->getRunningScene()) {
                director->replaceScene(scene);
            } else {
                director->runWithScene(scene);
            }
            dropDocumentSingletons();
            state.ResumeTiming();
        }
        frames.push_back(timedFrame(director));
        frameOnPage = (frameOnPage + 1) % 60;
    }
    reportFrameTimes(state, frames);
    finish(director);
}
BENCHMARK(PageFrame)->Iterations(1200)->Unit(benchmark::kMillisecond);

// Every frame of 0.5 s transitions between consecutive pages; the next page is built before the
// transition starts, outside the timing (building is measured on its own).
template <typename MakeTransition>
void transitionFrames(benchmark::State& state, MakeTransition makeTransition) {
    CCDirector* director = headlessDirector();
    director->runWithScene(pageScene(2));
    director->mainLoop(kFrame);
    std::vector<double> frames;
    int page = 3;
    int frameInTurn = 0;
    for (auto _ : state) {
        if (frameInTurn == 0) {
            state.PauseTiming();
            CCScene* next = pageScene(page);
            dropDocumentSingletons();
            director->replaceScene(makeTransition(next, page));
            page = page < 40 ? page + 1 : 3;
            state.ResumeTiming();
        }
        frames.push_back(timedFrame(director));
        frameInTurn = (frameInTurn + 1) % 32;  // 30 frames of transition and the switch after it
    }
    reportFrameTimes(state, frames);
    finish(director);
}

void PageCurlFrame(benchmark::State& state) {
    transitionFrames(state, [](CCScene* next, int page) -> CCScene* {
        return CCTransitionPageTurn::create(0.5f, next, page % 2 == 0);
    });
}
BENCHMARK(PageCurlFrame)->Iterations(32 * 20)->Unit(benchmark::kMillisecond);

void ZoomFlipFrame(benchmark::State& state) {
    transitionFrames(state, [](CCScene* next, int page) -> CCScene* {
        return CCTransitionZoomFlipY::create(0.5f, next, page % 2 == 0 ? kCCTransitionOrientationUpOver
                                                                      : kCCTransitionOrientationDownOver);
    });
}
BENCHMARK(ZoomFlipFrame)->Iterations(32 * 20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lirava::bench
