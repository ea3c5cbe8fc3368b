#include "engine/text/UnicodeText.h"

#include <fribidi.h>
#include <hb.h>

#include "engine/text/LineBreaks.h"
#include "engine/text/Utf8.h"

namespace lirava::unicode {

namespace {

constexpr char32_t kZeroWidthNonJoiner = 0x200C;
constexpr char32_t kZeroWidthJoiner = 0x200D;

hb_unicode_funcs_t* unicodeFuncs() {
    static hb_unicode_funcs_t* const funcs = hb_unicode_funcs_get_default();
    return funcs;
}

hb_unicode_general_category_t category(char32_t c) {
    return hb_unicode_general_category(unicodeFuncs(), c);
}

bool isMark(hb_unicode_general_category_t category) {
    return category == HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK ||
           category == HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK ||
           category == HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK;
}

bool isAscii(const std::string& utf8) {
    for (const char byte : utf8) {
        if (static_cast<unsigned char>(byte) >= 0x80) {
            return false;
        }
    }
    return true;
}

std::vector<FriBidiCharType> bidiTypes(const std::u32string& text) {
    std::vector<FriBidiChar> chars(text.begin(), text.end());
    std::vector<FriBidiCharType> types(text.size());
    fribidi_get_bidi_types(chars.data(), static_cast<FriBidiStrIndex>(chars.size()), types.data());
    return types;
}

}  // namespace

std::vector<std::size_t> lineBreakPositions(const std::string& utf8) {
    return linebreak::isPrintableAscii(utf8) ? linebreak::printableAscii(utf8) : linebreak::icu(utf8);
}

std::size_t clusterEnd(const std::string& utf8, std::size_t pos) {
    char32_t c = 0;
    std::size_t end = pos + utf8::decodeAt(utf8, pos, c);
    bool afterVirama = false;
    while (end < utf8.size()) {
        char32_t next = 0;
        const std::size_t step = utf8::decodeAt(utf8, end, next);
        const hb_unicode_general_category_t kind = category(next);
        // The letter after a virama joins it in a conjunct.
        if (!extendsCluster(next) && !(afterVirama && kind == HB_UNICODE_GENERAL_CATEGORY_OTHER_LETTER)) {
            break;
        }
        afterVirama =
            isMark(kind) && hb_unicode_combining_class(unicodeFuncs(), next) == HB_UNICODE_COMBINING_CLASS_VIRAMA;
        end += step;
    }
    return end;
}

bool startsRightToLeft(const std::string& utf8) {
    if (isAscii(utf8)) {
        return false;
    }
    const std::vector<char32_t> chars = utf8::decode(utf8);
    const std::vector<FriBidiCharType> types = bidiTypes(std::u32string(chars.begin(), chars.end()));
    return fribidi_get_par_direction(types.data(), static_cast<FriBidiStrIndex>(types.size())) == FRIBIDI_PAR_RTL;
}

bool changesDirection(char32_t c) {
    if (c < 0x0590) {
        return false;  // Latin, Greek, Cyrillic and the rest below Hebrew
    }
    const FriBidiCharType type = fribidi_get_bidi_type(c);
    return FRIBIDI_IS_RTL(type) || FRIBIDI_IS_ARABIC(type) || FRIBIDI_IS_EXPLICIT(type) || FRIBIDI_IS_ISOLATE(type);
}

std::vector<std::uint8_t> bidiLevels(const std::u32string& text, bool rightToLeft) {
    const std::uint8_t base = rightToLeft ? 1 : 0;
    std::vector<std::uint8_t> levels(text.size(), base);
    if (text.empty()) {
        return levels;
    }
    const std::vector<FriBidiChar> chars(text.begin(), text.end());
    const std::vector<FriBidiCharType> types = bidiTypes(text);
    std::vector<FriBidiBracketType> brackets(text.size());
    const auto length = static_cast<FriBidiStrIndex>(text.size());
    fribidi_get_bracket_types(chars.data(), length, types.data(), brackets.data());
    std::vector<FriBidiLevel> resolved(text.size());
    FriBidiParType direction = rightToLeft ? FRIBIDI_PAR_RTL : FRIBIDI_PAR_LTR;
    if (fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), length, &direction, resolved.data()) == 0) {
        return levels;  // out of memory: one direction for the whole line
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        levels[i] = static_cast<std::uint8_t>(resolved[i]);
    }
    for (std::size_t i = text.size(); i > 0; --i) {
        const FriBidiCharType type = types[i - 1];
        if (!FRIBIDI_IS_SPACE(type) && !FRIBIDI_IS_EXPLICIT_OR_BN(type) && !FRIBIDI_IS_ISOLATE(type)) {
            break;
        }
        levels[i - 1] = base;
    }
    return levels;
}

std::uint32_t scriptTag(char32_t c) {
    return static_cast<std::uint32_t>(hb_unicode_script(unicodeFuncs(), c));
}

bool takesNeighbourScript(std::uint32_t tag) {
    return tag == HB_SCRIPT_COMMON || tag == HB_SCRIPT_INHERITED || tag == HB_SCRIPT_UNKNOWN;
}

bool extendsCluster(char32_t c) {
    // Thai and Lao SARA AM are letters by category but sit on the consonant before them.
    return c == kZeroWidthJoiner || c == kZeroWidthNonJoiner || c == 0x0E33 || c == 0x0EB3 ||
           (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xE0100 && c <= 0xE01EF) || isMark(category(c));
}

bool isInvisible(char32_t c) {
    switch (category(c)) {
        case HB_UNICODE_GENERAL_CATEGORY_CONTROL:
        case HB_UNICODE_GENERAL_CATEGORY_SPACE_SEPARATOR:
        case HB_UNICODE_GENERAL_CATEGORY_LINE_SEPARATOR:
        case HB_UNICODE_GENERAL_CATEGORY_PARAGRAPH_SEPARATOR:
            return true;
        case HB_UNICODE_GENERAL_CATEGORY_FORMAT:
            // Number signs that are format characters by category, yet drawn.
            return !((c >= 0x0600 && c <= 0x0605) || c == 0x06DD || c == 0x070F || c == 0x08E2 || c == 0x110BD ||
                     c == 0x110CD);
        default:
            break;
    }
    // Default-ignorable characters that are marks, letters or unassigned by category.
    return c == 0x034F || c == 0x115F || c == 0x1160 || c == 0x3164 || c == 0xFFA0 || (c >= 0x180B && c <= 0x180F) ||
           (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xFFF0 && c <= 0xFFF8) || (c >= 0xE0000 && c <= 0xE0FFF);
}

}  // namespace lirava::unicode
