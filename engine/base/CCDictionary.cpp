#include "engine/base/CCDictionary.h"

#include <cstdio>
#include <cstdlib>
#include <pugixml.hpp>

#include "engine/base/CCArray.h"
#include "engine/base/CCInteger.h"
#include "engine/base/CCString.h"
#include "engine/platform/CCFileUtils.h"

namespace lirava {

namespace {

// Deeper nesting than this is not a string table or an atlas; it is refused rather than
// walked, so hostile files cannot exhaust the stack.
constexpr int kMaxPlistDepth = 64;

CCObject* plistValue(const pugi::xml_node& node, int depth);

CCDictionary* plistDict(const pugi::xml_node& node, int depth) {
    CCDictionary* dict = CCDictionary::create();
    std::string key;
    bool haveKey = false;
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        if (std::string(child.name()) == "key") {
            key = child.child_value();
            haveKey = true;
            continue;
        }
        if (!haveKey) {
            continue;  // a value without its key
        }
        if (CCObject* value = plistValue(child, depth + 1)) {
            dict->setObject(value, key);
        }
        haveKey = false;
    }
    return dict;
}

CCObject* plistValue(const pugi::xml_node& node, int depth) {
    if (depth > kMaxPlistDepth) {
        return nullptr;
    }
    const std::string name = node.name();
    if (name == "dict") {
        return plistDict(node, depth);
    }
    if (name == "array") {
        CCArray* array = CCArray::create();
        for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
            if (child.type() == pugi::node_element) {
                if (CCObject* value = plistValue(child, depth + 1)) {
                    array->addObject(value);
                }
            }
        }
        return array;
    }
    if (name == "string" || name == "date" || name == "data") {
        return CCString::create(node.child_value());
    }
    if (name == "integer") {
        // Values beyond 32 bits saturate instead of wrapping.
        long long value = std::strtoll(node.child_value(), nullptr, 10);
        if (value > 2147483647LL)
            value = 2147483647LL;
        if (value < -2147483648LL)
            value = -2147483648LL;
        return CCInteger::create(static_cast<int>(value));
    }
    if (name == "real") {
        return CCDouble::create(std::strtod(node.child_value(), nullptr));
    }
    if (name == "true") {
        return CCBool::create(true);
    }
    if (name == "false") {
        return CCBool::create(false);
    }
    return nullptr;
}

}  // namespace

CCDictionary* CCDictionary::create() {
    CCDictionary* dict = new CCDictionary();
    dict->autorelease();
    return dict;
}

CCDictionary* CCDictionary::createWithContentsOfFile(const char* fileName) {
    if (!fileName || !*fileName) {
        return create();
    }
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    std::string bytes;
    if (!files->readFile(files->fullPathForFilename(fileName), bytes)) {
        return create();
    }
    return createWithContentsOfData(bytes.data(), bytes.size());
}

CCDictionary* CCDictionary::createWithContentsOfData(const char* data, std::size_t size) {
    pugi::xml_document doc;
    if (!data || size == 0 || !doc.load_buffer(data, size)) {
        return create();
    }
    pugi::xml_node root = doc.child("plist");
    pugi::xml_node dictNode = root ? root.child("dict") : doc.child("dict");
    if (!dictNode) {
        return create();
    }
    return plistDict(dictNode, 1);
}

CCDictionary::~CCDictionary() {
    removeAllObjects();
}

CCObject* CCDictionary::objectForKey(const std::string& key) const {
    auto it = m_elements.find(key);
    return it == m_elements.end() ? nullptr : it->second;
}

const CCString* CCDictionary::valueForKey(const std::string& key) {
    CCObject* object = objectForKey(key);
    if (CCString* s = dynamic_cast<CCString*>(object)) {
        return s;
    }
    std::string text;
    if (CCInteger* i = dynamic_cast<CCInteger*>(object)) {
        text = std::to_string(i->getValue());
    } else if (CCDouble* d = dynamic_cast<CCDouble*>(object)) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%g", d->getValue());
        text = buffer;
    } else if (CCBool* b = dynamic_cast<CCBool*>(object)) {
        text = b->getValue() ? "1" : "0";
    }
    return CCString::create(text);
}

void CCDictionary::setObject(CCObject* object, const std::string& key) {
    if (!object) {
        return;
    }
    object->retain();
    auto it = m_elements.find(key);
    if (it != m_elements.end()) {
        CCObject* old = it->second;
        it->second = object;
        old->release();
    } else {
        m_elements.emplace(key, object);
    }
}

void CCDictionary::removeObjectForKey(const std::string& key) {
    auto it = m_elements.find(key);
    if (it != m_elements.end()) {
        CCObject* old = it->second;
        m_elements.erase(it);
        old->release();
    }
}

void CCDictionary::removeAllObjects() {
    std::map<std::string, CCObject*> old;
    old.swap(m_elements);
    for (auto& entry : old) {
        entry.second->release();
    }
}

CCArray* CCDictionary::allKeys() const {
    CCArray* keys = CCArray::createWithCapacity(count());
    for (const auto& entry : m_elements) {
        keys->addObject(CCString::create(entry.first));
    }
    return keys;
}

CCObject* CCDictionary::copy() {
    CCDictionary* dict = new CCDictionary();
    for (const auto& entry : m_elements) {
        dict->setObject(entry.second, entry.first);
    }
    return dict;
}

}  // namespace lirava
