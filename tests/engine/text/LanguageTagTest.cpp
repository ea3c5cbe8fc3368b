#include <gtest/gtest.h>
#include <unicode/uloc.h>

#include <string>

#include "engine/text/LanguageTag.h"

namespace lirava::language {
namespace {

struct IcuReading {
    bool wellFormed = false;
    std::string language, script, region;
};

IcuReading readByIcu(const std::string& tag) {
    IcuReading reading;
    char id[ULOC_FULLNAME_CAPACITY * 2];
    int32_t parsed = 0;
    UErrorCode status = U_ZERO_ERROR;
    uloc_forLanguageTag(tag.c_str(), id, sizeof id, &parsed, &status);
    reading.wellFormed = U_SUCCESS(status) && parsed == static_cast<int32_t>(tag.size());
    if (reading.wellFormed) {
        char part[ULOC_FULLNAME_CAPACITY];
        uloc_getLanguage(id, part, sizeof part, &status);
        reading.language = part;
        uloc_getScript(id, part, sizeof part, &status);
        reading.script = part;
        uloc_getCountry(id, part, sizeof part, &status);
        reading.region = part;
    }
    return reading;
}

// Tags of the common shape are read without ICU; the answers must be ICU's, for every language
// code of two and three letters and the scripts and regions that follow one.
TEST(LanguageTag, CommonTagsReadAsIcuReadsThem) {
    std::vector<std::string> tags;
    const std::string letters = "abcdefghijklmnopqrstuvwxyz";
    for (const char a : letters) {
        for (const char b : letters) {
            tags.push_back({a, b});
            for (const char c : letters) {
                tags.push_back({a, b, c});
            }
        }
    }
    for (const char* tail : {"-Hans", "-latn", "-BR", "-us", "-419", "-Cyrl-RS", "-HANT-tw", "-1996", "-x-a"}) {
        for (const char* language : {"en", "zh", "sr", "ZH", "und", "iw", "cmn", "i", "root"}) {
            tags.push_back(std::string(language) + tail);
        }
    }
    int mismatches = 0;
    for (const std::string& tag : tags) {
        const IcuReading icu = readByIcu(tag);
        const bool same = isWellFormed(tag) == icu.wellFormed && primarySubtag(tag) == icu.language &&
                          scriptSubtag(tag) == icu.script && regionSubtag(tag) == icu.region;
        if (!same && ++mismatches <= 5) {
            ADD_FAILURE() << tag << ": ICU reads " << icu.language << "/" << icu.script << "/" << icu.region;
        }
    }
}

TEST(LanguageTag, OtherShapesAreLeftToIcu) {
    EXPECT_EQ(primarySubtag("i-klingon"), "tlh");
    EXPECT_EQ(primarySubtag("und"), "");
    EXPECT_EQ(regionSubtag("de-CH-1996"), "CH");
    EXPECT_EQ(nativeName("sr-Latn-RS", true), "srpski (latinica, Srbija)");
}

}  // namespace
}  // namespace lirava::language
