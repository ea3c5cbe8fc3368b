// Prints the offsets, in code points, of the word boundaries that ICU's word iterator finds in
// its argument (UTF-8), one a line; the caption tests check line ends against them.
//   word_boundaries TEXT
#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: word_boundaries TEXT\n", stderr);
        return 2;
    }
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(argv[1]);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> words(icu::BreakIterator::createWordInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status)) {
        std::fprintf(stderr, "word_boundaries: %s\n", u_errorName(status));
        return 1;
    }
    words->setText(text);
    for (int32_t at = words->first(); at != icu::BreakIterator::DONE; at = words->next()) {
        std::printf("%d\n", text.countChar32(0, at));
    }
    return 0;
}
