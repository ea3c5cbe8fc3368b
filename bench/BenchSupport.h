#pragma once

// Shared set-up of the benchmarks: the headless window and renderer, the engine pointed at the
// sample book, percentiles of per-frame timings, and a walk over the nodes a tree made.

#include <benchmark/benchmark.h>
#include <time.h>
#include <valgrind/callgrind.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/CCArray.h"
#include "engine/nodes/CCNode.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/platform/Platform.h"
#include "engine/platform/PlatformWindow.h"
#include "engine/render/Renderer.h"

namespace lirava::bench {

// The program's allocator policy, set before any benchmark runs: the floors and the builds then
// pay for fresh memory alike, as they do in the program.
inline const bool kProgramAllocatorPolicy = [] {
    platformReturnLargeBuffersToSystem();
    return true;
}();

// The sample book; LIRAVA_BENCH_BOOK names another (a folder or a one-file book), so that the
// same benchmark measures a book read from an archive.
inline const char* bookRoot() {
    static const std::string root = [] {
        const char* named = std::getenv("LIRAVA_BENCH_BOOK");
        return std::string(named && *named ? named : LIRAVA_SOURCE_DIR "/book");
    }();
    return root.c_str();
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

// CPU time of this thread in milliseconds. On a shared machine a frame's wall time includes the
// time other processes held the core; its CPU time does not.
inline double threadCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Per-frame timings: wall clock and thread CPU time. Under callgrind each frame is also dumped
// on its own (bench/callgrind_frames.py reads its instructions).
struct FrameTimes {
    std::vector<double> wallMs;
    std::vector<double> cpuMs;
    // Where each animation (a page curl, a flip) begins, as an index into the frames.
    std::vector<std::size_t> starts;

    void markStart() { starts.push_back(wallMs.size()); }

    template <typename Frame>
    void time(Frame&& frame) {
        CALLGRIND_ZERO_STATS;
        const Clock::time_point start = Clock::now();
        const double cpuStart = threadCpuMilliseconds();
        frame();
        cpuMs.push_back(threadCpuMilliseconds() - cpuStart);
        wallMs.push_back(millisecondsSince(start));
        CALLGRIND_DUMP_STATS_AT("frame");
    }
    std::size_t size() const { return wallMs.size(); }
};

// With LIRAVA_BENCH_FRAMES_DIR set, every frame's CPU and wall time goes to NAME.json there, in
// the order the frames ran (bench/charts.py draws them).
inline void writeFrameSeries(const std::string& name, const FrameTimes& frames) {
    const char* folder = std::getenv("LIRAVA_BENCH_FRAMES_DIR");
    if (!folder || !*folder) {
        return;
    }
    std::ofstream out(std::string(folder) + "/" + name + ".json");
    auto list = [&out](const std::vector<double>& values) {
        out << "[";
        for (std::size_t i = 0; i < values.size(); ++i) {
            out << (i ? "," : "") << values[i];
        }
        out << "]";
    };
    out << "{\"cpu_ms\": ";
    list(frames.cpuMs);
    out << ", \"wall_ms\": ";
    list(frames.wallMs);
    out << ", \"starts\": ";
    list(std::vector<double>(frames.starts.begin(), frames.starts.end()));
    out << "}\n";
}

inline void reportFrameTimes(benchmark::State& state, const FrameTimes& frames, const std::string& name) {
    state.counters["p50_ms"] = quantile(frames.wallMs, 0.50);
    state.counters["p99_ms"] = quantile(frames.wallMs, 0.99);
    state.counters["max_ms"] = quantile(frames.wallMs, 1.0);
    state.counters["cpu_p50_ms"] = quantile(frames.cpuMs, 0.50);
    state.counters["cpu_p99_ms"] = quantile(frames.cpuMs, 0.99);
    state.counters["frames"] = static_cast<double>(frames.size());
    writeFrameSeries(name, frames);
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
