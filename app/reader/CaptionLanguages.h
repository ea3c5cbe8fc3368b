#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lirava::captions {

// The languages a book's captions come in. The book's own table, "Stringstr.xml", is in the
// book's language, the one its narration speaks; beside it a book may carry
// "Stringstr.<tag>.xml" tables with the same keys, one per BCP 47 tag.

// The language of "Stringstr.xml" and of the narration.
constexpr const char* kBookLanguage = "en";
// Not a language: no caption at all.
constexpr const char* kOff = "off";

// The book's caption languages: kBookLanguage first, then the tags of its other tables in
// sorted order (files whose tag is not well-formed are left out).
std::vector<std::string> bookLanguages();

// The table of a language: "Stringstr.xml" for kBookLanguage, else "Stringstr.<tag>.xml".
std::string tableFile(const std::string& tag);

// The tag among languages that a POSIX locale name ("zh_CN.UTF-8", "es_ES@euro", "ar") asks
// for: zh_CN and zh_SG want zh-Hans, zh_TW, zh_HK and zh_MO zh-Hant; otherwise the same
// language and region, then the same language alone. Empty when none fits.
std::string localeMatch(const std::vector<std::string>& languages, const std::string& locale);

// The tag the environment asks for, in gettext's order: each entry of LANGUAGE, then the first
// set one of LC_ALL, LC_MESSAGES and LANG. Empty when nothing matches.
std::string environmentMatch(const std::vector<std::string>& languages,
                             const std::function<const char*(const char*)>& getenv);

// The language after current in languages, then kOff, then the first again.
std::string next(const std::vector<std::string>& languages, const std::string& current);

// How the language calls itself, as a button or badge shows it ("English", "中文", "Español",
// "العربية"); script and region follow only where two of languages share the language.
// kOff shows as "Off".
std::string displayName(const std::vector<std::string>& languages, const std::string& tag);

}  // namespace lirava::captions
