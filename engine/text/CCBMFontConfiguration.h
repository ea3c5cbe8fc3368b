#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "engine/base/CCGeometry.h"

namespace lirava {

// A bitmap font read from an AngelCode BMFont text file (.fnt): "info", "common", "page",
// "chars", "char" and "kerning" lines of key=value pairs. Only page 0 is used.
//
// The parser takes any bytes: unknown lines and keys are skipped, numbers are clamped to
// +-kMaxValue, characters past U+10FFFF or on other pages are dropped, and nothing is sized from
// a number in the file ("count=" is ignored), so memory grows only with the file's length.
class CCBMFontConfiguration {
public:
    static constexpr int kMaxValue = 65536;

    struct Glyph {
        CCRect rect;  // in the page texture, pixels, y down
        int xOffset = 0;
        int yOffset = 0;
        int xAdvance = 0;
    };

    // Parses a whole file's text; fntDirectory is put before the page's file name. Null when
    // the text declares no page 0 file.
    static std::shared_ptr<CCBMFontConfiguration> parse(const std::string& text, const std::string& fntDirectory);
    // Reads a .fnt file by resource name, cached by full path; null when it cannot be read.
    static std::shared_ptr<CCBMFontConfiguration> load(const char* fntFile);
    static void purgeCache();

    int getCommonHeight() const { return m_commonHeight; }
    int getBase() const { return m_base; }
    // Full path of page 0's image.
    const std::string& getAtlasName() const { return m_atlasName; }
    const Glyph* glyph(char32_t codePoint) const;
    int kerning(char32_t first, char32_t second) const;
    std::size_t glyphCount() const { return m_glyphs.size(); }

private:
    int m_commonHeight = 0;
    int m_base = 0;
    std::string m_atlasName;
    std::unordered_map<char32_t, Glyph> m_glyphs;
    std::unordered_map<std::uint64_t, int> m_kerning;
};

}  // namespace lirava
