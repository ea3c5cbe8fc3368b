#include <gtest/gtest.h>

#include <string>

#include "app/reader/WordLabels.h"

namespace lirava::test {
namespace {

using wordlabels::Fault;

TEST(WordLabelsTest, ReadsTheLabelTrackFormatAndLightsTheLastWordStarted) {
    // A byte-order mark, CRLF ends, a blank line and an editor's frequency line are all fine.
    wordlabels::File file = wordlabels::parse(
        "\xEF\xBB\xBF"
        "0.050\t0.184\tI\r\n\\\t100.0\t4000.0\r\n\n0.300\t0.571\tbrush\n0.571\t1.2\tteeth.");
    ASSERT_TRUE(file.findings.empty());
    ASSERT_EQ(file.words.size(), 3u);
    EXPECT_EQ(file.words[2].text, "teeth.");
    EXPECT_EQ(file.words[2].line, 5);
    wordlabels::matchCaption(file, "I  brush\nteeth.");
    wordlabels::checkTrackLength(file, 1.2);
    EXPECT_TRUE(file.findings.empty());

    EXPECT_EQ(wordlabels::litWordAt(file.words, 0.049), -1);
    EXPECT_EQ(wordlabels::litWordAt(file.words, 0.050), 0);
    EXPECT_EQ(wordlabels::litWordAt(file.words, 0.25), 0);  // between words the last stays lit
    EXPECT_EQ(wordlabels::litWordAt(file.words, 0.571), 2);
    EXPECT_EQ(wordlabels::litWordAt(file.words, 99.0), 2);

    EXPECT_EQ(wordlabels::pathForTrack("epc/ab12.mp3"), "epc/ab12.txt");
    EXPECT_EQ(wordlabels::pathForTrack("a.b/track"), "a.b/track.txt");
}

TEST(WordLabelsTest, NamesTheFirstFaultOfEachKindWithItsLine) {
    const struct {
        const char* bytes;
        Fault fault;
        int line;
    } cases[] = {
        {"0.1\t0.2\n", Fault::Malformed, 1},
        {"0.1\t0.2\t\n", Fault::Malformed, 1},
        {"0.1\t0.2\ttwo words\n", Fault::Malformed, 1},
        {"0.1\t0.2\tI\n-0.1\t0.2\tam\n", Fault::Malformed, 2},
        {"nan\t0.2\tI\n", Fault::Malformed, 1},
        {"1e2\t200\tI\n", Fault::Malformed, 1},
        {"0x1\t2\tI\n", Fault::Malformed, 1},
        {"0,5\t0,6\tI\n", Fault::Malformed, 1},
        {"0.5\t0.4\tI\n", Fault::Backwards, 1},
        {"0.5\t0.6\tI\n0.4\t0.7\tam\n", Fault::Backwards, 2},
        {"0.5\t0.8\tI\n0.6\t0.9\tam\n", Fault::Overlapping, 2},
    };
    for (const auto& c : cases) {
        const wordlabels::File file = wordlabels::parse(c.bytes);
        ASSERT_FALSE(file.findings.empty()) << c.bytes;
        EXPECT_EQ(file.findings[0].fault, c.fault) << c.bytes;
        EXPECT_EQ(file.findings[0].line, c.line) << c.bytes;
    }

    const wordlabels::File huge = wordlabels::parse(std::string(wordlabels::kLargestFile + 1, '\n'));
    ASSERT_EQ(huge.findings.size(), 1u);
    EXPECT_STREQ(wordlabels::faultCode(huge.findings[0].fault), "large-labels");

    wordlabels::File other = wordlabels::parse("0.1\t0.2\tI\n0.2\t0.3\tbrush\n");
    wordlabels::matchCaption(other, "I wash");
    ASSERT_EQ(other.findings.size(), 1u);
    EXPECT_EQ(other.findings[0].line, 2);
    wordlabels::File fewer = wordlabels::parse("0.1\t0.2\tI\n");
    wordlabels::matchCaption(fewer, "I wash");
    ASSERT_EQ(fewer.findings.size(), 1u);
    EXPECT_EQ(fewer.findings[0].fault, Fault::Mismatch);
    wordlabels::checkTrackLength(other, 0.25);
    EXPECT_EQ(other.findings.back().fault, Fault::OutsideTrack);
}

}  // namespace
}  // namespace lirava::test
