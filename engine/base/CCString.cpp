#include "engine/base/CCString.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace lirava {

CCString* CCString::create(const std::string& text) {
    CCString* s = new CCString(text);
    s->autorelease();
    return s;
}

CCString* CCString::createWithFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (needed > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(needed) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        text.assign(buffer.data(), static_cast<std::size_t>(needed));
    }
    va_end(args);
    return create(text);
}

int CCString::intValue() const {
    return static_cast<int>(std::strtol(m_string.c_str(), nullptr, 10));
}

float CCString::floatValue() const {
    return std::strtof(m_string.c_str(), nullptr);
}

double CCString::doubleValue() const {
    return std::strtod(m_string.c_str(), nullptr);
}

bool CCString::boolValue() const {
    if (m_string == "true" || m_string == "yes") {
        return true;
    }
    return doubleValue() != 0.0;
}

bool CCString::isEqual(const CCObject* other) const {
    const CCString* s = dynamic_cast<const CCString*>(other);
    return s && s->m_string == m_string;
}

}  // namespace lirava
