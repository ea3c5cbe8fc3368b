#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/text/LineBreaks.h"

namespace lirava::unicode::linebreak {
namespace {

// One character of each line-breaking class that printable ASCII has: letter, digit, space,
// "!", quotation mark, prefix, postfix, brackets (open, close, closing parenthesis), a symbol
// that breaks as a letter, separator, hyphen, slash, bar.
const std::string kOneOfEachClass = "a0 !\"$%(})_,-/|";

std::string describe(const std::string& text) {
    return "[" + text + "]";
}

// The hand rules must give ICU's breaks exactly: every text of up to five characters drawn from
// one character per class, then longer random texts over all of printable ASCII.
TEST(LineBreaks, PrintableAsciiBreaksExactlyAsIcuDoes) {
    int mismatches = 0;
    for (std::size_t length = 1; length <= 5; ++length) {
        std::vector<std::size_t> digits(length, 0);
        for (bool more = true; more && mismatches < 5;) {
            std::string text;
            for (const std::size_t d : digits) {
                text += kOneOfEachClass[d];
            }
            if (printableAscii(text) != icu(text)) {
                ADD_FAILURE() << describe(text);
                ++mismatches;
            }
            std::size_t k = 0;
            while (k < length && ++digits[k] == kOneOfEachClass.size()) {
                digits[k++] = 0;
            }
            more = k < length;
        }
    }
    std::mt19937 random(20261208);
    for (int i = 0; i < 20000 && mismatches < 5; ++i) {
        std::string text(1 + random() % 40, ' ');
        for (char& c : text) {
            c = random() % 3 == 0 ? ' ' : static_cast<char>(0x20 + random() % 95);
        }
        if (printableAscii(text) != icu(text)) {
            ADD_FAILURE() << describe(text);
            ++mismatches;
        }
    }
}

TEST(LineBreaks, OnlyPrintableAsciiTakesTheHandRules) {
    EXPECT_TRUE(isPrintableAscii("I wash my face. ~"));
    EXPECT_FALSE(isPrintableAscii("don\xE2\x80\x99t"));
    EXPECT_FALSE(isPrintableAscii("two\nlines"));
    EXPECT_FALSE(isPrintableAscii(std::string("a\x7F")));
}

}  // namespace
}  // namespace lirava::unicode::linebreak
