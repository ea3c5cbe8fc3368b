// Building one page of the sample book as the reader does (a page layer: document read, widget
// tree, image textures, caption, plate and menu), with warm caches and cold, beside its floor
// measured in the same iteration: decoding the same images and parsing the same JSON, nothing
// else. Budgets: warm 1 ms median; cold within 1.25 x floor.
//   bench/app_bench --benchmark_filter=PageBuild
// Counters (medians over the iterations): warm_ms, cold_ms, floor_ms, ratio (cold / floor),
// images (files decoded by a cold build).
// Beside them, "labels": reading and checking the word timings of every sentence of the page, which
// the reader does one sentence at a time as each is read (never while it builds the page).
// Under callgrind each timed region is also dumped on its own ("cold", "floor", "warm", "labels"), so that
// bench/callgrind_ratio.py can give the same ratio in instructions, which do not depend on the
// machine's load.
#include <json/json.h>
#include <valgrind/callgrind.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/reader/SentenceNames.h"
#include "app/reader/WordLabels.h"
#include "bench/BenchSupport.h"
#include "bench/app/ReaderBenchSupport.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCString.h"
#include "engine/nodes/CCSprite.h"
#include "engine/nodes/CCSpriteBatchNode.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/Image.h"

namespace lirava::bench {
namespace {

// Builds the page, drops what a leaving page scene drops, and releases the tree; only the build
// is timed. The image files its textures came from are added to images when given.
double timedBuild(int page, std::set<std::string>* images, const char* label) {
    CCPoolManager::sharedPoolManager()->push();
    CALLGRIND_ZERO_STATS;
    const Clock::time_point start = Clock::now();
    PageLayer* layer = buildPage(page);
    const double ms = millisecondsSince(start);
    CALLGRIND_DUMP_STATS_AT(label);
    if (layer && images) {
        forEachNode(layer, [images](CCNode* node) {
            CCTexture2D* texture = nullptr;
            if (auto* sprite = dynamic_cast<CCSprite*>(node)) {
                texture = sprite->getTexture();
            } else if (auto* batch = dynamic_cast<CCSpriteBatchNode*>(node)) {
                texture = batch->getTexture();
            }
            if (texture && !texture->getSourcePath().empty()) {
                images->insert(texture->getSourcePath());
            }
        });
    }
    if (layer) {
        layer->release();
    }
    dropDocumentSingletons();
    CCPoolManager::sharedPoolManager()->pop();
    return ms;
}

// The images stay decoded until the timing ends, as a page keeps its textures: holding them all
// at once costs fresh memory that decoding them one by one into the same buffer would not.
double timedFloor(const std::string& documentPath, const std::set<std::string>& images) {
    std::vector<Image> decoded(images.size());
    CALLGRIND_ZERO_STATS;
    const Clock::time_point start = Clock::now();
    std::string text;
    CCFileUtils::sharedFileUtils()->readFile(documentPath, text);
    // The document reader's own parser settings.
    Json::CharReaderBuilder builder;
    builder["allowComments"] = true;
    builder["strictRoot"] = false;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    reader->parse(text.data(), text.data() + text.size(), &root, &errors);
    benchmark::DoNotOptimize(root);
    std::size_t i = 0;
    for (const std::string& path : images) {
        decoded[i].initWithFile(path);
        benchmark::DoNotOptimize(decoded[i++].data());
    }
    const double ms = millisecondsSince(start);
    CALLGRIND_DUMP_STATS_AT("floor");
    return ms;
}

// Every sentence of the page with a caption: its track and caption, read before the timing.
std::vector<std::pair<std::string, std::string>> captionedTracks(int page) {
    std::vector<std::pair<std::string, std::string>> out;
    CCDictionary* texts = CCDictionary::createWithContentsOfFile("Stringstr.xml");
    for (int i = sentence::kFirstIndex; texts && i <= sentence::kLastIndex; ++i) {
        if (auto* text = dynamic_cast<const CCString*>(texts->objectForKey(sentence::textKey(page, i)))) {
            out.emplace_back(sentence::narrationPath(sentence::narrationName(page, i)), text->str());
        }
    }
    return out;
}

double timedLabels(const std::vector<std::pair<std::string, std::string>>& tracks) {
    CALLGRIND_ZERO_STATS;
    const Clock::time_point start = Clock::now();
    for (const auto& [track, caption] : tracks) {
        benchmark::DoNotOptimize(wordlabels::load(track, caption));
    }
    const double ms = millisecondsSince(start);
    CALLGRIND_DUMP_STATS_AT("labels");
    return ms;
}

void PageBuild(benchmark::State& state) {
    CCDirector* director = readerDirector();
    const int page = static_cast<int>(state.range(0));
    const std::string documentPath =
        CCFileUtils::sharedFileUtils()->fullPathForFilename(sentence::pageDocument(page).c_str());

    std::set<std::string> images;
    director->purgeCachedData();
    timedBuild(page, &images, "setup");

    CCPoolManager::sharedPoolManager()->push();
    const std::vector<std::pair<std::string, std::string>> tracks = captionedTracks(page);
    CCPoolManager::sharedPoolManager()->pop();

    std::vector<double> warm, cold, floor, ratio, labels;
    for (auto _ : state) {
        director->purgeCachedData();
        cold.push_back(timedBuild(page, nullptr, "cold"));
        floor.push_back(timedFloor(documentPath, images));
        warm.push_back(timedBuild(page, nullptr, "warm"));
        ratio.push_back(cold.back() / floor.back());
        labels.push_back(timedLabels(tracks));
    }
    state.counters["warm_ms"] = quantile(warm, 0.5);
    state.counters["cold_ms"] = quantile(cold, 0.5);
    state.counters["floor_ms"] = quantile(floor, 0.5);
    state.counters["ratio"] = quantile(ratio, 0.5);
    state.counters["images"] = static_cast<double>(images.size());
    state.counters["labels_ms"] = quantile(labels, 0.5);
    finish();
}

int iterations() {
    const char* text = std::getenv("LIRAVA_BENCH_PAGE_ITERATIONS");
    const int n = text ? std::atoi(text) : 0;
    return n > 0 ? n : 7;
}

BENCHMARK(PageBuild)->DenseRange(2, 96)->Iterations(iterations())->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lirava::bench
