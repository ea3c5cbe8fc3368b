#include "app/reader/CaptionLanguages.h"

#include <algorithm>
#include <cctype>

#include "engine/platform/CCFileUtils.h"
#include "engine/text/LanguageTag.h"

namespace lirava::captions {

namespace {

constexpr const char* kTablePrefix = "Stringstr.";
constexpr const char* kTableSuffix = ".xml";

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

bool sameTag(const std::string& a, const std::string& b) {
    return lower(a) == lower(b);
}

}  // namespace

std::vector<std::string> bookLanguages() {
    std::vector<std::string> languages = {kBookLanguage};
    const std::string prefix = kTablePrefix;
    for (const std::string& name : CCFileUtils::sharedFileUtils()->fileNamesIn("")) {
        if (name.size() <= prefix.size() + 4 || name.compare(0, prefix.size(), prefix) != 0 ||
            !endsWith(name, kTableSuffix)) {
            continue;
        }
        const std::string tag = name.substr(prefix.size(), name.size() - prefix.size() - 4);
        const bool known = std::any_of(languages.begin(), languages.end(),
                                       [&](const std::string& other) { return sameTag(other, tag); });
        if (language::isWellFormed(tag) && !known && tag != kOff) {
            languages.push_back(tag);
        }
    }
    return languages;
}

std::string tableFile(const std::string& tag) {
    if (tag == kBookLanguage) {
        return "Stringstr.xml";
    }
    return kTablePrefix + tag + kTableSuffix;
}

std::string localeMatch(const std::vector<std::string>& languages, const std::string& locale) {
    // "ll_CC.codeset@modifier": only the language and the region count.
    std::string name = locale.substr(0, locale.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX") {
        return std::string();
    }
    const std::size_t underscore = name.find('_');
    const std::string wantedLanguage = lower(name.substr(0, underscore));
    const std::string region = underscore == std::string::npos ? std::string() : name.substr(underscore + 1);
    std::string wantedScript;
    if (wantedLanguage == "zh") {
        if (region == "CN" || region == "SG") {
            wantedScript = "Hans";
        } else if (region == "TW" || region == "HK" || region == "MO") {
            wantedScript = "Hant";
        }
    }
    // Best first: the same script (Chinese), the same region, then the language alone.
    for (const std::string& tag : languages) {
        if (!wantedScript.empty() && language::primarySubtag(tag) == wantedLanguage &&
            language::scriptSubtag(tag) == wantedScript) {
            return tag;
        }
    }
    for (const std::string& tag : languages) {
        if (!region.empty() && language::primarySubtag(tag) == wantedLanguage &&
            language::regionSubtag(tag) == region) {
            return tag;
        }
    }
    for (const std::string& tag : languages) {
        if (language::primarySubtag(tag) == wantedLanguage) {
            return tag;
        }
    }
    return std::string();
}

std::string environmentMatch(const std::vector<std::string>& languages,
                             const std::function<const char*(const char*)>& getenv) {
    std::vector<std::string> wanted;
    if (const char* list = getenv("LANGUAGE")) {
        const std::string entries = list;
        for (std::size_t start = 0; start <= entries.size();) {
            const std::size_t colon = std::min(entries.find(':', start), entries.size());
            wanted.push_back(entries.substr(start, colon - start));
            start = colon + 1;
        }
    }
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = getenv(variable);
        if (value && *value) {
            wanted.push_back(value);
            break;
        }
    }
    for (const std::string& locale : wanted) {
        const std::string tag = localeMatch(languages, locale);
        if (!tag.empty()) {
            return tag;
        }
    }
    return std::string();
}

std::string next(const std::vector<std::string>& languages, const std::string& current) {
    if (current == kOff) {
        return languages.empty() ? std::string(kOff) : languages.front();
    }
    const auto at = std::find(languages.begin(), languages.end(), current);
    if (at == languages.end() || at + 1 == languages.end()) {
        return kOff;
    }
    return *(at + 1);
}

std::string displayName(const std::vector<std::string>& languages, const std::string& tag) {
    if (tag == kOff) {
        return "Off";
    }
    const std::string primary = language::primarySubtag(tag);
    const bool shared = std::count_if(languages.begin(), languages.end(), [&](const std::string& other) {
                            return language::primarySubtag(other) == primary;
                        }) > 1;
    return language::nativeName(tag, shared);
}

}  // namespace lirava::captions
