#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/nodes/CCSprite.h"
#include "engine/render/CCTextureCache.h"
#include "engine/text/CCBMFontConfiguration.h"
#include "engine/text/CCLabelBMFont.h"
#include "support/EngineEnvironment.h"
#include "support/RecordingRenderer.h"
#include "support/TestImages.h"

namespace lirava {
namespace {

// A font with "A" (10 x 12, advance 11), "B" (8 x 12, offset (1, 2), advance 10), a space
// (advance 5), kerning A->B of -2, and lines 16 pixels apart.
const char* const kFont =
    "info face=\"Test\" size=16 bold=0 italic=0 charset=\"\" unicode=1\n"
    "common lineHeight=16 base=13 scaleW=64 scaleH=32 pages=1 packed=0\n"
    "page id=0 file=\"bm-font.png\"\n"
    "chars count=3\n"
    "char id=65   x=0  y=0 width=10 height=12 xoffset=0 yoffset=0 xadvance=11 page=0 chnl=15\n"
    "char id=66   x=20 y=0 width=8  height=12 xoffset=1 yoffset=2 xadvance=10 page=0 chnl=15\n"
    "char id=32   x=0  y=0 width=0  height=0  xoffset=0 yoffset=0 xadvance=5  page=0 chnl=15\n"
    "kernings count=1\n"
    "kerning first=65 second=66 amount=-2\n";

class LabelBMFontTest : public ::testing::Test {
protected:
    void SetUp() override {
        liveBefore = CCObject::liveObjectCount();
        test::writePng("bm-font.png", 64, 32, [](int x, int) { return x < 16 ? test::kRed : test::kGreen; });
        fnt = test::writeFile("bm-font.fnt", kFont);
    }
    void TearDown() override {
        test::drainAutoreleasePool();
        CCTextureCache::sharedTextureCache()->removeAllTextures();
        CCBMFontConfiguration::purgeCache();
        EXPECT_EQ(CCObject::liveObjectCount(), liveBefore) << "leaked objects";
    }

    static CCSprite* letter(CCLabelBMFont* label, int tag) { return static_cast<CCSprite*>(label->getChildByTag(tag)); }

    std::size_t liveBefore = 0;
    std::string fnt;
};

TEST_F(LabelBMFontTest, LaysOutGlyphsWithOffsetsAdvancesAndKerning) {
    CCLabelBMFont* label = CCLabelBMFont::create("AB A", fnt.c_str());
    ASSERT_NE(label, nullptr);
    // Widths: A 11, kerning -2, B 10, space 5, A 11 => 35.
    EXPECT_EQ(label->getContentSize(), CCSize(35, 16));
    ASSERT_EQ(label->getChildrenCount(), 3u) << "the space has no sprite";
    CCSprite* a = letter(label, 0);
    CCSprite* b = letter(label, 1);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->getTextureRect(), CCRect(0, 0, 10, 12));
    EXPECT_EQ(a->getPosition(), CCPoint(5, 10));  // centre of a 10 x 12 glyph hanging from the top
    EXPECT_EQ(b->getPosition(), CCPoint(11 - 2 + 1 + 4, 16 - 2 - 6));
    EXPECT_EQ(letter(label, 3)->getPosition(), CCPoint(24 + 5, 10));

    // One draw call for the whole text, tinted by the label's colour.
    test::RecordingRenderer renderer;
    label->setColor(ccc3(128, 255, 255));
    label->setAnchorPoint(CCPointZero);
    label->visit(renderer, CCAffineTransformIdentity);
    ASSERT_EQ(renderer.calls.size(), 1u);
    EXPECT_EQ(renderer.sample(5, 10), (ccColor4B{128, 0, 0, 255}));
    label->setColor(ccWHITE);
    renderer.calls.clear();
    label->visit(renderer, CCAffineTransformIdentity);
    EXPECT_EQ(renderer.sample(14, 8), test::kGreen);
}

TEST_F(LabelBMFontTest, LinesWrapAndAlign) {
    CCLabelBMFont* label = CCLabelBMFont::create("A\nAA", fnt.c_str());
    EXPECT_EQ(label->getContentSize(), CCSize(22, 32));
    EXPECT_EQ(letter(label, 0)->getPosition(), CCPoint(5, 26));
    label->setAlignment(kCCTextAlignmentRight);
    EXPECT_EQ(letter(label, 0)->getPosition(), CCPoint(11 + 5, 26));
    label->setAlignment(kCCTextAlignmentCenter);
    EXPECT_EQ(letter(label, 0)->getPosition(), CCPoint(5.5f + 5, 26));

    // Width 30: "AA AA A" wraps at the spaces.
    label->setAlignment(kCCTextAlignmentLeft);
    label->setWidth(30);
    label->setString("AA AA A");
    EXPECT_EQ(label->getContentSize(), CCSize(30, 48));
    // A word wider than the line is cut between letters.
    label->setString("AAAA");
    EXPECT_EQ(label->getContentSize(), CCSize(30, 32));
    label->setWidth(kCCLabelAutomaticWidth);
    EXPECT_EQ(label->getContentSize(), CCSize(44, 16));

    // Characters the font lacks, bad UTF-8, an empty string.
    label->setString("A\xFF\xC3z\xE2\x82\xAC");
    EXPECT_EQ(label->getChildrenCount(), 1u);
    label->setString("");
    EXPECT_EQ(label->getContentSize(), CCSizeZero);
    EXPECT_EQ(label->getChildrenCount(), 0u);
}

TEST_F(LabelBMFontTest, MissingFontsAndEmptyLabels) {
    EXPECT_EQ(CCLabelBMFont::create("A", "fonts/none.fnt"), nullptr);
    test::writeFile("no-page.fnt", "common lineHeight=16\nchar id=65 x=0 y=0 width=1 height=1\n");
    EXPECT_EQ(CCLabelBMFont::create("A", (test::scratchDir() + "no-page.fnt").c_str()), nullptr);
    test::writeFile("lost-page.fnt", "page id=0 file=\"lost.png\"\n");
    EXPECT_EQ(CCLabelBMFont::create("A", (test::scratchDir() + "lost-page.fnt").c_str()), nullptr);

    CCLabelBMFont* empty = CCLabelBMFont::create();
    empty->setString("AB");
    EXPECT_EQ(empty->getContentSize(), CCSizeZero);
    // The form a widget uses: empty text, automatic width.
    ASSERT_TRUE(empty->initWithString("", fnt.c_str(), kCCLabelAutomaticWidth, kCCTextAlignmentLeft, CCPointZero));
    empty->setString("AB");
    EXPECT_EQ(empty->getContentSize(), CCSize(19, 16));
    // The image offset moves every glyph's cut within the page.
    ASSERT_TRUE(empty->initWithString("A", fnt.c_str(), kCCLabelAutomaticWidth, kCCTextAlignmentLeft, CCPoint(2, 3)));
    EXPECT_EQ(letter(empty, 0)->getTextureRect(), CCRect(2, 3, 10, 12));
}

TEST(BMFontConfiguration, ParsesAnyBytesWithinBounds) {
    auto font = CCBMFontConfiguration::parse(kFont, "/fonts/");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->getAtlasName(), "/fonts/bm-font.png");
    EXPECT_EQ(font->getCommonHeight(), 16);
    EXPECT_EQ(font->glyphCount(), 3u);
    EXPECT_EQ(font->kerning('A', 'B'), -2);
    EXPECT_EQ(font->kerning('B', 'A'), 0);

    // Hostile numbers are clamped, ids past Unicode and other pages are dropped.
    auto hostile = CCBMFontConfiguration::parse(
        "page id=0 file=x.png\ncommon lineHeight=99999999999999999999\n"
        "char id=4294967361 x=1\nchar id=1114112 x=1\nchar id=-5 x=1\nchar id=66 page=1\n"
        "char id=67 x=-99999999999 width=99999999999999 xadvance=\"12\"\nchars count=2000000000\n"
        "kerning first=99999999999 second=1 amount=5\nchar\n=\n==x\n\"unterminated",
        "");
    ASSERT_NE(hostile, nullptr);
    EXPECT_EQ(hostile->getCommonHeight(), CCBMFontConfiguration::kMaxValue);
    EXPECT_EQ(hostile->glyphCount(), 1u);
    ASSERT_NE(hostile->glyph('C'), nullptr);
    EXPECT_EQ(hostile->glyph('C')->rect.origin.x, -CCBMFontConfiguration::kMaxValue);
    EXPECT_EQ(hostile->glyph('C')->xAdvance, 12);

    std::mt19937 random(99);
    const std::string original = kFont;
    for (int round = 0; round < 500; ++round) {
        std::string bytes = original;
        for (int e = 0; e < 10; ++e) {
            bytes[random() % bytes.size()] = static_cast<char>(random() % 256);
        }
        bytes.resize(random() % bytes.size());
        auto parsed = CCBMFontConfiguration::parse(bytes, "");
        if (parsed) {
            EXPECT_LE(parsed->glyphCount(), 3u);
        }
    }
}

}  // namespace
}  // namespace lirava
