#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/reader/BookState.h"
#include "app/reader/ReaderFixture.h"
#include "app/reader/WordLabels.h"
#include "engine/text/CCLabelTTF.h"
#include "support/DocumentFolder.h"

namespace lirava::test {
namespace {

// Page 5 of the sample book carries a label file beside every track.
class ReadAlongTest : public ReaderFixture {
protected:
    CCLabelTTF* caption() { return book::captionLabel; }

    std::vector<wordlabels::Word> labelsOf(int index) {
        std::string bytes;
        CCFileUtils* files = CCFileUtils::sharedFileUtils();
        files->readFile(files->fullPathForFilename(wordlabels::pathForTrack(narrationOf(5, index)).c_str()), bytes);
        return wordlabels::parse(bytes).words;
    }

    // Each change of the lit word while the sentence plays: (seconds since it started, word).
    std::vector<std::pair<double, int>> readAndWatch(int index) {
        touch(runningPage()->getSentenceButtons()[index]);
        const double start = now() - 2.0 / 60.0;  // the press, a frame before the release
        std::vector<std::pair<double, int>> changes;
        int lit = caption()->getLitWord();
        changes.push_back({now() - start, lit});
        runUntil(
            [&] {
                if (caption()->getLitWord() != lit) {
                    lit = caption()->getLitWord();
                    changes.push_back({now() - start, lit});
                }
                return music().empty();
            },
            10.0);
        return changes;
    }
};

TEST_F(ReadAlongTest, LightsEachWordInTurnOnTheNarrationClockAtEverySpeed) {
    for (const float speed : {1.0f, 0.5f}) {
        book::narrationSpeed = speed;
        openPage(5);
        const std::vector<wordlabels::Word> words = labelsOf(4);
        ASSERT_EQ(words.size(), 4u);  // "I wash my face."
        const auto changes = readAndWatch(4);
        // Unlit, then every word in order, then nothing once the track has ended.
        ASSERT_EQ(changes.size(), words.size() + 2) << "speed " << speed;
        for (std::size_t i = 0; i < words.size(); ++i) {
            EXPECT_EQ(changes[i + 1].second, static_cast<int>(i));
            EXPECT_NEAR(changes[i + 1].first, words[i].start / speed, 1.5 / 60.0) << "speed " << speed;
        }
        EXPECT_EQ(changes.back().second, -1);
    }
}

TEST_F(ReadAlongTest, TheCaptionsPixelsFollowTheLitWordAndItsLayoutStays) {
    openPage(5);
    touch(runningPage()->getSentenceButtons()[1]);  // "Good morning, Pip!"
    const CCSize size = caption()->getContentSize();
    const std::vector<CCRect> boxes = caption()->getWordBoxes();
    const CCRect area =
        CCRectApplyAffineTransform(CCRect(0, 0, size.width, size.height), caption()->nodeToWorldTransform());
    const auto pixels = [&] {
        std::vector<ccColor4B> out;
        const Frame& frame = capture();
        for (float y = area.getMinY(); y < area.getMaxY(); y += 1.0f) {
            for (float x = area.getMinX(); x < area.getMaxX(); x += 1.0f) {
                out.push_back(frame.atDesign(x + 0.5f, y + 0.5f));
            }
        }
        return out;
    };
    const auto same = [](const std::vector<ccColor4B>& a, const std::vector<ccColor4B>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const ccColor4B& p, const ccColor4B& q) {
            return p.r == q.r && p.g == q.g && p.b == q.b && p.a == q.a;
        });
    };
    ASSERT_TRUE(runUntil([&] { return caption()->getLitWord() == 1; }, 3.0));
    const auto morning = pixels();
    stepFrames(3);
    ASSERT_EQ(caption()->getLitWord(), 1);
    EXPECT_TRUE(same(morning, pixels()));
    ASSERT_TRUE(runUntil([&] { return caption()->getLitWord() == 2; }, 3.0));
    EXPECT_FALSE(same(morning, pixels()));

    EXPECT_TRUE(caption()->getContentSize().equals(size));
    const std::vector<CCRect> litBoxes = caption()->getWordBoxes();
    ASSERT_EQ(litBoxes.size(), 3u);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_TRUE(litBoxes[i].equals(boxes[i]));
    }
    // Boxes lie in reading order on the caption's line.
    EXPECT_LT(boxes[0].getMaxX(), boxes[1].getMinX());
    EXPECT_LT(boxes[1].getMaxX(), boxes[2].getMinX());
}

TEST_F(ReadAlongTest, AFaultyLabelFileIsReadBySentenceAndLoggedOnce) {
    // The sample book with one label file of page 5 replaced.
    namespace fs = std::filesystem;
    DocumentFolder folder;
    const fs::path root = folder.path();
    for (const fs::directory_entry& entry : fs::directory_iterator(LIRAVA_SOURCE_DIR "/book")) {
        if (entry.path().filename() != "epc") {
            fs::create_symlink(entry.path(), root / entry.path().filename());
        }
    }
    fs::create_directory(root / "epc");
    for (const fs::directory_entry& entry : fs::directory_iterator(LIRAVA_SOURCE_DIR "/book/epc")) {
        fs::create_symlink(entry.path(), root / "epc" / entry.path().filename());
    }
    const std::string labels = wordlabels::pathForTrack(narrationOf(5, 4));
    fs::remove(root / labels);
    folder.write(labels, "0.05\t0.3\tI\n0.3\t0.6\twash\n0.6\t0.9\tyour\n0.9\t1.3\tface.\n");
    CCFileUtils::sharedFileUtils()->setResourceRoot(root.string());

    openPage(5);
    testing::internal::CaptureStdout();
    for (int twice = 0; twice < 2; ++twice) {
        touch(runningPage()->getSentenceButtons()[4]);
        runUntil([&] { return caption()->getLitWord() >= 0 || music().empty(); }, 3.0);
        EXPECT_EQ(caption()->getLitWord(), -1);
        runUntil([&] { return music().empty(); }, 3.0);
    }
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(log.find("Word timings: "), log.rfind("Word timings: ")) << log;
    EXPECT_NE(log.find(labels + " line 3: label-mismatch"), std::string::npos) << log;
}

}  // namespace
}  // namespace lirava::test
