#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/reader/CaptionLanguages.h"
#include "engine/text/LanguageTag.h"

namespace lirava {
namespace {

using Tags = std::vector<std::string>;
const Tags kBook = {"en", "ar", "es", "pt-BR", "zh-Hans", "zh-Hant"};

TEST(CaptionLanguages, LocalesPickTheTableTheirReadersRead) {
    const std::map<std::string, std::string> wanted = {
        {"zh_CN.UTF-8", "zh-Hans"},
        {"zh_SG", "zh-Hans"},
        {"zh_TW.UTF-8", "zh-Hant"},
        {"zh_HK", "zh-Hant"},
        {"es_ES.UTF-8", "es"},
        {"es_MX@euro", "es"},
        {"ar", "ar"},
        {"pt_BR.UTF-8", "pt-BR"},
        {"pt_PT", "pt-BR"},
        {"en_GB.UTF-8", "en"},
        {"fr_FR.UTF-8", ""},
        {"C.UTF-8", ""},
        {"POSIX", ""},
        {"", ""},
    };
    for (const auto& [locale, tag] : wanted) {
        EXPECT_EQ(captions::localeMatch(kBook, locale), tag) << locale;
    }
    // Without a table in the script asked for, the language alone decides.
    EXPECT_EQ(captions::localeMatch({"en", "zh-Hant"}, "zh_CN"), "zh-Hant");
}

TEST(CaptionLanguages, TheEnvironmentIsReadInGettextsOrder) {
    auto match = [](std::map<std::string, std::string> env) {
        return captions::environmentMatch(kBook, [&](const char* name) -> const char* {
            const auto found = env.find(name);
            return found == env.end() ? nullptr : found->second.c_str();
        });
    };
    EXPECT_EQ(match({{"LANGUAGE", "fr:ar:es"}, {"LANG", "es_ES.UTF-8"}}), "ar");
    EXPECT_EQ(match({{"LANGUAGE", ""}, {"LC_ALL", "zh_TW.UTF-8"}, {"LANG", "es_ES.UTF-8"}}), "zh-Hant");
    EXPECT_EQ(match({{"LC_MESSAGES", "es_ES"}, {"LANG", "ar_EG"}}), "es");
    // The first set one of LC_ALL, LC_MESSAGES and LANG counts, even when it matches nothing.
    EXPECT_EQ(match({{"LC_ALL", "fr_FR"}, {"LANG", "es_ES"}}), "");
    EXPECT_EQ(match({}), "");
}

TEST(CaptionLanguages, TheKeyStepsThroughEveryLanguageAndOff) {
    const Tags book = {"en", "ar", "es"};
    std::string at = "en";
    Tags seen;
    for (int i = 0; i < 5; ++i) {
        at = captions::next(book, at);
        seen.push_back(at);
    }
    EXPECT_EQ(seen, (Tags{"ar", "es", "off", "en", "ar"}));
}

TEST(CaptionLanguages, NamesAndTags) {
    const Tags book = {"en", "ar", "es", "zh-Hans"};
    EXPECT_EQ(captions::displayName(book, "en"), "English");
    EXPECT_EQ(captions::displayName(book, "zh-Hans"), "中文");
    EXPECT_EQ(captions::displayName(book, "es"), "Español");
    EXPECT_EQ(captions::displayName(book, "ar"), "العربية");
    EXPECT_EQ(captions::displayName(book, "off"), "Off");
    // Two tables of one language are told apart by their script.
    EXPECT_NE(captions::displayName(kBook, "zh-Hans"), captions::displayName(kBook, "zh-Hant"));

    for (const char* good : {"en", "zh-Hans", "pt-BR", "sr-Latn-RS", "es-419", "de-CH-1996"}) {
        EXPECT_TRUE(language::isWellFormed(good)) << good;
    }
    for (const char* bad : {"", "e", "zh_Hans", "en-", "-en", "en--US", "toolonglanguage", "en-US-", "中文"}) {
        EXPECT_FALSE(language::isWellFormed(bad)) << bad;
    }
    EXPECT_EQ(captions::tableFile("en"), "Stringstr.xml");
    EXPECT_EQ(captions::tableFile("zh-Hans"), "Stringstr.zh-Hans.xml");
}

}  // namespace
}  // namespace lirava
