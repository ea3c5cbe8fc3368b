#include "gui/document/DictionaryAccessor.h"

#include "gui/document/JsonDictionary.h"

namespace lirava {

namespace {
DictionaryAccessor* g_accessor = nullptr;
}

DictionaryAccessor* DictionaryAccessor::shared() {
    if (!g_accessor) {
        g_accessor = new DictionaryAccessor();
    }
    return g_accessor;
}

void DictionaryAccessor::purge() {
    delete g_accessor;
    g_accessor = nullptr;
}

bool DictionaryAccessor::exists() {
    return g_accessor != nullptr;
}

bool DictionaryAccessor::hasKey(const JsonDictionary* dict, const char* key) const {
    return dict && dict->hasKey(key);
}

int DictionaryAccessor::getInt(const JsonDictionary* dict, const char* key) const {
    return dict ? dict->getInt(key, 0) : 0;
}

float DictionaryAccessor::getFloat(const JsonDictionary* dict, const char* key) const {
    return dict ? static_cast<float>(dict->getFloat(key, 0.0)) : 0.0f;
}

bool DictionaryAccessor::getBool(const JsonDictionary* dict, const char* key) const {
    return dict ? dict->getBool(key, false) : false;
}

const char* DictionaryAccessor::getString(const JsonDictionary* dict, const char* key) const {
    return dict ? dict->getString(key) : nullptr;
}

std::unique_ptr<JsonDictionary> DictionaryAccessor::getDictionary(const JsonDictionary* dict, const char* key) const {
    return dict ? dict->getDictionary(key) : nullptr;
}

int DictionaryAccessor::getArraySize(const JsonDictionary* dict, const char* key) const {
    return dict ? dict->getArraySize(key) : 0;
}

std::unique_ptr<JsonDictionary> DictionaryAccessor::getArrayElement(const JsonDictionary* dict, const char* key,
                                                                    int index) const {
    return dict ? dict->getArrayElement(key, index) : nullptr;
}

const char* DictionaryAccessor::getArrayString(const JsonDictionary* dict, const char* key, int index) const {
    return dict ? dict->getArrayString(key, index) : nullptr;
}

}  // namespace lirava
