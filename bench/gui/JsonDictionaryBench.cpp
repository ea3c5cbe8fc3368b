// The JSON dictionary's queries on a real page document, and parsing that document.
//   bench/gui_bench --benchmark_filter=Json
#include <memory>
#include <string>

#include "bench/BenchSupport.h"
#include "gui/document/JsonDictionary.h"

namespace lirava::bench {
namespace {

const std::string& pageText() {
    static const std::string text = [] {
        std::string out;
        CCFileUtils::sharedFileUtils()->readFile(std::string(bookRoot()) + "/english5down/english5down_5.json", out);
        return out;
    }();
    return text;
}

// The first widget's options: the dictionary the property readers query most.
std::unique_ptr<JsonDictionary> firstOptions() {
    JsonDictionary document;
    document.loadText(pageText().c_str(), pageText().size());
    std::unique_ptr<JsonDictionary> tree = document.getDictionary("widgetTree");
    return tree ? tree->getDictionary("options") : nullptr;
}

void JsonParsePage(benchmark::State& state) {
    for (auto _ : state) {
        JsonDictionary document;
        document.loadText(pageText().c_str(), pageText().size());
        benchmark::DoNotOptimize(document.root());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * pageText().size()));
}
BENCHMARK(JsonParsePage);

void JsonGetInt(benchmark::State& state) {
    const std::unique_ptr<JsonDictionary> options = firstOptions();
    for (auto _ : state) {
        benchmark::DoNotOptimize(options->getInt("tag", 0));
    }
}
BENCHMARK(JsonGetInt);

void JsonGetFloat(benchmark::State& state) {
    const std::unique_ptr<JsonDictionary> options = firstOptions();
    for (auto _ : state) {
        benchmark::DoNotOptimize(options->getFloat("width", 0.0));
    }
}
BENCHMARK(JsonGetFloat);

void JsonGetString(benchmark::State& state) {
    const std::unique_ptr<JsonDictionary> options = firstOptions();
    for (auto _ : state) {
        benchmark::DoNotOptimize(options->getString("name"));
    }
}
BENCHMARK(JsonGetString);

void JsonMissingKey(benchmark::State& state) {
    const std::unique_ptr<JsonDictionary> options = firstOptions();
    for (auto _ : state) {
        benchmark::DoNotOptimize(options->getInt("noSuchKeyInThisDocument", 7));
    }
}
BENCHMARK(JsonMissingKey);

// Copying a child out (getArrayElement): what every level of the tree walk would cost if the
// reader copied instead of moving subtrees out (takeArrayElement).
void JsonCopyChild(benchmark::State& state) {
    JsonDictionary document;
    document.loadText(pageText().c_str(), pageText().size());
    std::unique_ptr<JsonDictionary> tree = document.getDictionary("widgetTree");
    for (auto _ : state) {
        benchmark::DoNotOptimize(tree->getArrayElement("children", 0));
    }
}
BENCHMARK(JsonCopyChild);

}  // namespace
}  // namespace lirava::bench
