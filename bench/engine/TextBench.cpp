// What text in other scripts costs: the font matcher's start-up (paid once per process, and again
// after the fallback fonts were released), and a caption laid out and drawn in Latin, Chinese and
// Arabic. Run: build with -DLIRAVA_BUILD_BENCH=ON, then
//   ./bench/engine_bench --benchmark_filter='FontMatcher|Caption'
#include <benchmark/benchmark.h>

#include "engine/base/CCAutoreleasePool.h"
#include "engine/render/FontFallback.h"
#include "engine/render/FontRasterizer.h"
#include "engine/text/CCLabelTTF.h"

namespace lirava::bench {
namespace {

// A fresh matcher answers its first question: it loads its configuration (the font list comes
// from the system's cache files) and sorts the installed fonts for one Chinese character.
void FontMatcherStart(benchmark::State& state) {
    static double firstLoad = -1.0;
    double loads = 0.0;
    for (auto _ : state) {
        FontFallback fallback;
        benchmark::DoNotOptimize(fallback.fontFor(U'\u4E2D'));
        loads += fallback.lastLoadMilliseconds();
        if (firstLoad < 0.0) {
            firstLoad = fallback.lastLoadMilliseconds();
        }
    }
    state.counters["load_ms"] = loads / static_cast<double>(state.iterations());
    state.counters["first_load_ms"] = firstLoad;
}
BENCHMARK(FontMatcherStart)->Unit(benchmark::kMillisecond)->Iterations(20);

// The reader's caption (Arial 22, 254 units wide) set to a sentence and drawn into its texture.
void Caption(benchmark::State& state, const char* text) {
    FontRasterizer::shared()->fallbackFor(U'\u4E2D');  // the matcher is up before timing
    for (auto _ : state) {
        CCLabelTTF* label = CCLabelTTF::create(text, "Arial", 22, CCSize(254, 0), kCCTextAlignmentCenter);
        benchmark::DoNotOptimize(label->getTexture());
        CCPoolManager::sharedPoolManager()->pop();
    }
}
BENCHMARK_CAPTURE(Caption, latin, "Good morning, Pip! I put on my shoes and my socks.")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Caption, chinese, "我每天早上七点起床，刷牙洗脸，穿好衣服，吃完早饭，背上书包。")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Caption, arabic, "أشرب الحليب مع Pip كل صباح قبل المدرسة.")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lirava::bench
