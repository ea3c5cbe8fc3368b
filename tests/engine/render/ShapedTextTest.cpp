#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/render/FontRasterizer.h"
#include "engine/render/Image.h"
#include "engine/render/ShapedText.h"
#include "engine/text/Utf8.h"

namespace lirava {
namespace {

// The reader's caption: Liberation Sans at 22 pixels.
class ShapedTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!FontRasterizer::shared()->face(FontRasterizer::kDefaultFontPath, 22)) {
            GTEST_SKIP() << "Liberation Sans (fonts-liberation2) is not installed";
        }
    }

    static Image render(const std::string& text) {
        const ShapedFace face(FontRasterizer::kDefaultFontPath, 22);
        Image image(std::max(1, face.textWidth(text)), face.lineHeight());
        face.drawText(text, image, 0, 0);
        return image;
    }

    static bool same(const Image& a, const Image& b) {
        return a.width() == b.width() && a.height() == b.height() && std::memcmp(a.data(), b.data(), a.byteSize()) == 0;
    }

    // The left `width` columns of an image.
    static Image leftPart(const Image& image, int width) {
        Image part(width, image.height());
        for (int y = 0; y < image.height(); ++y) {
            std::memcpy(part.pixel(0, y), image.pixel(0, y), static_cast<std::size_t>(width) * 4);
        }
        return part;
    }

    // Code points that no font has: what every character looked like before fallback fonts.
    static std::string unassigned(std::size_t count) {
        static const char32_t kUnassigned[] = {0x0378, 0x0379, 0x0380, 0x0381, 0x0382, 0x0383, 0x038B, 0x038D};
        std::string text;
        for (std::size_t i = 0; i < count; ++i) {
            utf8::append(text, kUnassigned[i % 8]);
        }
        return text;
    }

    static std::size_t missing(const std::string& text) {
        return ShapedFace(FontRasterizer::kDefaultFontPath, 22).coverage(text).missing;
    }
};

TEST_F(ShapedTextTest, EveryScriptIsDrawnWithAFontThatHasIt) {
    // Latin text never starts the font matcher.
    FontRasterizer::shared()->releaseFallbacks();
    render("Good morning, Pip! Déjà vu. Доброе утро. Καλημέρα.");
    EXPECT_FALSE(FontRasterizer::shared()->fallback().isLoaded());

    for (const char* text : {"早上好皮普", "مرحبا", "नमस्ते", "สวัสดี", "שלום"}) {
        EXPECT_EQ(missing(text), 0u) << text << ": is every font of scripts/install-deps.sh installed?";
        EXPECT_FALSE(same(render(text), render(unassigned(utf8::charCount(text))))) << text << " is drawn as boxes";
    }
    EXPECT_TRUE(FontRasterizer::shared()->fallback().isLoaded());

    const ShapedFace::Coverage boxes = ShapedFace(FontRasterizer::kDefaultFontPath, 22).coverage("a" + unassigned(3));
    EXPECT_EQ(boxes.missing, 3u);
    EXPECT_EQ(boxes.firstMissing, 0x0378u);
    // Joiners, direction marks and spaces draw nothing, so nothing is missing.
    EXPECT_EQ(missing("\u0645\u200C\u0631\u200F \u00A0\u2028\u200D"), 0u);
}

TEST_F(ShapedTextTest, ArabicLettersJoinUnlessANonJoinerStandsBetween) {
    const std::string joined = "\u0645\u0631\u062D\u0628\u0627";
    const std::string apart = "\u0645\u200C\u0631\u200C\u062D\u200C\u0628\u200C\u0627";
    EXPECT_FALSE(same(render(joined), render(apart)));
}

TEST_F(ShapedTextTest, HebrewRunsFromTheRight) {
    // Drawn right to left, the word without its first letter is the word's left part.
    const Image word = render("\u05E9\u05DC\u05D5\u05DD");
    const Image rest = render("\u05DC\u05D5\u05DD");
    ASSERT_LT(rest.width(), word.width());
    EXPECT_TRUE(same(leftPart(word, rest.width()), rest));
    // A Latin name in a Hebrew sentence: the sentence runs from the right, so the name comes
    // last, at the left end.
    const Image mixed = render("\u05E9\u05DC\u05D5\u05DD Pip");
    const Image latin = render("Pip");
    EXPECT_TRUE(same(leftPart(mixed, latin.width()), latin));
}

TEST_F(ShapedTextTest, CutsFallBetweenClusters) {
    const ShapedFace face(FontRasterizer::kDefaultFontPath, 22);
    // Thai: a consonant with a vowel and a tone mark above it; Devanagari: a conjunct.
    for (const std::string text :
         {"\u0E1B\u0E34\u0E4A\u0E1B\u0E1B\u0E34\u0E4A\u0E1B", "\u0938\u0941\u092A\u094D\u0930\u092D\u093E\u0924"}) {
        const int full = face.textWidth(text);
        for (int width = 1; width < full; width += 3) {
            const std::size_t cut = face.fittingPrefix(text, width);
            ASSERT_LE(face.textWidth(text.substr(0, cut)), width);
            char32_t next = 0;
            utf8::decodeAt(text, cut, next);
            EXPECT_NE(next, 0x0E34u);  // never a mark or a conjunct's second letter first on a line
            EXPECT_NE(next, 0x0E4Au);
            EXPECT_NE(next, 0x0941u);
            EXPECT_NE(next, 0x0930u);
        }
    }
}

}  // namespace
}  // namespace lirava
