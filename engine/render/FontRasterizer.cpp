#include "engine/render/FontRasterizer.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <bitset>
#include <cctype>

#include "engine/base/CCLog.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/render/Image.h"

namespace lirava {

const char* const FontRasterizer::kDefaultFontPath = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";

namespace {

FontRasterizer* g_rasterizer = nullptr;

// Characters of valid UTF-8 to bytes: the byte length of the first `chars` characters.
std::size_t bytesOfChars(const std::string& text, int chars) {
    std::size_t pos = 0;
    while (pos < text.size() && chars > 0) {
        ++pos;
        while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) {
            ++pos;
        }
        --chars;
    }
    return pos;
}

// Sets a run's script and direction on the font for as long as it lives; the font's defaults
// (which text without a style is shaped with) come back afterwards.
class StyleScope {
public:
    StyleScope(TTF_Font* font, const RunStyle& style) : m_font(font), m_styled(style.rightToLeft || style.script != 0) {
        if (!m_styled) {
            return;
        }
        TTF_SetFontDirection(font, style.rightToLeft ? TTF_DIRECTION_RTL : TTF_DIRECTION_LTR);
        const char tag[5] = {static_cast<char>(style.script >> 24), static_cast<char>(style.script >> 16),
                             static_cast<char>(style.script >> 8), static_cast<char>(style.script), '\0'};
        TTF_SetFontScriptName(font, style.script != 0 ? tag : kNoScript);
    }
    ~StyleScope() {
        if (m_styled) {
            TTF_SetFontDirection(m_font, TTF_DIRECTION_LTR);
            TTF_SetFontScriptName(m_font, kNoScript);
        }
    }
    StyleScope(const StyleScope&) = delete;
    StyleScope& operator=(const StyleScope&) = delete;

private:
    // SDL_ttf's own default: no script, which leaves the choice of shaping rules to the font.
    static constexpr const char* kNoScript = "Zzzz";
    TTF_Font* m_font;
    bool m_styled;
};

class TtfFace : public ShapingFace {
public:
    explicit TtfFace(TTF_Font* font)
        : m_font(font), m_lineHeight(std::max(1, TTF_FontLineSkip(font))), m_ascent(TTF_FontAscent(font)) {
        // Most text is ASCII: answer for it without asking the font every time.
        for (char32_t c = 0; c < 128; ++c) {
            m_ascii[c] = TTF_GlyphIsProvided32(font, c) != 0;
        }
    }
    ~TtfFace() override { TTF_CloseFont(m_font); }
    TtfFace(const TtfFace&) = delete;
    TtfFace& operator=(const TtfFace&) = delete;

    int lineHeight() const override { return m_lineHeight; }
    int ascent() const override { return m_ascent; }
    bool covers(char32_t c) const override { return c < 128 ? m_ascii[c] : TTF_GlyphIsProvided32(m_font, c) != 0; }

    int runWidth(const std::string& utf8, const RunStyle& style) const override {
        const StyleScope scope(m_font, style);
        return textWidth(utf8);
    }

    void drawRun(const std::string& utf8, const RunStyle& style, Image& target, int x, int y) const override {
        const StyleScope scope(m_font, style);
        blit(utf8, target, x, y);
    }

    int textWidth(const std::string& utf8) const override {
        if (utf8.empty()) {
            return 0;
        }
        int w = 0;
        int h = 0;
        return TTF_SizeUTF8(m_font, utf8.c_str(), &w, &h) == 0 ? std::max(0, w) : 0;
    }

    std::size_t fittingPrefix(const std::string& utf8, int maxWidth) const override {
        if (utf8.empty() || maxWidth <= 0) {
            return 0;
        }
        int extent = 0;
        int count = 0;
        if (TTF_MeasureUTF8(m_font, utf8.c_str(), maxWidth, &extent, &count) != 0) {
            return 0;
        }
        return bytesOfChars(utf8, count);
    }

    void drawText(const std::string& utf8, Image& target, int x, int y) const override {
        if (utf8.empty() || target.isEmpty() || x >= target.width() || y >= target.height()) {
            return;
        }
        // Never ask SDL_ttf for a surface wider than what can be seen.
        std::string text = utf8;
        const int room = target.width() - std::max(0, x);
        if (textWidth(text) > room) {
            text.resize(fittingPrefix(text, room + m_lineHeight));
            if (text.empty()) {
                return;
            }
        }
        blit(text, target, x, y);
    }

private:
    // Renders the text and adds its coverage to the target's alpha.
    void blit(const std::string& text, Image& target, int x, int y) const {
        if (text.empty() || target.isEmpty() || x >= target.width() || y >= target.height()) {
            return;
        }
        SDL_Surface* surface = TTF_RenderUTF8_Blended(m_font, text.c_str(), SDL_Color{255, 255, 255, 255});
        if (!surface) {
            return;
        }
        SDL_Surface* argb = surface;
        if (surface->format->format != SDL_PIXELFORMAT_ARGB8888) {
            argb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
            SDL_FreeSurface(surface);
            if (!argb) {
                return;
            }
        }
        if (SDL_LockSurface(argb) == 0) {
            const int x0 = std::max(0, x);
            const int y0 = std::max(0, y);
            const int x1 = std::min(target.width(), x + argb->w);
            const int y1 = std::min(target.height(), y + argb->h);
            for (int ty = y0; ty < y1; ++ty) {
                const Uint32* row =
                    reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) + (ty - y) * argb->pitch);
                for (int tx = x0; tx < x1; ++tx) {
                    const unsigned coverage = (row[tx - x] >> 24) & 0xFF;
                    if (coverage == 0) {
                        continue;
                    }
                    std::uint8_t* dst = target.pixel(tx, ty);
                    dst[3] = static_cast<std::uint8_t>(coverage + dst[3] * (255 - coverage) / 255);
                }
            }
            SDL_UnlockSurface(argb);
        }
        SDL_FreeSurface(argb);
    }

    TTF_Font* m_font;
    int m_lineHeight;
    int m_ascent;
    std::bitset<128> m_ascii;
};

}  // namespace

struct FontRasterizer::Entry {
    std::string path;
    int index;
    int pixelSize;
    bool isFallback;
    std::unique_ptr<TtfFace> face;
};

FontRasterizer* FontRasterizer::shared() {
    if (!g_rasterizer) {
        g_rasterizer = new FontRasterizer();
    }
    return g_rasterizer;
}

void FontRasterizer::purgeShared() {
    delete g_rasterizer;
    g_rasterizer = nullptr;
}

FontRasterizer::FontRasterizer() {
    // SDL_ttf counts its initialisations, so this pairs with the TTF_Quit below.
    m_ttfReady = TTF_Init() == 0;
    if (!m_ttfReady) {
        CCLog("fonts: SDL_ttf could not start: %s", SDL_GetError());
    }
}

void FontRasterizer::releaseSharedFallbacks() {
    if (g_rasterizer) {
        g_rasterizer->releaseFallbacks();
    }
}

FontRasterizer::~FontRasterizer() {
    m_faces.clear();
    if (m_ttfReady) {
        TTF_Quit();
    }
}

std::string FontRasterizer::fontFileForName(const std::string& fontName) {
    const std::string suffix = ".ttf";
    if (fontName.size() > suffix.size()) {
        std::string ending = fontName.substr(fontName.size() - suffix.size());
        std::transform(ending.begin(), ending.end(), ending.begin(), [](unsigned char c) { return std::tolower(c); });
        if (ending == suffix) {
            CCFileUtils* files = CCFileUtils::sharedFileUtils();
            const std::string path = files->fullPathForFilename(fontName.c_str());
            if (files->isFileExist(path)) {
                return path;
            }
        }
    }
    return kDefaultFontPath;
}

ShapingFace* FontRasterizer::face(const std::string& fontFile, int pixelSize) {
    return open(FontFile{fontFile, 0}, pixelSize, false);
}

ShapingFace* FontRasterizer::fallbackFace(const FontFile& font, int pixelSize) {
    return open(font, pixelSize, true);
}

void FontRasterizer::releaseFallbacks() {
    m_faces.remove_if([](const Entry& entry) { return entry.isFallback; });
    m_fallback.release();
}

ShapingFace* FontRasterizer::open(const FontFile& font, int pixelSize, bool isFallback) {
    if (!m_ttfReady || font.path.empty()) {
        return nullptr;
    }
    pixelSize = std::clamp(pixelSize, 1, kMaxPixelSize);
    for (auto it = m_faces.begin(); it != m_faces.end(); ++it) {
        if (it->pixelSize == pixelSize && it->index == font.index && it->path == font.path) {
            m_faces.splice(m_faces.begin(), m_faces, it);
            return m_faces.front().face.get();
        }
    }
    // Through the file utilities, so that a font inside an archived book opens too.
    SDL_RWops* stream = CCFileUtils::sharedFileUtils()->openStream(font.path);
    TTF_Font* ttf = stream ? TTF_OpenFontIndexRW(stream, 1, pixelSize, font.index) : nullptr;
    if (!ttf) {
        CCLog("fonts: cannot open %s", font.path.c_str());
        return nullptr;
    }
    m_faces.push_front(Entry{font.path, font.index, pixelSize, isFallback, std::make_unique<TtfFace>(ttf)});
    while (m_faces.size() > kMaxCachedFaces) {
        m_faces.pop_back();
    }
    if (isFallback) {
        std::size_t fallbacks = 0;
        for (auto it = m_faces.begin(); it != m_faces.end();) {
            if (it->isFallback && ++fallbacks > kMaxFallbackFaces) {
                it = m_faces.erase(it);
            } else {
                ++it;
            }
        }
    }
    return m_faces.front().face.get();
}

}  // namespace lirava
