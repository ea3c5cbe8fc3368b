#include "engine/platform/JsonWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace lirava {

namespace {

const std::string kEmpty;

// Length of the valid UTF-8 sequence starting at text[i], or 0 if it is not valid.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    std::size_t length;
    unsigned int codePoint;
    if (lead < 0x80) {
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char c = static_cast<unsigned char>(text[i + k]);
        if ((c & 0xC0) != 0x80) {
            return 0;
        }
        codePoint = (codePoint << 6) | (c & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not valid UTF-8.
    static const unsigned int kMinimum[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kMinimum[length] || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return 0;
    }
    return length;
}

}  // namespace

std::string JsonWriter::escape(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t length = utf8SequenceLength(text, i);
            if (length == 0) {
                out += "\xEF\xBF\xBD";  // U+FFFD for a byte that starts no valid character
                ++i;
            } else {
                out.append(text.data() + i, length);
                i += length;
            }
            continue;
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7f) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                    out += buffer;
                } else {
                    out += static_cast<char>(c);
                }
        }
        ++i;
    }
    out += '"';
    return out;
}

bool JsonWriter::beforeValue() {
    if (m_failed) {
        return false;
    }
    if (m_stack.empty()) {
        if (m_hasRoot) {
            m_failed = true;  // one top-level value only
            return false;
        }
        m_hasRoot = true;
        return true;
    }
    if (m_stack.back() == Frame::Object) {
        if (!m_expectValueAfterKey) {
            m_failed = true;  // a member needs its key first
            return false;
        }
        m_expectValueAfterKey = false;
        return true;
    }
    if (m_needComma) {
        m_out += ',';
    }
    m_needComma = true;
    return true;
}

void JsonWriter::raw(std::string_view text) {
    m_out.append(text.data(), text.size());
}

JsonWriter& JsonWriter::key(std::string_view name) {
    if (m_failed) {
        return *this;
    }
    if (m_stack.empty() || m_stack.back() != Frame::Object || m_expectValueAfterKey) {
        m_failed = true;
        return *this;
    }
    if (m_needComma) {
        m_out += ',';
    }
    m_needComma = true;
    raw(escape(name));
    m_out += ':';
    m_expectValueAfterKey = true;
    return *this;
}

JsonWriter& JsonWriter::beginObject() {
    if (beforeValue()) {
        m_out += '{';
        m_stack.push_back(Frame::Object);
        m_needComma = false;
    }
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    if (beforeValue()) {
        m_out += '[';
        m_stack.push_back(Frame::Array);
        m_needComma = false;
    }
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    if (m_failed || m_stack.empty() || m_stack.back() != Frame::Object || m_expectValueAfterKey) {
        m_failed = true;
        return *this;
    }
    m_out += '}';
    m_stack.pop_back();
    m_needComma = true;
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    if (m_failed || m_stack.empty() || m_stack.back() != Frame::Array) {
        m_failed = true;
        return *this;
    }
    m_out += ']';
    m_stack.pop_back();
    m_needComma = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
    if (beforeValue()) {
        raw(escape(text));
    }
    return *this;
}

JsonWriter& JsonWriter::value(const char* text) {
    if (!text) {
        return value(nullptr);
    }
    return value(std::string_view(text));
}

JsonWriter& JsonWriter::value(bool flag) {
    if (beforeValue()) {
        raw(flag ? "true" : "false");
    }
    return *this;
}

JsonWriter& JsonWriter::value(long long number) {
    if (beforeValue()) {
        raw(std::to_string(number));
    }
    return *this;
}

JsonWriter& JsonWriter::value(unsigned long long number) {
    if (beforeValue()) {
        raw(std::to_string(number));
    }
    return *this;
}

JsonWriter& JsonWriter::value(float number) {
    if (!std::isfinite(number)) {
        return value(nullptr);
    }
    if (beforeValue()) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
        raw(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
    }
    return *this;
}

JsonWriter& JsonWriter::value(double number) {
    if (!std::isfinite(number)) {
        return value(nullptr);
    }
    if (beforeValue()) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
        raw(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
    }
    return *this;
}

JsonWriter& JsonWriter::value(std::nullptr_t) {
    if (beforeValue()) {
        raw("null");
    }
    return *this;
}

const std::string& JsonWriter::str() const {
    return m_failed ? kEmpty : m_out;
}

}  // namespace lirava
