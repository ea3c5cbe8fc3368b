// Headless frames (scheduler, actions, drawing on the software renderer at 640 x 960) of the
// reader's pages, alone and during the two scene transitions the reader uses.
// Budgets: p99 4 ms for a page, 6 ms during a page curl or a zoom flip.
//   bench/app_bench --benchmark_filter=Frame
// Counters: p50_ms, p99_ms, max_ms (wall clock) and cpu_p50_ms, cpu_p99_ms (the thread's CPU
// time) over every frame timed.
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <vector>

#include "bench/app/ReaderBenchSupport.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/transitions/CCTransitionZoomFlipY.h"

namespace lirava::bench {
namespace {

constexpr double kFrame = 1.0 / 60.0;

// Pages of every kind: a picture panel with sentences, an image-view picture, sheet frames with
// animations, a page without sentences, a word-list page of sheet cards, one of file cards.
const int kTypicalPages[] = {3, 5, 2, 20, 44, 86, 91};

// LIRAVA_BENCH_FRAME_SHARE=N runs 1/N of the frames (quick runs under callgrind).
int frameCount(int count) {
    const char* text = std::getenv("LIRAVA_BENCH_FRAME_SHARE");
    const int share = text ? std::atoi(text) : 1;
    return share > 1 ? std::max(count / share, 1) : count;
}

void timedFrame(CCDirector* director, FrameTimes& frames) {
    frames.time([director] { director->mainLoop(kFrame); });
}

void show(CCDirector* director, CCScene* scene) {
    if (director->getRunningScene()) {
        director->replaceScene(scene);
    } else {
        director->runWithScene(scene);
    }
    scene->release();
}

// A page with a sentence being read (its caption, plate and narration running), 60 frames a
// page; the frames right after a page appears (its textures' first upload) count like others.
void PageFrame(benchmark::State& state) {
    CCDirector* director = readerDirector();
    FrameTimes frames;
    std::size_t next = 0;
    int frameOnPage = 0;
    for (auto _ : state) {
        if (frameOnPage == 0) {
            state.PauseTiming();
            show(director, pageScene(kTypicalPages[next++ % std::size(kTypicalPages)]));
            director->mainLoop(kFrame);  // the switch to the new page
            if (PageLayer* page = runningPage(director)) {
                for (UIWidget* sentence : page->getSentenceButtons()) {
                    if (sentence) {
                        page->onSentenceTouched(sentence, TOUCH_EVENT_ENDED);
                        break;
                    }
                }
            }
            state.ResumeTiming();
        }
        timedFrame(director, frames);
        frameOnPage = (frameOnPage + 1) % 60;
    }
    reportFrameTimes(state, frames, "PageFrame");
    finish();
}
BENCHMARK(PageFrame)->Iterations(frameCount(60 * 21))->Unit(benchmark::kMillisecond);

// Every frame of the reader's own 0.5 s page curls, forwards through pages 2 to 40 and back
// again: the next item's callback builds the page and starts the curl outside the timing
// (building is measured on its own), then every frame until the new page runs is timed.
void PageCurlFrame(benchmark::State& state) {
    CCDirector* director = readerDirector();
    show(director, pageScene(2));
    director->mainLoop(kFrame);
    FrameTimes frames;
    int direction = 1;
    bool turning = false;
    for (auto _ : state) {
        if (!turning) {
            state.PauseTiming();
            PageLayer* page = runningPage(director);
            if (!page) {
                state.SkipWithError("no page layer is running");
                break;
            }
            if (book::currentPage >= 40) {
                direction = -1;
            } else if (book::currentPage <= 2) {
                direction = 1;
            }
            direction > 0 ? page->nextPage(nullptr) : page->previousPage(nullptr);
            turning = true;
            frames.markStart();
            state.ResumeTiming();
        }
        timedFrame(director, frames);
        turning = runningPage(director) == nullptr;
    }
    reportFrameTimes(state, frames, "PageCurlFrame");
    finish();
}
BENCHMARK(PageCurlFrame)->Iterations(frameCount(32 * 30))->Unit(benchmark::kMillisecond);

// A zoom flip between page scenes, made directly (the settings screen flips to and from a page
// this way).
void ZoomFlipFrame(benchmark::State& state) {
    CCDirector* director = readerDirector();
    show(director, pageScene(2));
    director->mainLoop(kFrame);
    FrameTimes frames;
    int page = 3;
    int frameInFlip = 0;
    for (auto _ : state) {
        if (frameInFlip == 0) {
            state.PauseTiming();
            CCScene* next = pageScene(page);
            director->replaceScene(CCTransitionZoomFlipY::create(
                0.5f, next, page % 2 == 0 ? kCCTransitionOrientationUpOver : kCCTransitionOrientationDownOver));
            next->release();
            page = page < 40 ? page + 1 : 3;
            frames.markStart();
            state.ResumeTiming();
        }
        timedFrame(director, frames);
        frameInFlip = (frameInFlip + 1) % 32;  // 30 frames of flip and the switch after it
    }
    reportFrameTimes(state, frames, "ZoomFlipFrame");
    finish();
}
BENCHMARK(ZoomFlipFrame)->Iterations(frameCount(32 * 20))->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lirava::bench
