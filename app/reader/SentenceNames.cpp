#include "app/reader/SentenceNames.h"

#include "app/reader/Md5.h"

namespace lirava::sentence {

namespace {

// The zero belongs to the prefix and depends on the page alone.
std::string prefixed(const char* prefix, int page) {
    return page < 10 ? std::string(prefix) + "0" : std::string(prefix);
}

}  // namespace

int keyFor(int page, int index) {
    return index < 10 ? page * 10 + index : page * 100 + index;
}

int indexAfterKey(int page, int key) {
    const int shortIndex = key - 10 * page;
    return shortIndex <= 30 ? shortIndex + 1 : key - 100 * page + 1;
}

std::string buttonName(int page, int index) {
    return prefixed("bn", page) + std::to_string(page) + std::to_string(index);
}

std::string textKey(int page, int index) {
    return prefixed("str", page) + std::to_string(page) + std::to_string(index);
}

std::string narrationName(int page, int index) {
    return prefixed("mc", page) + std::to_string(page) + std::to_string(index) + ".mp3";
}

std::string hintKey(int page) {
    return prefixed("hint", page) + std::to_string(page);
}

std::string textKeyForKey(int page, int key) {
    return prefixed("str", page) + std::to_string(key);
}

std::string narrationNameForKey(int page, int key) {
    return prefixed("mc", page) + std::to_string(key) + ".mp3";
}

std::string narrationPath(const std::string& logicalName) {
    return "epc/" + Md5::hexDigest(logicalName) + ".mp3";
}

std::string pageDocument(int page) {
    return "english5down/english5down_" + std::to_string(page) + ".json";
}

}  // namespace lirava::sentence
