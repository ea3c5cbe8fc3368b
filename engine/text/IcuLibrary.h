#pragma once

#include <unicode/ubrk.h>
#include <unicode/uldnames.h>
#include <unicode/uloc.h>
#include <unicode/ustring.h>
#include <unicode/utext.h>

namespace lirava::icu_library {

// ICU's C functions that the text code calls, taken from the library the first time one is
// needed rather than linked. A book in plain English, with language tags of the common shape,
// never needs them, and loading ICU makes about 0.9 MiB of it resident before it does any work
// (2.3 MiB with the line iterator built).
struct Functions {
    decltype(&ubrk_open) breakOpen;
    decltype(&ubrk_setUText) breakSetText;
    decltype(&ubrk_next) breakNext;
    decltype(&utext_openUTF8) textOpenUtf8;
    decltype(&utext_openUChars) textOpenUChars;
    decltype(&utext_close) textClose;
    decltype(&uloc_forLanguageTag) localeForLanguageTag;
    decltype(&uloc_getLanguage) localeLanguage;
    decltype(&uloc_getScript) localeScript;
    decltype(&uloc_getCountry) localeCountry;
    decltype(&uldn_openForContext) namesOpen;
    decltype(&uldn_close) namesClose;
    decltype(&uldn_localeDisplayName) namesOfLocale;
    decltype(&uldn_languageDisplayName) namesOfLanguage;
    decltype(&u_strToUTF8) toUtf8;
};

// The functions, loaded on the first call; null when the library or one of them is missing
// (said once in the log), and then the callers fall back to what they can do without it.
const Functions* functions();

}  // namespace lirava::icu_library
