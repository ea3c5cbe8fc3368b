#pragma once

#include <string>

#include "engine/base/CCObject.h"

namespace lirava {

class CCString : public CCObject {
public:
    explicit CCString(std::string text = std::string()) : m_string(std::move(text)) {}

    static CCString* create(const std::string& text);
    // printf-style formatting into a new autoreleased string.
    static CCString* createWithFormat(const char* format, ...);

    const char* getCString() const { return m_string.c_str(); }
    const std::string& str() const { return m_string; }
    unsigned int length() const { return static_cast<unsigned int>(m_string.size()); }
    int intValue() const;
    float floatValue() const;
    double doubleValue() const;
    // "true", "yes" and any non-zero number are true.
    bool boolValue() const;
    int compare(const char* other) const { return m_string.compare(other ? other : ""); }

    bool isEqual(const CCObject* other) const override;
    CCObject* copy() override { return new CCString(m_string); }

    std::string m_string;
};

}  // namespace lirava
