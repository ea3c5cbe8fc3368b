#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <string>

#include "engine/render/FontFallback.h"

namespace lirava {

class Image;

// One font file at one pixel size. Text given to it must be valid UTF-8 without line breaks.
class FontFace {
public:
    virtual ~FontFace() = default;

    // Distance from one line's top to the next line's top, in pixels.
    virtual int lineHeight() const = 0;
    // Advance width of the text, in pixels.
    virtual int textWidth(const std::string& utf8) const = 0;
    // Length in bytes of the longest prefix (whole characters) whose width fits in maxWidth.
    virtual std::size_t fittingPrefix(const std::string& utf8, int maxWidth) const = 0;
    // Adds the text's coverage to the alpha of target, the line's top-left corner at (x, y);
    // pixels outside the image are cut off. The colour channels are left as they are.
    virtual void drawText(const std::string& utf8, Image& target, int x, int y) const = 0;
};

// How a run of text is shaped. A script (an ISO 15924 tag such as "Arab") or a right-to-left
// direction is set on the font for the run only; the default (no script, left to right) shapes
// text the way FontFace does.
struct RunStyle {
    bool rightToLeft = false;
    std::uint32_t script = 0;
};

// A face that also measures and draws runs of one script and direction: what shaped text is
// made of. Every face FontRasterizer opens is one.
class ShapingFace : public FontFace {
public:
    // Pixels from a line's top to its baseline.
    virtual int ascent() const = 0;
    virtual bool covers(char32_t c) const = 0;
    virtual int runWidth(const std::string& utf8, const RunStyle& style) const = 0;
    // Draws the run as drawText does; a right-to-left run comes out in visual order.
    virtual void drawRun(const std::string& utf8, const RunStyle& style, Image& target, int x, int y) const = 0;
};

// Opens fonts through SDL2_ttf (FreeType with HarfBuzz shaping) and keeps the faces it opened,
// by (file, pixel size), the most recently used few. The scene graph reaches fonts only here.
//
// Fallback faces (fonts found for characters a label's font lacks) share that cache, but at most
// kMaxFallbackFaces of them stay open, and releaseFallbacks() closes them all together with the
// font matcher: a face that covers a whole script is large.
class FontRasterizer {
public:
    // Liberation Sans: metric-compatible with Arial, and the face for every font name that is
    // not a file.
    static const char* const kDefaultFontPath;
    static constexpr std::size_t kMaxCachedFaces = 32;
    static constexpr std::size_t kMaxFallbackFaces = 8;
    static constexpr int kMaxPixelSize = 512;

    static FontRasterizer* shared();
    static void purgeShared();
    // releaseFallbacks() on the shared rasterizer, if there is one.
    static void releaseSharedFallbacks();

    // The file that a font name stands for: a name ending in ".ttf" is a resource file (when it
    // exists), anything else the default font.
    static std::string fontFileForName(const std::string& fontName);

    // The face, opened on first use; null when the file cannot be opened. The pointer stays valid
    // until kMaxCachedFaces other faces were asked for, so callers do not keep it.
    ShapingFace* face(const std::string& fontFile, int pixelSize);
    // A fallback face: valid until kMaxFallbackFaces other fallback faces (or kMaxCachedFaces
    // faces of any kind) were asked for.
    ShapingFace* fallbackFace(const FontFile& font, int pixelSize);
    // The installed font for a character that a label's font lacks, or null (see FontFallback).
    const FontFile* fallbackFor(char32_t c) { return m_fallback.fontFor(c); }
    // Closes every fallback face and the font matcher.
    void releaseFallbacks();
    const FontFallback& fallback() const { return m_fallback; }

private:
    FontRasterizer();
    ~FontRasterizer();

    struct Entry;
    ShapingFace* open(const FontFile& font, int pixelSize, bool isFallback);

    std::list<Entry> m_faces;  // most recent first
    FontFallback m_fallback;
    bool m_ttfReady = false;
};

}  // namespace lirava
