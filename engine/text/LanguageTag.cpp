#include "engine/text/LanguageTag.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "engine/text/IcuLibrary.h"

namespace lirava::language {

namespace {

struct Subtags {
    std::string language;
    std::string script;
    std::string region;
};

// ASCII alone, whatever the process's locale: tags are ASCII, and a letter of another alphabet
// must not pass for one.
bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char lowerCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

char upperCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool allOf(const std::string& text, bool (*test)(char)) {
    return std::all_of(text.begin(), text.end(), test);
}

std::string changeCase(std::string text, char (*change)(char)) {
    std::transform(text.begin(), text.end(), text.begin(), change);
    return text;
}

// The shape nearly every caption table has, language[-Script][-REGION] with a two-letter language
// ("es", "zh-Hans", "pt-BR", "es-419"), read without ICU, whose answer for it is the same subtags
// with their case set. Three-letter languages are left to ICU, which gives some of them their
// two-letter codes ("spa" is "es").
std::optional<Subtags> commonShape(const std::string& tag) {
    std::vector<std::string> parts;
    for (std::size_t start = 0; start <= tag.size();) {
        const std::size_t dash = std::min(tag.find('-', start), tag.size());
        parts.push_back(tag.substr(start, dash - start));
        start = dash + 1;
    }
    if (parts.size() > 3 || parts[0].size() != 2 || !allOf(parts[0], isLetter)) {
        return std::nullopt;
    }
    Subtags subtags{changeCase(parts[0], lowerCase), {}, {}};
    std::size_t next = 1;
    if (next < parts.size() && parts[next].size() == 4 && allOf(parts[next], isLetter)) {
        subtags.script = changeCase(parts[next], lowerCase);
        subtags.script[0] = upperCase(subtags.script[0]);
        ++next;
    }
    if (next < parts.size() && ((parts[next].size() == 2 && allOf(parts[next], isLetter)) ||
                                (parts[next].size() == 3 && allOf(parts[next], isDigit)))) {
        subtags.region = changeCase(parts[next], upperCase);
        ++next;
    }
    if (next != parts.size()) {
        return std::nullopt;
    }
    return subtags;
}

// ICU's locale id of a well-formed tag: every subtag read, nothing left over.
std::optional<std::string> icuLocale(const icu_library::Functions& icu, const std::string& tag) {
    char id[ULOC_FULLNAME_CAPACITY * 2];
    int32_t parsed = 0;
    UErrorCode status = U_ZERO_ERROR;
    icu.localeForLanguageTag(tag.c_str(), id, sizeof id, &parsed, &status);
    if (U_FAILURE(status) || status == U_STRING_NOT_TERMINATED_WARNING || parsed != static_cast<int32_t>(tag.size())) {
        return std::nullopt;
    }
    return std::string(id);
}

std::string icuPart(const std::string& id, int32_t (*part)(const char*, char*, int32_t, UErrorCode*)) {
    char out[ULOC_FULLNAME_CAPACITY];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = part(id.c_str(), out, sizeof out, &status);
    return U_SUCCESS(status) && status != U_STRING_NOT_TERMINATED_WARNING ? std::string(out, length) : std::string();
}

std::optional<Subtags> subtagsOf(const std::string& tag) {
    if (tag.empty() || tag.size() > 255) {
        return std::nullopt;
    }
    if (std::optional<Subtags> common = commonShape(tag)) {
        return common;
    }
    const icu_library::Functions* icu = icu_library::functions();
    if (!icu) {
        return std::nullopt;
    }
    const std::optional<std::string> id = icuLocale(*icu, tag);
    if (!id) {
        return std::nullopt;
    }
    return Subtags{icuPart(*id, icu->localeLanguage), icuPart(*id, icu->localeScript),
                   icuPart(*id, icu->localeCountry)};
}

std::string utf8Of(const icu_library::Functions& icu, const UChar* text, int32_t length) {
    char out[512];
    int32_t written = 0;
    UErrorCode status = U_ZERO_ERROR;
    icu.toUtf8(out, sizeof out, &written, text, length, &status);
    return U_SUCCESS(status) && status != U_STRING_NOT_TERMINATED_WARNING ? std::string(out, written) : std::string();
}

}  // namespace

bool isWellFormed(const std::string& tag) {
    return subtagsOf(tag).has_value();
}

std::string primarySubtag(const std::string& tag) {
    const std::optional<Subtags> subtags = subtagsOf(tag);
    return subtags ? subtags->language : std::string();
}

std::string scriptSubtag(const std::string& tag) {
    const std::optional<Subtags> subtags = subtagsOf(tag);
    return subtags ? subtags->script : std::string();
}

std::string regionSubtag(const std::string& tag) {
    const std::optional<Subtags> subtags = subtagsOf(tag);
    return subtags ? subtags->region : std::string();
}

std::string nativeName(const std::string& tag, bool withDetails) {
    const std::optional<Subtags> subtags = subtagsOf(tag);
    const icu_library::Functions* icu = icu_library::functions();
    if (!subtags || !icu) {
        return tag;
    }
    const std::optional<std::string> id = icuLocale(*icu, tag);
    if (!id) {
        return tag;
    }
    UDisplayContext contexts[] = {UDISPCTX_CAPITALIZATION_FOR_STANDALONE, UDISPCTX_NO_SUBSTITUTE};
    UErrorCode status = U_ZERO_ERROR;
    ULocaleDisplayNames* names = icu->namesOpen(id->c_str(), contexts, 2, &status);
    if (U_FAILURE(status) || !names) {
        return tag;
    }
    UChar name[256];
    const int32_t length = withDetails ? icu->namesOfLocale(names, id->c_str(), name, 256, &status)
                                       : icu->namesOfLanguage(names, subtags->language.c_str(), name, 256, &status);
    icu->namesClose(names);
    if (U_FAILURE(status) || status == U_STRING_NOT_TERMINATED_WARNING || length <= 0) {
        return tag;
    }
    const std::string utf8 = utf8Of(*icu, name, length);
    return utf8.empty() ? tag : utf8;
}

}  // namespace lirava::language
