#pragma once

// Shared set-up of the benchmarks: the headless window and renderer, the engine pointed at the
// sample book, percentiles of per-frame timings, and a walk over the nodes a tree made.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/CCArray.h"
#include "engine/nodes/CCNode.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/platform/PlatformWindow.h"
#include "engine/render/Renderer.h"

namespace lirava::bench {

inline const char* bookRoot() {
    return LIRAVA_SOURCE_DIR "/book";
}

// One hidden 640 x 960 window on SDL's dummy driver with the software renderer, as in headless
// runs of the program, made current for the director.
inline PlatformWindow& headlessWindow() {
    static std::unique_ptr<PlatformWindow> window = [] {
        PlatformWindowConfig config;
        config.title = "bench";
        config.headless = true;
        std::string error;
        bool displayMissing = false;
        std::unique_ptr<PlatformWindow> made = PlatformWindow::open(config, error, displayMissing);
        if (!made) {
            std::fprintf(stderr, "headless window: %s\n", error.c_str());
            std::abort();
        }
        return made;
    }();
    return *window;
}

inline CCDirector* headlessDirector() {
    CCFileUtils::sharedFileUtils()->setResourceRoot(bookRoot());
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setDesignResolutionSize(640, 960, kResolutionExactFit);
    if (view->getWindow() != &headlessWindow()) {
        view->attachWindow(&headlessWindow());
    }
    Renderer::setCurrent(&headlessWindow().renderer());
    CCDirector* director = CCDirector::sharedDirector();
    director->setOpenGLView(view);
    return director;
}

using Clock = std::chrono::steady_clock;

inline double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The q-quantile (0..1) of samples, nearest rank; 0 for none.
inline double quantile(std::vector<double> samples, double q) {
    if (samples.empty()) {
        return 0.0;
    }
    std::sort(samples.begin(), samples.end());
    const std::size_t rank = static_cast<std::size_t>(q * static_cast<double>(samples.size() - 1) + 0.5);
    return samples[std::min(rank, samples.size() - 1)];
}

inline void reportFrameTimes(benchmark::State& state, const std::vector<double>& frameMs) {
    state.counters["p50_ms"] = quantile(frameMs, 0.50);
    state.counters["p99_ms"] = quantile(frameMs, 0.99);
    state.counters["max_ms"] = quantile(frameMs, 1.0);
    state.counters["frames"] = static_cast<double>(frameMs.size());
}

// Calls visit for node and every node below it.
inline void forEachNode(CCNode* node, const std::function<void(CCNode*)>& visit) {
    if (!node) {
        return;
    }
    visit(node);
    CCArray* children = node->getChildren();
    for (unsigned int i = 0; children && i < children->count(); ++i) {
        forEachNode(static_cast<CCNode*>(children->objectAtIndex(i)), visit);
    }
}

}  // namespace lirava::bench
