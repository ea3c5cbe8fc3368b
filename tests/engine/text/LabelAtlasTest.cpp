#include <gtest/gtest.h>

#include <string>

#include "engine/render/CCTextureCache.h"
#include "engine/text/CCLabelAtlas.h"
#include "support/EngineEnvironment.h"
#include "support/RecordingRenderer.h"
#include "support/TestImages.h"

namespace lirava {
namespace {

// Digits '0'..'9' in cells of 8 x 10, five to a row; cell i is filled with red = 10 + 20 i.
std::string writeDigitMap() {
    return test::writePng("digits.png", 40, 20, [](int x, int y) {
        const int cell = (y / 10) * 5 + x / 8;
        return ccColor4B{static_cast<std::uint8_t>(10 + 20 * cell), 0, 0, 255};
    });
}

TEST(LabelAtlas, EachCharacterDrawsItsCellAndUnknownOnesLeaveAGap) {
    const std::size_t liveBefore = CCObject::liveObjectCount();
    {
        test::RecordingRenderer renderer;
        const std::string map = writeDigitMap();
        CCLabelAtlas* label = CCLabelAtlas::create("0?79", map.c_str(), 8, 10, '0');
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->getContentSize(), CCSize(32, 10));
        EXPECT_EQ(label->getQuadsToDraw(), 3u) << "'?' lies after the map: nothing drawn";
        label->setPosition(CCPoint(100, 100));
        label->setColor(ccc3(255, 255, 0));
        label->visit(renderer, CCAffineTransformIdentity);
        ASSERT_EQ(renderer.calls.size(), 1u);
        EXPECT_EQ(renderer.sample(104, 105), (ccColor4B{10, 0, 0, 255}));
        EXPECT_FALSE(renderer.sample(112, 105).has_value());
        EXPECT_EQ(renderer.sample(120, 105), (ccColor4B{10 + 20 * 7, 0, 0, 255}));  // second row
        EXPECT_EQ(renderer.sample(128, 101), (ccColor4B{10 + 20 * 9, 0, 0, 255}));

        label->setString(" /01");  // before the map: nothing
        EXPECT_STREQ(label->getString(), " /01");
        EXPECT_EQ(label->getQuadsToDraw(), 2u);
        EXPECT_EQ(label->getContentSize(), CCSize(32, 10));
        label->setString(nullptr);
        EXPECT_EQ(label->getContentSize(), CCSize(0, 10));

        EXPECT_EQ(CCLabelAtlas::create("1", "Images/missing-map.png", 8, 10, '0'), nullptr);
        EXPECT_EQ(CCLabelAtlas::create("1", map.c_str(), 0, 10, '0'), nullptr);
        // Not yet given a map: draws nothing.
        CCLabelAtlas* empty = CCLabelAtlas::create();
        empty->setString("123");
        renderer.calls.clear();
        empty->visit(renderer, CCAffineTransformIdentity);
        EXPECT_TRUE(renderer.calls.empty());
        test::drainAutoreleasePool();
        CCTextureCache::sharedTextureCache()->removeAllTextures();
    }
    EXPECT_EQ(CCObject::liveObjectCount(), liveBefore);
}

}  // namespace
}  // namespace lirava
