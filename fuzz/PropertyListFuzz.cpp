// Any bytes as a property list: parsed into a dictionary, walked through every value the way
// the string tables and atlases are read, copied, and released without a leak.
#include <cstddef>
#include <cstdint>

#include "engine/base/CCArray.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCString.h"
#include "fuzz/FuzzSupport.h"

using namespace lirava;

namespace {

// Visits every value below object and asks each for its string form; the depth bound only keeps
// this walk itself from running out of stack on a deep input the parser accepted.
std::size_t walk(CCObject* object, int depth) {
    if (!object || depth > 10000) {
        return 0;
    }
    std::size_t visited = 1;
    if (auto* dict = dynamic_cast<CCDictionary*>(object)) {
        CCArray* keys = dict->allKeys();
        for (unsigned int i = 0; keys && i < keys->count(); ++i) {
            if (auto* key = dynamic_cast<CCString*>(keys->objectAtIndex(i))) {
                dict->valueForKey(key->getCString());
                visited += walk(dict->objectForKey(key->getCString()), depth + 1);
            }
        }
    } else if (auto* array = dynamic_cast<CCArray*>(object)) {
        for (unsigned int i = 0; i < array->count(); ++i) {
            visited += walk(array->objectAtIndex(i), depth + 1);
        }
    } else if (auto* text = dynamic_cast<CCString*>(object)) {
        text->intValue();
        text->floatValue();
        text->boolValue();
    }
    return visited;
}

void runOnce(const std::uint8_t* data, std::size_t size, bool checkLeaks) {
    fuzz::setUpEngine();
    const std::size_t before = fuzz::liveNonTextureObjects();
    CCPoolManager::sharedPoolManager()->push();
    {
        CCDictionary* dict = CCDictionary::createWithContentsOfData(reinterpret_cast<const char*>(data), size);
        if (!dict) {
            // The contract is an empty dictionary for anything malformed, never null.
            __builtin_trap();
        }
        walk(dict, 0);
        CCObject* copy = dict->copy();
        if (copy) {
            walk(copy, 0);
            copy->release();
        }
    }
    CCPoolManager::sharedPoolManager()->pop();
    CCPoolManager::sharedPoolManager()->drainAll();
    if (checkLeaks) {
        fuzz::expectNoObjectLeak(before, "property list");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::runAfterWarmUp(&runOnce, data, size);
    return 0;
}
