// Narration at another speed: how much longer a sentence takes to start, and what the stretch
// costs while it plays. Budget: at most 10 ms more from touch to the first audio buffer than at
// 1x, for the longest sentence of the sample book. Run: build with -DLIRAVA_BUILD_BENCH=ON, then
//   SDL_AUDIODRIVER=dummy ./bench/engine_bench --benchmark_filter=Narration
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchSupport.h"
#include "engine/audio/DeviceAudioBackend.h"
#include "engine/audio/StretchedTrack.h"
#include "engine/audio/VirtualAudioBackend.h"

namespace lirava::bench {
namespace {

// The first buffer the device asks for: the mixer's 2048 frames of 16-bit stereo.
constexpr std::size_t kFirstBufferBytes = 2048 * 2 * 2;

// The sample book's longest narration; its files share one bitrate, so the largest is the longest.
const std::string& longestNarration() {
    static const std::string path = [] {
        std::string largest;
        std::uintmax_t size = 0;
        for (const auto& entry : std::filesystem::directory_iterator(std::string(bookRoot()) + "/epc")) {
            if (entry.file_size() > size) {
                size = entry.file_size();
                largest = entry.path().string();
            }
        }
        return largest;
    }();
    return path;
}

// The device back end, opened the way the program opens it (on SDL's dummy driver here).
DeviceAudioBackend& device() {
    static DeviceAudioBackend backend;
    static const bool opened = [] {
        backend.play(longestNarration(), false);
        backend.stop();
        return backend.isOpen();
    }();
    if (!opened) {
        std::fprintf(stderr, "the mixer could not be opened\n");
        std::abort();
    }
    return backend;
}

// Touch to first audio buffer, on the calling thread, in wall time and in the thread's own CPU
// time (which a loaded machine does not inflate; the worker's decode runs beside it). At 1x:
// the back end's play (the mixer decodes the first buffer later, on its own thread, which is
// not counted, so the difference to the stretched start is an upper bound). Otherwise: the
// stretched track's start and its first buffer.
void NarrationStart(benchmark::State& state) {
    const float speed = static_cast<float>(state.range(0)) / 100.0f;
    DeviceAudioBackend& backend = device();
    const std::string& path = longestNarration();
    std::vector<std::uint8_t> buffer(kFirstBufferBytes);
    std::vector<double> wallMs;
    std::vector<double> cpuMs;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const double cpuStart = threadCpuMilliseconds();
        std::unique_ptr<StretchedTrack> track;
        if (speed == 1.0f) {
            benchmark::DoNotOptimize(backend.play(path, false));
        } else {
            track = StretchedTrack::open(path, speed, false);
            track->fill(buffer.data(), static_cast<int>(buffer.size()));
        }
        cpuMs.push_back(threadCpuMilliseconds() - cpuStart);
        wallMs.push_back(millisecondsSince(start));
        state.PauseTiming();
        backend.stop();
        track.reset();  // waits for its worker
        state.ResumeTiming();
    }
    state.counters["start_ms"] = quantile(wallMs, 0.5);
    state.counters["start_p90_ms"] = quantile(wallMs, 0.9);
    state.counters["start_cpu_ms"] = quantile(cpuMs, 0.5);
    state.counters["narration_s"] = VirtualAudioBackend().trackDuration(path);
}
BENCHMARK(NarrationStart)->Arg(100)->Arg(50)->Arg(75)->Arg(150)->Iterations(41)->Unit(benchmark::kMillisecond);

// CPU time of the stretch over the whole longest sentence, per second of narration, once the
// worker has decoded it (decoding costs what it costs at 1x).
void NarrationStretch(benchmark::State& state) {
    const double speed = static_cast<double>(state.range(0)) / 100.0;
    device();
    const std::string& path = longestNarration();
    const double seconds = VirtualAudioBackend().trackDuration(path);
    std::vector<std::uint8_t> buffer(kFirstBufferBytes);
    std::vector<double> cpuMs;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<StretchedTrack> track = StretchedTrack::open(path, speed, false);
        while (!track->wholeDecoded()) {
            std::this_thread::yield();
        }
        state.ResumeTiming();
        const double cpuStart = threadCpuMilliseconds();
        while (!track->finished()) {
            track->fill(buffer.data(), static_cast<int>(buffer.size()));
        }
        cpuMs.push_back(threadCpuMilliseconds() - cpuStart);
    }
    state.counters["cpu_ms_per_narration_s"] = quantile(cpuMs, 0.5) / seconds;
    state.counters["narration_s"] = seconds;
}
BENCHMARK(NarrationStretch)->Arg(50)->Arg(75)->Arg(125)->Arg(150)->Iterations(15)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lirava::bench
