// The worst captions found for layout: each just under the 1600 bytes at which the reader hides
// a caption, set in the reader's caption (Arial 22, 254 units wide) and drawn into its texture,
// the font matcher already up. The budget is 20 ms of CPU for any of them. Run: build with
// -DLIRAVA_BUILD_BENCH=ON, then
//   ./bench/engine_bench --benchmark_filter=HostileCaption --benchmark_repetitions=3
#include <benchmark/benchmark.h>

#include <string>

#include "engine/base/CCAutoreleasePool.h"
#include "engine/render/FontRasterizer.h"
#include "engine/text/CCLabelTTF.h"

namespace lirava::bench {
namespace {

constexpr std::size_t kLongestCaption = 1599;

// The piece repeated for as long as the whole stays within kLongestCaption bytes.
std::string repeated(const std::string& prefix, const std::string& piece) {
    std::string text = prefix;
    while (text.size() + piece.size() <= kLongestCaption) {
        text += piece;
    }
    return text;
}

void HostileCaption(benchmark::State& state, const std::string& text) {
    FontRasterizer::shared()->fallbackFor(U'\u4E2D');
    for (auto _ : state) {
        CCLabelTTF* label = CCLabelTTF::create(text.c_str(), "Arial", 22, CCSize(254, 0), kCCTextAlignmentCenter);
        benchmark::DoNotOptimize(label->getMissingGlyphCount());
        benchmark::DoNotOptimize(label->getTexture());
        CCPoolManager::sharedPoolManager()->pop();
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}

BENCHMARK_CAPTURE(HostileCaption, marks_on_one_letter, repeated("e", "\u0301\u0308\u0323\u0330"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HostileCaption, marks_on_every_letter, repeated("", "e\u0301\u0323"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HostileCaption, deep_embeddings, repeated("", "\u202B\u202E"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HostileCaption, deep_isolates_mixed, repeated("", "\u2067\u05D0 a1 "))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HostileCaption, mixed_directions, repeated("", "\u05D0 a1 "))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HostileCaption, arabic_joining_word, repeated("", "\u0628\u0640"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HostileCaption, latin_word, std::string(kLongestCaption, 'w'))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HostileCaption, thai_without_spaces, repeated("", "\u0E2A\u0E27\u0E31\u0E2A\u0E14\u0E35"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HostileCaption, devanagari_conjuncts, repeated("", "\u0915\u094D"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HostileCaption, emoji_joined, repeated("", "\U0001F468\U0001F3FD\u200D"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HostileCaption, chinese, repeated("", "\u6211\u6BCF\u5929"))->Unit(benchmark::kMillisecond);
// A letter of a different script at every step, so that fonts come and go within each line.
BENCHMARK_CAPTURE(HostileCaption, script_per_letter,
                  repeated("", "a\u03B1\u0431\u05D0\u0628\u0915\u0E01\u10D0\u3131\u0F40\u1780\u0D15\u0B95"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HostileCaption, noncharacters, repeated("", "\uFFFF"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HostileCaption, unassigned, repeated("", "\u0378"))->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lirava::bench
