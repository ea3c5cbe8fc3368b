// Building one page of the sample book (document read, widget tree, image textures), with warm
// caches and cold, beside its floor measured in the same iteration: decoding the same images
// and parsing the same JSON, nothing else. Budgets: warm 1 ms median; cold within 1.25 x floor.
//   bench/gui_bench --benchmark_filter=PageBuild
// Counters (medians over the iterations): warm_ms, cold_ms, floor_ms, ratio (cold / floor),
// images (files decoded by a cold build).
#include <json/json.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "bench/gui/GuiBenchSupport.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/nodes/CCSprite.h"
#include "engine/nodes/CCSpriteBatchNode.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/Image.h"

namespace lirava::bench {
namespace {

// Builds the page, drops what a leaving page scene drops, and releases the tree; only the build
// is timed. The image files its textures came from are added to images when given.
double timedBuild(int page, std::set<std::string>* images) {
    CCPoolManager::sharedPoolManager()->push();
    const Clock::time_point start = Clock::now();
    UILayer* layer = buildPageLayer(page);
    const double ms = millisecondsSince(start);
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
    dropDocumentSingletons();
    CCPoolManager::sharedPoolManager()->pop();
    return ms;
}

double timedFloor(const std::string& documentPath, const std::set<std::string>& images) {
    const Clock::time_point start = Clock::now();
    std::string text;
    CCFileUtils::sharedFileUtils()->readFile(documentPath, text);
    Json::Value root;
    Json::Reader reader;
    reader.parse(text.data(), text.data() + text.size(), root);
    benchmark::DoNotOptimize(root);
    for (const std::string& path : images) {
        Image image;
        image.initWithFile(path);
        benchmark::DoNotOptimize(image.data());
    }
    return millisecondsSince(start);
}

void PageBuild(benchmark::State& state) {
    CCDirector* director = headlessDirector();
    const int page = static_cast<int>(state.range(0));
    const std::string documentPath = CCFileUtils::sharedFileUtils()->fullPathForFilename(pageDocument(page).c_str());

    std::set<std::string> images;
    director->purgeCachedData();
    timedBuild(page, &images);

    std::vector<double> warm, cold, floor, ratio;
    for (auto _ : state) {
        director->purgeCachedData();
        cold.push_back(timedBuild(page, nullptr));
        floor.push_back(timedFloor(documentPath, images));
        warm.push_back(timedBuild(page, nullptr));
        ratio.push_back(cold.back() / floor.back());
    }
    state.counters["warm_ms"] = quantile(warm, 0.5);
    state.counters["cold_ms"] = quantile(cold, 0.5);
    state.counters["floor_ms"] = quantile(floor, 0.5);
    state.counters["ratio"] = quantile(ratio, 0.5);
    state.counters["images"] = static_cast<double>(images.size());
}

int iterations() {
    const char* text = std::getenv("LIRAVA_BENCH_PAGE_ITERATIONS");
    const int n = text ? std::atoi(text) : 0;
    return n > 0 ? n : 7;
}

BENCHMARK(PageBuild)->DenseRange(2, 96)->Iterations(iterations())->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lirava::bench
