#include <gtest/gtest.h>

#include "app/reader/SentenceNames.h"

namespace lirava::sentence {
namespace {

TEST(SentenceNames, PagesBelowTenCarryAZeroInEveryPrefix) {
    EXPECT_EQ(buttonName(5, 3), "bn053");
    EXPECT_EQ(textKey(5, 3), "str053");
    EXPECT_EQ(narrationName(5, 3), "mc053.mp3");
    EXPECT_EQ(buttonName(5, 12), "bn0512");
    EXPECT_EQ(buttonName(9, 29), "bn0929");
    EXPECT_EQ(buttonName(10, 1), "bn101");
    EXPECT_EQ(textKey(12, 3), "str123");
    EXPECT_EQ(narrationName(96, 11), "mc9611.mp3");
    EXPECT_EQ(pageDocument(5), "english5down/english5down_5.json");
}

TEST(SentenceNames, TheTouchPathNamesEverySentenceLikeAutoPlay) {
    for (int page = kFirstPage; page <= kLastPage; ++page) {
        for (int index = kFirstIndex; index <= kLastIndex; ++index) {
            const int key = keyFor(page, index);
            ASSERT_EQ(textKeyForKey(page, key), textKey(page, index)) << page << " " << index;
            ASSERT_EQ(narrationNameForKey(page, key), narrationName(page, index)) << page << " " << index;
            ASSERT_EQ(indexAfterKey(page, key), index + 1) << page << " " << index;
        }
    }
    EXPECT_EQ(keyFor(5, 3), 53);
    EXPECT_EQ(keyFor(5, 12), 512);
    EXPECT_EQ(keyFor(12, 3), 123);
}

TEST(SentenceNames, NarrationFilesAreNamedByTheDigestOfTheWholeName) {
    // Digests from an independent MD5 implementation.
    EXPECT_EQ(narrationPath("mc051.mp3"), "epc/6f1eea6c799be33b03db06daa017a7a2.mp3");
    EXPECT_EQ(narrationPath("mc123.mp3"), "epc/1e2e8f136654b4a65991568511b824e4.mp3");
    EXPECT_EQ(narrationPath("mc0512.mp3"), "epc/dbb79de37fc4886bb57451d835c95dc6.mp3");
}

}  // namespace
}  // namespace lirava::sentence
