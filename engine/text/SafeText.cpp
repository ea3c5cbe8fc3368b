#include "engine/text/SafeText.h"

#include "engine/text/UnicodeText.h"
#include "engine/text/Utf8.h"

namespace lirava::text {

namespace {

// Embeddings, overrides and isolates that open a level, and the two characters that close one.
bool opensDirection(char32_t c) {
    return (c >= 0x202A && c <= 0x202E && c != 0x202C) || (c >= 0x2066 && c <= 0x2068);
}

bool closesDirection(char32_t c) {
    return c == 0x202C || c == 0x2069;
}

}  // namespace

bool isNoncharacter(char32_t c) {
    return (c >= 0xFDD0 && c <= 0xFDEF) || ((c & 0xFFFE) == 0xFFFE && c <= 0x10FFFF);
}

std::string safeForLayout(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t marksInRow = 0;
    std::size_t depth = 0;
    std::size_t dropped = 0;  // levels opened past kMaxDirectionDepth and not closed yet
    char32_t c = 0;
    for (std::size_t pos = 0, step = 0; (step = utf8::decodeAt(bytes, pos, c)) != 0; pos += step) {
        if (c == 0) {
            continue;
        }
        // A malformed byte decodes to U+FFFD with a step of one; append writes it whole.
        if (isNoncharacter(c)) {
            c = kUnshowable;
        }
        if (c == '\n' || c == 0x2029) {
            depth = dropped = 0;  // every paragraph starts at its base level
        } else if (opensDirection(c) && depth >= kMaxDirectionDepth) {
            ++dropped;
            continue;
        } else if (opensDirection(c)) {
            ++depth;
        } else if (closesDirection(c) && dropped > 0) {
            --dropped;
            continue;
        } else if (closesDirection(c) && depth > 0) {
            --depth;
        }
        marksInRow = unicode::extendsCluster(c) ? marksInRow + 1 : 0;
        if (marksInRow > kMaxMarksInRow) {
            continue;
        }
        utf8::append(out, c);
    }
    return out;
}

BadCharacter firstBadCharacter(const std::string& bytes) {
    char32_t c = 0;
    for (std::size_t pos = 0, step = 0; (step = utf8::decodeAt(bytes, pos, c)) != 0; pos += step) {
        if (c == 0 || isNoncharacter(c) || (c == utf8::kReplacement && step == 1)) {
            return BadCharacter{true, c, pos};
        }
    }
    return BadCharacter{};
}

}  // namespace lirava::text
