#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <utility>

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

// Opens fonts through SDL2_ttf (FreeType with HarfBuzz shaping) and keeps the faces it opened,
// by (file, pixel size), the most recently used few. The scene graph reaches fonts only here.
class FontRasterizer {
public:
    // Liberation Sans: metric-compatible with Arial, and the face for every font name that is
    // not a file.
    static const char* const kDefaultFontPath;
    static constexpr std::size_t kMaxCachedFaces = 32;
    static constexpr int kMaxPixelSize = 512;

    static FontRasterizer* shared();
    static void purgeShared();

    // The file that a font name stands for: a name ending in ".ttf" is a resource file (when it
    // exists), anything else the default font.
    static std::string fontFileForName(const std::string& fontName);

    // The face, opened on first use; null when the file cannot be opened. The pointer stays valid
    // until kMaxCachedFaces other faces were asked for, so callers do not keep it.
    FontFace* face(const std::string& fontFile, int pixelSize);

private:
    FontRasterizer();
    ~FontRasterizer();

    using Key = std::pair<std::string, int>;
    std::list<std::pair<Key, std::unique_ptr<FontFace>>> m_faces;  // most recent first
    bool m_ttfReady = false;
};

}  // namespace lirava
