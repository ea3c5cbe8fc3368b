#include <gtest/gtest.h>
#include <unicode/brkiter.h>
#include <unicode/utext.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/render/FontRasterizer.h"
#include "engine/render/Image.h"
#include "engine/text/TextLayout.h"
#include "engine/text/Utf8.h"

namespace lirava {
namespace {

// Every character 10 pixels wide, lines 20 pixels apart.
class MonospaceFace : public FontFace {
public:
    int lineHeight() const override { return 20; }
    int textWidth(const std::string& text) const override { return static_cast<int>(utf8::charCount(text)) * 10; }
    std::size_t fittingPrefix(const std::string& text, int maxWidth) const override {
        std::size_t pos = 0;
        int width = 0;
        char32_t c;
        while (std::size_t step = utf8::decodeAt(text, pos, c)) {
            if (width + 10 > maxWidth) {
                break;
            }
            width += 10;
            pos += step;
        }
        return pos;
    }
    void drawText(const std::string&, Image&, int, int) const override {}
};

std::vector<std::string> linesOf(const TextLayout& layout) {
    std::vector<std::string> lines;
    for (const TextLayout::Line& line : layout.lines) {
        lines.push_back(line.text);
    }
    return lines;
}

using Lines = std::vector<std::string>;

TEST(TextLayout, LineBreaksWithoutAWidth) {
    const MonospaceFace face;
    EXPECT_TRUE(layoutText(face, "", 0).lines.empty());
    const TextLayout layout = layoutText(face, "one\r\nthree words\n\nend\n", 0);
    EXPECT_EQ(linesOf(layout), (Lines{"one", "three words", "", "end", ""}));
    EXPECT_EQ(layout.width, 110);
    EXPECT_EQ(layout.height, 100);
}

TEST(TextLayout, WordsWrapInsideTheWidth) {
    const MonospaceFace face;
    // 60 pixels: six characters a line.
    EXPECT_EQ(linesOf(layoutText(face, "the cat sat on the mat", 60)), (Lines{"the", "cat", "sat on", "the", "mat"}));
    EXPECT_EQ(linesOf(layoutText(face, "aa bb cc", 60)), (Lines{"aa bb", "cc"}));
    // Spaces at a break are dropped, indentation at the start of a paragraph is kept.
    EXPECT_EQ(linesOf(layoutText(face, "  ab    cd", 60)), (Lines{"  ab", "cd"}));
    // A word longer than a line is cut between characters, also multi-byte ones.
    EXPECT_EQ(linesOf(layoutText(face, "abcdefghijklm no", 60)), (Lines{"abcdef", "ghijkl", "m no"}));
    EXPECT_EQ(linesOf(layoutText(face, "ééééééé", 60)), (Lines{"éééééé", "é"}));
    // Narrower than one character: still one character a line, and it ends.
    EXPECT_EQ(linesOf(layoutText(face, "abc", 5)), (Lines{"a", "b", "c"}));
    const TextLayout wrapped = layoutText(face, "abc de\nf", 40);
    EXPECT_EQ(linesOf(wrapped), (Lines{"abc", "de", "f"}));
    EXPECT_EQ(wrapped.width, 30);
    EXPECT_EQ(wrapped.height, 60);
}

// Byte offsets of the word boundaries ICU's word iterator finds in the text.
std::set<std::size_t> wordBoundaries(const std::string& text) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> words(icu::BreakIterator::createWordInstance(icu::Locale::getRoot(), status));
    UText* utext = utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status);
    words->setText(utext, status);
    std::set<std::size_t> boundaries;
    for (int32_t at = words->first(); at != icu::BreakIterator::DONE; at = words->next()) {
        boundaries.insert(static_cast<std::size_t>(at));
    }
    words.reset();
    utext_close(utext);
    return boundaries;
}

TEST(TextLayout, ScriptsWithoutSpacesWrapBetweenWords) {
    const MonospaceFace face;
    // Sentences of several words written without spaces: Thai, Lao, Khmer, Burmese.
    const std::vector<std::string> sentences = {
        "ฉันตื่นนอนตอนเจ็ดโมงเช้าแล้วไปโรงเรียนกับแม่",
        "ຂ້ອຍຕື່ນນອນຕອນເຊົ້າແລ້ວໄປໂຮງຮຽນກັບແມ່",
        "ខ្ញុំភ្ញាក់ពីគេងនៅពេលព្រឹកហើយទៅសាលារៀនជាមួយម្តាយ",
        "ကျွန်တော်မနက်စောစောထပြီးအမေနဲ့အတူကျောင်းကိုသွားတယ်",
    };
    for (const std::string& text : sentences) {
        const std::set<std::size_t> boundaries = wordBoundaries(text);
        const TextLayout layout = layoutText(face, text, 100);
        EXPECT_GE(layout.lines.size(), 2u) << text;
        std::size_t end = 0;
        for (const TextLayout::Line& line : layout.lines) {
            end += line.text.size();
            EXPECT_TRUE(boundaries.count(end)) << "a line ends inside a word: " << line.text;
        }
        EXPECT_EQ(end, text.size());
    }
    // Chinese and Japanese wrap between characters, never before closing punctuation.
    for (const char* text :
         {"我每天早上七点起床，刷牙洗脸，穿好衣服。", "「くつ」をはきます。「ぼうし」もかぶります。"}) {
        const Lines lines = linesOf(layoutText(face, text, 40));
        EXPECT_GE(lines.size(), 4u) << text;
        for (const std::string& line : lines) {
            for (const char* closing : {"，", "。", "」", "！"}) {
                EXPECT_NE(line.rfind(closing, 0), 0u) << "a line starts with closing punctuation: " << line;
            }
        }
    }
}

TEST(TextLayout, HugeTextStopsAtWhatATextureCouldShow) {
    const MonospaceFace face;
    const std::string text(200000, 'x');
    const TextLayout layout = layoutText(face, text, 100);
    EXPECT_EQ(layout.lines.size(), static_cast<std::size_t>(Image::kMaxSide / 20 + 1));
    std::string manyLines;
    for (int i = 0; i < 20000; ++i) {
        manyLines += "a\n";
    }
    EXPECT_EQ(layoutText(face, manyLines, 0).lines.size(), static_cast<std::size_t>(Image::kMaxSide / 20 + 1));
}

TEST(Utf8, DecodingCountingAndRepair) {
    EXPECT_EQ(utf8::charCount("aé中😀"), 4u);
    EXPECT_EQ(utf8::lastCharStart("aé中😀"), 6u);
    EXPECT_EQ(utf8::lastCharStart(""), 0u);
    EXPECT_EQ(utf8::decode("é中"), (std::vector<char32_t>{0xE9, 0x4E2D}));
    // Malformed: lone continuation, overlong "/", surrogate, cut-off sequence, past U+10FFFF.
    const std::string bad = std::string("a\x80") + "\xC0\xAF" + "\xED\xA0\x80" + "\xF4\x90\x80\x80" + "\xE4\xB8";
    EXPECT_EQ(utf8::charCount(bad), 1u + 1u + 2u + 3u + 4u + 2u);
    const std::string repaired = utf8::sanitize(bad);
    for (char32_t c : utf8::decode(repaired)) {
        EXPECT_TRUE(c == 'a' || c == utf8::kReplacement);
    }
    EXPECT_EQ(utf8::sanitize(std::string("a\0b", 3)), "ab");
    EXPECT_EQ(utf8::sanitize("ok é"), "ok é");
    std::string out;
    utf8::append(out, 0x1F600);
    utf8::append(out, 0xD800);
    EXPECT_EQ(out, "😀\xEF\xBF\xBD");
}

}  // namespace
}  // namespace lirava
