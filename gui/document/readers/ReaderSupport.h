#pragma once

#include <cstdint>

#include "engine/base/ccTypes.h"
#include "gui/document/DictionaryAccessor.h"

namespace lirava {

class JsonDictionary;

// Small helpers the property readers share.
namespace readers {

inline const DictionaryAccessor& json() {
    return *DictionaryAccessor::shared();
}

// A colour channel: the low 8 bits of the integer read.
inline std::uint8_t channel(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

// The channel under key when present, otherwise fallback.
inline std::uint8_t channelOr(const JsonDictionary* options, const char* key, std::uint8_t fallback) {
    return json().hasKey(options, key) ? channel(json().getInt(options, key)) : fallback;
}

// Three channels, each from its key when present, otherwise fallback.
inline ccColor3B colorOr(const JsonDictionary* options, const char* r, const char* g, const char* b,
                         std::uint8_t fallback) {
    return ccc3(channelOr(options, r, fallback), channelOr(options, g, fallback), channelOr(options, b, fallback));
}

// Three channels always read, 0 for a missing key.
inline ccColor3B colorAlways(const JsonDictionary* options, const char* r, const char* g, const char* b) {
    return ccc3(channel(json().getInt(options, r)), channel(json().getInt(options, g)),
                channel(json().getInt(options, b)));
}

}  // namespace readers
}  // namespace lirava
