#include "engine/render/FontFallback.h"

#include <fontconfig/fontconfig.h>

#include <chrono>

namespace lirava {

namespace {
// A text could ask for every character there is; past this many answers they are forgotten.
constexpr std::size_t kMaxAnswers = 1u << 16;

// Bitmap-only faces (colour emoji among them) cannot be drawn at any size.
bool isUsable(const FcPattern* font) {
    FcBool outline = FcTrue;
    return FcPatternGetBool(font, FC_OUTLINE, 0, &outline) != FcResultMatch || outline;
}
}  // namespace

struct FontFallback::Matcher {
    FcConfig* config = nullptr;
    // Every character some usable font has: a character outside it (unassigned, or of a script
    // no font covers) is answered without sorting the fonts, which costs milliseconds each time.
    FcCharSet* anyFont = nullptr;
    // The coverage of the fonts found while this configuration was loaded, beside their files:
    // most characters of a caption come from a font an earlier character already brought in.
    std::vector<std::pair<const FontFile*, FcCharSet*>> found;

    ~Matcher() {
        for (auto& entry : found) {
            FcCharSetDestroy(entry.second);
        }
        if (anyFont) {
            FcCharSetDestroy(anyFont);
        }
        if (config) {
            FcConfigDestroy(config);
        }
    }
};

FontFallback::FontFallback() = default;

FontFallback::~FontFallback() = default;

bool FontFallback::isLoaded() const {
    return m_matcher != nullptr;
}

void FontFallback::release() {
    m_matcher.reset();
}

const FontFile* FontFallback::fontFor(char32_t c) {
    const auto known = m_answers.find(c);
    if (known != m_answers.end()) {
        return known->second;
    }
    return remember(c, ask(c));
}

const FontFile* FontFallback::remember(char32_t c, const FontFile* font) {
    if (m_answers.size() >= kMaxAnswers) {
        m_answers.clear();
    }
    m_answers.emplace(c, font);
    return font;
}

const FontFile* FontFallback::ask(char32_t c) {
    if (!m_matcher) {
        const auto start = std::chrono::steady_clock::now();
        FcConfig* config = FcInitLoadConfigAndFonts();
        m_loadMilliseconds =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (!config) {
            return nullptr;
        }
        m_matcher = std::make_unique<Matcher>();
        m_matcher->config = config;
        m_matcher->anyFont = FcCharSetCreate();
        if (const FcFontSet* fonts = FcConfigGetFonts(config, FcSetSystem)) {
            for (int i = 0; i < fonts->nfont; ++i) {
                FcCharSet* coverage = nullptr;
                if (isUsable(fonts->fonts[i]) &&
                    FcPatternGetCharSet(fonts->fonts[i], FC_CHARSET, 0, &coverage) == FcResultMatch) {
                    FcCharSetMerge(m_matcher->anyFont, coverage, nullptr);
                }
            }
        }
    }
    if (!FcCharSetHasChar(m_matcher->anyFont, c)) {
        return nullptr;
    }
    for (const auto& entry : m_matcher->found) {
        if (FcCharSetHasChar(entry.second, c)) {
            return entry.first;
        }
    }

    FcPattern* pattern = FcPatternCreate();
    FcCharSet* wanted = FcCharSetCreate();
    FcCharSetAddChar(wanted, c);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
    FcCharSetDestroy(wanted);
    FcConfigSubstitute(m_matcher->config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcFontSet* candidates = FcFontSort(m_matcher->config, pattern, FcTrue, nullptr, &result);
    FcPatternDestroy(pattern);
    if (!candidates) {
        return nullptr;
    }

    const FontFile* chosen = nullptr;
    for (int i = 0; i < candidates->nfont && !chosen; ++i) {
        FcPattern* candidate = candidates->fonts[i];
        FcCharSet* coverage = nullptr;
        FcChar8* path = nullptr;
        int index = 0;
        if (!isUsable(candidate) || FcPatternGetCharSet(candidate, FC_CHARSET, 0, &coverage) != FcResultMatch ||
            !FcCharSetHasChar(coverage, c) || FcPatternGetString(candidate, FC_FILE, 0, &path) != FcResultMatch) {
            continue;
        }
        FcPatternGetInteger(candidate, FC_INDEX, 0, &index);
        const std::string file(reinterpret_cast<const char*>(path));
        for (const auto& font : m_fonts) {
            if (font->path == file && font->index == index) {
                chosen = font.get();
            }
        }
        if (!chosen) {
            m_fonts.push_back(std::make_unique<FontFile>(FontFile{file, index}));
            chosen = m_fonts.back().get();
        }
        m_matcher->found.emplace_back(chosen, FcCharSetCopy(coverage));
    }
    FcFontSetDestroy(candidates);
    return chosen;
}

}  // namespace lirava
