#include "engine/text/LanguageTag.h"

#include <unicode/locdspnm.h>
#include <unicode/locid.h>
#include <unicode/uloc.h>

#include <memory>

namespace lirava::language {

namespace {

// The ICU locale of a well-formed tag, bogus otherwise.
icu::Locale localeOf(const std::string& tag) {
    if (!isWellFormed(tag)) {
        icu::Locale bogus;
        bogus.setToBogus();
        return bogus;
    }
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale locale = icu::Locale::forLanguageTag(tag, status);
    if (U_FAILURE(status)) {
        locale.setToBogus();
    }
    return locale;
}

}  // namespace

bool isWellFormed(const std::string& tag) {
    if (tag.empty() || tag.size() > 255) {
        return false;
    }
    // ICU stops parsing at the first subtag that does not fit; a well-formed tag is read whole.
    char id[ULOC_FULLNAME_CAPACITY * 2];
    int32_t parsed = 0;
    UErrorCode status = U_ZERO_ERROR;
    uloc_forLanguageTag(tag.c_str(), id, sizeof id, &parsed, &status);
    return U_SUCCESS(status) && status != U_STRING_NOT_TERMINATED_WARNING && parsed == static_cast<int32_t>(tag.size());
}

std::string primarySubtag(const std::string& tag) {
    const icu::Locale locale = localeOf(tag);
    return locale.isBogus() ? std::string() : locale.getLanguage();
}

std::string scriptSubtag(const std::string& tag) {
    const icu::Locale locale = localeOf(tag);
    return locale.isBogus() ? std::string() : locale.getScript();
}

std::string regionSubtag(const std::string& tag) {
    const icu::Locale locale = localeOf(tag);
    return locale.isBogus() ? std::string() : locale.getCountry();
}

std::string nativeName(const std::string& tag, bool withDetails) {
    const icu::Locale locale = localeOf(tag);
    if (locale.isBogus()) {
        return tag;
    }
    UDisplayContext contexts[] = {UDISPCTX_CAPITALIZATION_FOR_STANDALONE, UDISPCTX_NO_SUBSTITUTE};
    const std::unique_ptr<icu::LocaleDisplayNames> names(icu::LocaleDisplayNames::createInstance(locale, contexts, 2));
    if (!names) {
        return tag;
    }
    icu::UnicodeString name;
    if (withDetails) {
        names->localeDisplayName(locale, name);
    } else {
        names->languageDisplayName(locale.getLanguage(), name);
    }
    if (name.isBogus() || name.isEmpty()) {
        return tag;
    }
    std::string out;
    return name.toUTF8String(out);
}

}  // namespace lirava::language
