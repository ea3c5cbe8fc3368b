#include "gui/document/JsonDictionary.h"

#include <json/reader.h>

#include <cmath>
#include <cstring>
#include <exception>
#include <limits>

namespace lirava {

namespace {

bool isNumeric(const Json::Value& v) {
    return v.isNumeric() || v.isBool();
}

bool isContainer(const Json::Value& v) {
    return v.isArray() || v.isObject() || v.isNull();
}

int clampToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double truncated = std::trunc(value);
    if (truncated >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (truncated <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(truncated);
}

}  // namespace

bool JsonDictionary::loadText(const char* text) {
    return loadText(text, text ? std::strlen(text) : 0);
}

bool JsonDictionary::loadText(const char* text, std::size_t length) {
    m_root = Json::Value();
    if (!text || length == 0) {
        return false;
    }
    Json::CharReaderBuilder builder;
    // Comments allowed, any value accepted as the root, the parser's own nesting limit.
    builder["allowComments"] = true;
    builder["strictRoot"] = false;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    try {
        // A failed parse keeps what was built so far; later queries meet missing keys.
        return reader->parse(text, text + length, &m_root, &errors);
    } catch (const std::exception&) {
        // Nesting beyond the parser's limit throws; what was built before it stays.
        return false;
    }
}

const Json::Value* JsonDictionary::member(const char* key) const {
    if (!key || !m_root.isObject()) {
        return nullptr;
    }
    return m_root.find(key, key + std::strlen(key));
}

bool JsonDictionary::hasKey(const char* key) const {
    return member(key) != nullptr;
}

int JsonDictionary::getInt(const char* key, int defaultValue) const {
    const Json::Value* v = member(key);
    if (!v || !isNumeric(*v)) {
        return defaultValue;
    }
    if (v->isBool()) {
        return v->asBool() ? 1 : 0;
    }
    if (v->isInt()) {
        return v->asInt();
    }
    if (v->isUInt64() && !v->isInt64()) {
        return std::numeric_limits<int>::max();
    }
    if (v->isInt64()) {
        const Json::Int64 wide = v->asInt64();
        if (wide > std::numeric_limits<int>::max())
            return std::numeric_limits<int>::max();
        if (wide < std::numeric_limits<int>::min())
            return std::numeric_limits<int>::min();
        return static_cast<int>(wide);
    }
    return clampToInt(v->asDouble());
}

double JsonDictionary::getFloat(const char* key, double defaultValue) const {
    const Json::Value* v = member(key);
    if (!v || !isNumeric(*v)) {
        return defaultValue;
    }
    if (v->isBool()) {
        return v->asBool() ? 1.0 : 0.0;
    }
    return v->asDouble();
}

bool JsonDictionary::getBool(const char* key, bool defaultValue) const {
    const Json::Value* v = member(key);
    return v && v->isBool() ? v->asBool() : defaultValue;
}

const char* JsonDictionary::getString(const char* key) const {
    const Json::Value* v = member(key);
    return v && v->isString() ? v->asCString() : nullptr;
}

std::unique_ptr<JsonDictionary> JsonDictionary::getDictionary(const char* key) const {
    const Json::Value* v = member(key);
    if (!v || !isContainer(*v)) {
        return nullptr;
    }
    return std::make_unique<JsonDictionary>(*v);
}

int JsonDictionary::getArraySize(const char* key) const {
    const Json::Value* v = member(key);
    if (!v || !isContainer(*v)) {
        return 0;
    }
    return static_cast<int>(v->size());
}

const Json::Value* JsonDictionary::arrayElement(const char* key, int index) const {
    const Json::Value* v = member(key);
    // The index is compared as an unsigned number, so a negative one is never in range.
    if (!v || !v->isArray() || static_cast<Json::ArrayIndex>(index) >= v->size()) {
        return nullptr;
    }
    return &(*v)[static_cast<Json::ArrayIndex>(index)];
}

std::unique_ptr<JsonDictionary> JsonDictionary::getArrayElement(const char* key, int index) const {
    const Json::Value* element = arrayElement(key, index);
    if (!element || !isContainer(*element)) {
        return nullptr;
    }
    return std::make_unique<JsonDictionary>(*element);
}

const char* JsonDictionary::getArrayString(const char* key, int index) const {
    const Json::Value* element = arrayElement(key, index);
    return element && element->isString() ? element->asCString() : nullptr;
}

std::unique_ptr<JsonDictionary> JsonDictionary::takeDictionary(const char* key) {
    Json::Value* v = const_cast<Json::Value*>(member(key));
    if (!v || !isContainer(*v)) {
        return nullptr;
    }
    return std::make_unique<JsonDictionary>(std::exchange(*v, Json::Value()));
}

std::unique_ptr<JsonDictionary> JsonDictionary::takeArrayElement(const char* key, int index) {
    Json::Value* element = const_cast<Json::Value*>(arrayElement(key, index));
    if (!element || !isContainer(*element)) {
        return nullptr;
    }
    return std::make_unique<JsonDictionary>(std::exchange(*element, Json::Value()));
}

}  // namespace lirava
