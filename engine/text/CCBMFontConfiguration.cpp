#include "engine/text/CCBMFontConfiguration.h"

#include <algorithm>
#include <map>

#include "engine/platform/CCFileUtils.h"

namespace lirava {

namespace {

std::map<std::string, std::shared_ptr<CCBMFontConfiguration>>& configurationCache() {
    static std::map<std::string, std::shared_ptr<CCBMFontConfiguration>> cache;
    return cache;
}

// Decimal integer with an optional sign, clamped to [-limit, limit]; 0 when there are no digits.
long long parseInteger(const std::string& text, long long limit) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value <= limit) {
            value = value * 10 + (text[i] - '0');
        }
    }
    if (value > limit) {
        value = limit;
    }
    return negative ? -value : value;
}

// One line: its tag and its key=value pairs (values may be quoted and hold spaces).
struct Line {
    std::string tag;
    std::map<std::string, std::string> values;

    int number(const char* key, long long limit = CCBMFontConfiguration::kMaxValue) const {
        auto found = values.find(key);
        return found == values.end() ? 0 : static_cast<int>(parseInteger(found->second, limit));
    }
    bool has(const char* key) const { return values.count(key) > 0; }
};

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

Line splitLine(const std::string& text, std::size_t begin, std::size_t end) {
    Line line;
    std::size_t i = begin;
    while (i < end && isSpace(text[i]))
        ++i;
    const std::size_t tagStart = i;
    while (i < end && !isSpace(text[i]))
        ++i;
    line.tag = text.substr(tagStart, i - tagStart);
    while (i < end) {
        while (i < end && isSpace(text[i]))
            ++i;
        const std::size_t keyStart = i;
        while (i < end && !isSpace(text[i]) && text[i] != '=')
            ++i;
        std::string key = text.substr(keyStart, i - keyStart);
        std::string value;
        if (i < end && text[i] == '=') {
            ++i;
            if (i < end && text[i] == '"') {
                const std::size_t valueStart = ++i;
                while (i < end && text[i] != '"')
                    ++i;
                value = text.substr(valueStart, i - valueStart);
                if (i < end)
                    ++i;
            } else {
                const std::size_t valueStart = i;
                while (i < end && !isSpace(text[i]))
                    ++i;
                value = text.substr(valueStart, i - valueStart);
            }
        }
        if (!key.empty()) {
            line.values[std::move(key)] = std::move(value);
        }
    }
    return line;
}

}  // namespace

std::shared_ptr<CCBMFontConfiguration> CCBMFontConfiguration::parse(const std::string& text,
                                                                    const std::string& fntDirectory) {
    auto config = std::make_shared<CCBMFontConfiguration>();
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) {
            end = text.size();
        }
        const Line line = splitLine(text, begin, end);
        begin = end + 1;
        if (line.tag == "common") {
            config->m_commonHeight = std::max(0, line.number("lineHeight"));
            config->m_base = line.number("base");
        } else if (line.tag == "page") {
            auto file = line.values.find("file");
            if (line.number("id") == 0 && file != line.values.end() && !file->second.empty()) {
                config->m_atlasName = fntDirectory + file->second;
            }
        } else if (line.tag == "char") {
            const long long id = parseInteger(line.has("id") ? line.values.at("id") : std::string(), 0x110000);
            if (!line.has("id") || id < 0 || id > 0x10FFFF || line.number("page") != 0) {
                continue;
            }
            Glyph glyph;
            glyph.rect = CCRect(static_cast<float>(line.number("x")), static_cast<float>(line.number("y")),
                                static_cast<float>(line.number("width")), static_cast<float>(line.number("height")));
            glyph.xOffset = line.number("xoffset");
            glyph.yOffset = line.number("yoffset");
            glyph.xAdvance = line.number("xadvance");
            config->m_glyphs[static_cast<char32_t>(id)] = glyph;
        } else if (line.tag == "kerning") {
            const long long first = parseInteger(line.has("first") ? line.values.at("first") : "", 0x110000);
            const long long second = parseInteger(line.has("second") ? line.values.at("second") : "", 0x110000);
            if (first < 0 || first > 0x10FFFF || second < 0 || second > 0x10FFFF) {
                continue;
            }
            config->m_kerning[(static_cast<std::uint64_t>(first) << 32) | static_cast<std::uint64_t>(second)] =
                line.number("amount");
        }
    }
    if (config->m_atlasName.empty()) {
        return nullptr;
    }
    return config;
}

std::shared_ptr<CCBMFontConfiguration> CCBMFontConfiguration::load(const char* fntFile) {
    if (!fntFile || !*fntFile) {
        return nullptr;
    }
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    const std::string fullPath = files->fullPathForFilename(fntFile);
    auto& cache = configurationCache();
    auto found = cache.find(fullPath);
    if (found != cache.end()) {
        return found->second;
    }
    std::string text;
    if (!files->readFile(fullPath, text)) {
        return nullptr;
    }
    const std::size_t slash = fullPath.find_last_of('/');
    auto config = parse(text, slash == std::string::npos ? std::string() : fullPath.substr(0, slash + 1));
    if (config) {
        cache[fullPath] = config;
    }
    return config;
}

void CCBMFontConfiguration::purgeCache() {
    configurationCache().clear();
}

const CCBMFontConfiguration::Glyph* CCBMFontConfiguration::glyph(char32_t codePoint) const {
    auto found = m_glyphs.find(codePoint);
    return found == m_glyphs.end() ? nullptr : &found->second;
}

int CCBMFontConfiguration::kerning(char32_t first, char32_t second) const {
    if (m_kerning.empty()) {
        return 0;
    }
    auto found = m_kerning.find((static_cast<std::uint64_t>(first) << 32) | static_cast<std::uint64_t>(second));
    return found == m_kerning.end() ? 0 : found->second;
}

}  // namespace lirava
