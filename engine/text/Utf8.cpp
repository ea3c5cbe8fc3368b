#include "engine/text/Utf8.h"

namespace lirava::utf8 {

namespace {
bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}
}  // namespace

std::size_t decodeAt(const std::string& text, std::size_t pos, char32_t& out) {
    if (pos >= text.size()) {
        out = 0;
        return 0;
    }
    const unsigned char lead = static_cast<unsigned char>(text[pos]);
    out = kReplacement;
    if (lead < 0x80) {
        out = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t value = 0;
    // Bounds of the second byte exclude overlong forms, surrogates and values past U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 1;
    }
    if (pos + length > text.size()) {
        return 1;
    }
    const unsigned char second = static_cast<unsigned char>(text[pos + 1]);
    if (second < low || second > high) {
        return 1;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[pos + i]);
        if (!isContinuation(c)) {
            return 1;
        }
        value = (value << 6) | (c & 0x3F);
    }
    out = value;
    return length;
}

std::vector<char32_t> decode(const std::string& text) {
    std::vector<char32_t> out;
    out.reserve(text.size());
    std::size_t pos = 0;
    char32_t c;
    while (std::size_t step = decodeAt(text, pos, c)) {
        out.push_back(c);
        pos += step;
    }
    return out;
}

void append(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        c = kReplacement;
    }
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string sanitize(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    char32_t c;
    while (std::size_t step = decodeAt(text, pos, c)) {
        if (c == kReplacement && step == 1) {
            append(out, kReplacement);
        } else if (c != 0) {
            out.append(text, pos, step);
        }
        pos += step;
    }
    return out;
}

std::size_t charCount(const std::string& text) {
    std::size_t count = 0;
    std::size_t pos = 0;
    char32_t c;
    while (std::size_t step = decodeAt(text, pos, c)) {
        ++count;
        pos += step;
    }
    return count;
}

std::size_t lastCharStart(const std::string& text) {
    std::size_t last = 0;
    std::size_t pos = 0;
    char32_t c;
    while (std::size_t step = decodeAt(text, pos, c)) {
        last = pos;
        pos += step;
    }
    return last;
}

}  // namespace lirava::utf8
