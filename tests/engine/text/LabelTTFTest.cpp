#include <gtest/gtest.h>

#include <string>

#include "engine/platform/CCEGLView.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/FontRasterizer.h"
#include "engine/render/Image.h"
#include "engine/text/CCLabelTTF.h"
#include "engine/text/Utf8.h"
#include "support/EngineEnvironment.h"
#include "support/RecordingRenderer.h"

namespace lirava {
namespace {

class LabelTTFTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!FontRasterizer::shared()->face(FontRasterizer::kDefaultFontPath, 20)) {
            GTEST_SKIP() << "Liberation Sans (fonts-liberation2) is not installed";
        }
        liveBefore = CCObject::liveObjectCount();
    }
    void TearDown() override {
        test::drainAutoreleasePool();
        if (liveBefore) {
            EXPECT_EQ(CCObject::liveObjectCount(), liveBefore) << "leaked objects";
        }
    }

    // Columns of the label's texture that hold any ink, first and last (-1 when blank), in the
    // rows [top, bottom).
    struct Span {
        int first;
        int last;
    };

    static Span inkColumns(const Image& image, int top, int bottom) {
        int first = -1;
        int last = -1;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = std::max(0, top); y < std::min(bottom, image.height()); ++y) {
                if (image.pixel(x, y)[3] > 128) {
                    if (first < 0)
                        first = x;
                    last = x;
                    break;
                }
            }
        }
        return Span{first, last};
    }

    static Span inkRows(const Image& image) {
        int first = -1;
        int last = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y)[3] > 128) {
                    if (first < 0)
                        first = y;
                    last = y;
                    break;
                }
            }
        }
        return Span{first, last};
    }

    std::size_t liveBefore = 0;
};

TEST_F(LabelTTFTest, WithoutDimensionsTheLabelIsAsLargeAsItsLines) {
    CCLabelTTF* label = CCLabelTTF::create("Hello", "Arial", 20);
    ASSERT_NE(label, nullptr);
    const CCSize one = label->getContentSize();
    EXPECT_GT(one.width, 30.0f);
    EXPECT_LT(one.width, 70.0f);
    EXPECT_GT(one.height, 18.0f);
    EXPECT_LT(one.height, 30.0f);
    EXPECT_EQ(label->getAnchorPoint(), CCPoint(0.5f, 0.5f));

    label->setString("Hello\nHello, world");
    EXPECT_EQ(label->getContentSize().height, 2 * one.height);
    EXPECT_GT(label->getContentSize().width, one.width * 1.8f);

    // Unknown names and a missing font file fall back to the same face.
    CCLabelTTF* unknown = CCLabelTTF::create("Hello", "No Such Font", 20);
    CCLabelTTF* missingFile = CCLabelTTF::create("Hello", "fonts/missing.ttf", 20);
    EXPECT_EQ(unknown->getContentSize(), one);
    EXPECT_EQ(missingFile->getContentSize(), one);
    EXPECT_STREQ(missingFile->getFontName(), "fonts/missing.ttf");

    label->setFontSize(40);
    EXPECT_GT(label->getContentSize().height, 3.5f * one.height);
}

TEST_F(LabelTTFTest, HeightZeroGrowsWithTheTextInsideTheWidth) {
    CCLabelTTF* label = CCLabelTTF::create("word", "Arial", 22, CCSize(160, 0), kCCTextAlignmentCenter);
    ASSERT_NE(label, nullptr);
    const float lineHeight = label->getContentSize().height;
    EXPECT_EQ(label->getContentSize().width, 160.0f);
    EXPECT_EQ(label->getLayout().lines.size(), 1u);
    label->setString("The little fox ran all the way home across the hills before the sun went down");
    EXPECT_EQ(label->getContentSize().width, 160.0f);
    const std::size_t lines = label->getLayout().lines.size();
    EXPECT_GE(lines, 4u);
    EXPECT_EQ(label->getContentSize().height, lineHeight * static_cast<float>(lines));
    for (const TextLayout::Line& line : label->getLayout().lines) {
        EXPECT_LE(line.width, 160) << line.text;
    }
    // Fixed height: the content keeps it whatever the text.
    label->setDimensions(CCSize(160, 50));
    EXPECT_EQ(label->getContentSize(), CCSize(160, 50));
    label->setDimensions(CCSize(-5, -5));
    EXPECT_EQ(label->getDimensions(), CCSizeZero);
}

TEST_F(LabelTTFTest, EmptyTextHasNoSizeAndDrawsNothing) {
    test::RecordingRenderer renderer;
    CCLabelTTF* label = CCLabelTTF::create("", "Arial", 20);
    EXPECT_EQ(label->getContentSize(), CCSizeZero);
    label->visit(renderer, CCAffineTransformIdentity);
    EXPECT_TRUE(renderer.calls.empty());
    CCLabelTTF* wide = CCLabelTTF::create("", "Arial", 20, CCSize(100, 0), kCCTextAlignmentLeft);
    EXPECT_EQ(wide->getContentSize(), CCSize(100, 0));
    wide->setString(nullptr);
    EXPECT_STREQ(wide->getString(), "");
    CCLabelTTF* plain = CCLabelTTF::create();
    EXPECT_EQ(plain->getContentSize(), CCSizeZero);
    EXPECT_EQ(plain->getFontSize(), CCLabelTTF::kDefaultFontSize);
}

TEST_F(LabelTTFTest, LinesFollowTheHorizontalAndVerticalAlignment) {
    CCLabelTTF* label = CCLabelTTF::create("ab\nabcdefgh", "Arial", 20, CCSize(200, 100), kCCTextAlignmentLeft,
                                           kCCVerticalTextAlignmentTop);
    const int lineHeight = static_cast<int>(label->getLayout().height / 2);
    auto firstLine = [&](CCLabelTTF* l) { return inkColumns(*l->getTexture()->getImage(), 0, lineHeight); };
    ASSERT_NE(label->getTexture(), nullptr);
    ASSERT_NE(label->getTexture()->getImage(), nullptr);
    EXPECT_EQ(label->getTexture()->getPixelsWide(), 200u);
    EXPECT_EQ(label->getTexture()->getPixelsHigh(), 100u);
    const auto left = firstLine(label);
    EXPECT_LT(left.first, 4);
    EXPECT_GT(inkRows(*label->getTexture()->getImage()).first, -1);
    EXPECT_LT(inkRows(*label->getTexture()->getImage()).first, lineHeight / 2);

    label->setHorizontalAlignment(kCCTextAlignmentRight);
    const auto right = firstLine(label);
    EXPECT_GT(right.last, 194);
    label->setHorizontalAlignment(kCCTextAlignmentCenter);
    const auto centre = firstLine(label);
    EXPECT_NEAR((centre.first + centre.last) / 2.0, 100.0, 3.0);

    label->setVerticalAlignment(kCCVerticalTextAlignmentBottom);
    EXPECT_GT(inkRows(*label->getTexture()->getImage()).last, 100 - lineHeight / 2);
    label->setVerticalAlignment(kCCVerticalTextAlignmentCenter);
    const auto rows = inkRows(*label->getTexture()->getImage());
    EXPECT_NEAR((rows.first + rows.last) / 2.0, 50.0, lineHeight / 2.0);
}

TEST_F(LabelTTFTest, DrawsWhiteTextTintedByItsColour) {
    test::RecordingRenderer renderer;
    CCLabelTTF* label = CCLabelTTF::create("IIIIIIII", "Arial", 40);
    label->setColor(ccc3(0, 0, 255));
    label->setOpacity(200);
    label->setAnchorPoint(CCPointZero);
    label->visit(renderer, CCAffineTransformIdentity);
    ASSERT_EQ(renderer.calls.size(), 1u);
    const Image& pixels = renderer.textures.begin()->second;
    EXPECT_EQ(pixels.pixel(0, 0)[0], 255) << "text is drawn white";
    // Somewhere inside the strokes, the sample is blue at the label's opacity.
    bool foundInk = false;
    const CCSize size = label->getContentSize();
    for (float x = 0.5f; x < size.width && !foundInk; x += 1.0f) {
        const auto color = renderer.sample(x, size.height * 0.5f);
        if (color && color->a == 200) {
            EXPECT_EQ(*color, (ccColor4B{0, 0, 255, 200}));
            foundInk = true;
        }
    }
    EXPECT_TRUE(foundInk);
}

TEST_F(LabelTTFTest, BadAndHugeTextDoesNotBreakTheLabel) {
    const std::string invalid = std::string("ok \xC3\x28 \xF0\x28\x8C\xBC \xFF end") + std::string(1, '\0') + "x";
    CCLabelTTF* label = CCLabelTTF::create(invalid.c_str(), "Arial", 20);
    EXPECT_GT(label->getContentSize().width, 0.0f);
    EXPECT_NE(label->getTexture(), nullptr);
    EXPECT_EQ(std::string(label->getString()), std::string("ok \xC3\x28 \xF0\x28\x8C\xBC \xFF end"));

    const std::string longWord(100000, 'w');
    label->setString(longWord.c_str());
    EXPECT_LE(label->getContentSize().width, static_cast<float>(Image::kMaxSide));
    ASSERT_NE(label->getTexture(), nullptr);
    EXPECT_LE(label->getTexture()->getPixelsWide(), static_cast<unsigned>(Image::kMaxSide));

    label->setDimensions(CCSize(300, 0));
    std::string prose;
    for (int i = 0; i < 5000; ++i) {
        prose += "word ";
    }
    label->setString(prose.c_str());
    EXPECT_EQ(label->getContentSize().width, 300.0f);
    EXPECT_LE(label->getContentSize().height, static_cast<float>(Image::kMaxSide));
    EXPECT_NE(label->getTexture(), nullptr);
    label->setFontSize(-3);
    label->setFontSize(100000);
    EXPECT_GT(label->getContentSize().height, 0.0f);
}

// Characters that cannot be text reach no line breaker as themselves: each noncharacter draws as
// one box beside the words, malformed bytes as U+FFFD; flags and long rows of marks lay out too.
TEST_F(LabelTTFTest, CharactersThatCannotBeTextDrawAsBoxesAndNeverStopTheLayout) {
    CCLabelTTF* label = CCLabelTTF::create("Hi \uFFFF there", "Arial", 22, CCSize(160, 0), kCCTextAlignmentCenter);
    ASSERT_EQ(label->getLayout().lines.size(), 1u);
    EXPECT_EQ(label->getLayout().lines[0].text, "Hi \U00040000 there");
    EXPECT_EQ(label->getMissingGlyphCount(), 1u);
    EXPECT_NE(label->getTexture(), nullptr);

    label->setDimensions(CCSize(600, 0));
    label->setString("\xEF\xBF\xBE\xF4\x8F\xBF\xBF\xEF\xB7\x90 a\xED\xA0\x80z \xC0\xAF");
    std::string joined;
    for (const TextLayout::Line& line : label->getLayout().lines) {
        joined += line.text;
    }
    EXPECT_EQ(joined, "\U00040000\U00040000\U00040000 a\uFFFD\uFFFD\uFFFDz \uFFFD\uFFFD");
    EXPECT_EQ(label->getMissingGlyphCount(), 3u);
    label->setString("flags \U0001F1EC\U0001F1E7\U0001F1FA\U0001F1F8 end");
    EXPECT_EQ(label->getLayout().lines.size(), 1u);

    std::string stacked = "e";
    for (int i = 0; i < 3000; ++i) {
        stacked += "\u0301";
    }
    label->setString((stacked + " " + std::string(200, '\xE2') + "\u202B\u2067").c_str());
    EXPECT_NE(label->getTexture(), nullptr);
    EXPECT_LE(label->getLayout().lines[0].text.size(), 1u + 2u * 30u);
}

TEST_F(LabelTTFTest, ChineseWrapsBetweenCharactersInsideTheCaptionWidth) {
    const std::string text = "我每天早上七点起床，刷牙洗脸，穿好衣服，吃完早饭，背上书包，和小狗一起走去学校。";
    ASSERT_EQ(utf8::charCount(text), 40u);
    CCLabelTTF* label = CCLabelTTF::create(text.c_str(), "Arial", 22, CCSize(160, 0), kCCTextAlignmentCenter);
    const std::vector<TextLayout::Line>& lines = label->getLayout().lines;
    ASSERT_GE(lines.size(), 4u);
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].width, 160) << lines[i].text;
        if (i + 1 < lines.size()) {
            EXPECT_GT(lines[i].width, 160 - 2 * 22) << "a line ends early: " << lines[i].text;
        }
        // Closing punctuation never starts a line.
        EXPECT_NE(lines[i].text.rfind("，", 0), 0u) << lines[i].text;
        EXPECT_NE(lines[i].text.rfind("。", 0), 0u) << lines[i].text;
        joined += lines[i].text;
    }
    EXPECT_EQ(joined, text);
    EXPECT_EQ(label->getMissingGlyphCount(), 0u);
    label->setString("a\u0378b\u0379");
    EXPECT_EQ(label->getMissingGlyphCount(), 2u);
}

TEST_F(LabelTTFTest, MarksAboveAndBelowOtherScriptsAreNotCutOff) {
    // A Devanagari vowel sign with a nasal dot over it, Thai vowels and tone marks over and under
    // the letters: they reach past the Latin font's ascent and descent.
    for (const char* text :
         {"\u092E\u0948\u0902 \u0939\u0942\u0901", "\u0E09\u0E31\u0E19\u0E1B\u0E34\u0E4A\u0E1B\u0E24\u0E38"}) {
        CCLabelTTF* label = CCLabelTTF::create(text, "Arial", 22);
        ASSERT_NE(label->getTexture(), nullptr);
        const Image& pixels = *label->getTexture()->getImage();
        const Span rows = inkRows(pixels);
        EXPECT_GT(rows.first, 0) << text << ": the top row has ink, so a mark is cut off";
        EXPECT_LT(rows.last, pixels.height() - 1) << text;
    }
}

TEST_F(LabelTTFTest, PixelsFollowTheWindowScaleWhileTheLayoutStays) {
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    struct RestoreFrame {
        CCEGLView* view;
        CCSize size;
        ~RestoreFrame() { view->setFrameSize(size.width, size.height); }
    } restore{view, view->getFrameSize()};
    view->setFrameSize(640, 960);

    CCLabelTTF* label = CCLabelTTF::create("Unit 1\nRecycle 2", "Arial", 60, CCSize(300, 0), kCCTextAlignmentCenter);
    label->setAnchorPoint(CCPointZero);
    const CCSize size = label->getContentSize();
    const std::size_t lines = label->getLayout().lines.size();
    ASSERT_EQ(label->getTexture()->getPixelsWide(), 300u);
    const Span designInk = inkRows(*label->getTexture()->getImage());

    view->setFrameSize(1280, 1920);
    CCTexture2D* sharp = label->getTexture();
    ASSERT_NE(sharp, nullptr);
    EXPECT_EQ(sharp->getPixelsWide(), 600u);
    EXPECT_EQ(static_cast<float>(sharp->getPixelsHigh()), 2 * size.height);
    EXPECT_EQ(sharp->getContentSize(), size);
    EXPECT_EQ(label->getContentSize(), size);
    EXPECT_EQ(label->getLayout().lines.size(), lines);
    // The glyphs are drawn for twice the pixels, not stretched afterwards.
    const Span sharpInk = inkRows(*sharp->getImage());
    EXPECT_NEAR(sharpInk.last - sharpInk.first, 2 * (designInk.last - designInk.first), 4);
    // Drawn over the same design rectangle, all of the texture.
    test::RecordingRenderer renderer;
    label->visit(renderer, CCAffineTransformIdentity);
    ASSERT_EQ(renderer.calls.size(), 1u);
    const Vertex& topRight = renderer.calls[0].vertices[3];
    EXPECT_FLOAT_EQ(topRight.x, size.width);
    EXPECT_FLOAT_EQ(topRight.y, size.height);
    EXPECT_FLOAT_EQ(topRight.u, 1.0f);

    view->setFrameSize(640, 960);
    EXPECT_EQ(label->getTexture()->getPixelsWide(), 300u);
}

}  // namespace
}  // namespace lirava
