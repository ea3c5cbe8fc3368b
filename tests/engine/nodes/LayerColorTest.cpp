#include <gtest/gtest.h>

#include "engine/nodes/CCLayerColor.h"
#include "engine/nodes/CCLayerGradient.h"
#include "engine/nodes/CCScene.h"
#include "support/HeadlessFixture.h"
#include "tests/engine/nodes/ClipRecordingRenderer.h"

namespace lirava {
namespace {

class LayerColor : public test::HeadlessFixture {
protected:
    // The corner colours the layer draws with: bottom-left, bottom-right, top-left, top-right.
    std::vector<ccColor4B> corners(CCLayerColor* layer) {
        test::ClipRecordingRenderer recorder;
        layer->draw(recorder, CCAffineTransformIdentity);
        std::vector<ccColor4B> colors;
        if (recorder.batches.size() != 1) {
            return colors;
        }
        const auto& v = recorder.batches[0].vertices;
        // Expanded through the quad's indices (0 1 2, 2 1 3).
        colors = {v[0].color, v[1].color, v[2].color, v[5].color};
        return colors;
    }
};

TEST_F(LayerColor, CreationSizesAndColours) {
    CCLayerColor* plain = CCLayerColor::create();
    EXPECT_EQ(plain->getContentSize(), CCSize(640, 960));
    EXPECT_EQ(plain->getOpacity(), 0);

    CCLayerColor* home = CCLayerColor::create(ccc4(5, 230, 28, 234));
    EXPECT_EQ(home->getContentSize(), CCSize(640, 960));
    EXPECT_EQ(home->getColor(), ccc3(5, 230, 28));
    EXPECT_EQ(home->getOpacity(), 234);
    EXPECT_EQ(corners(home), std::vector<ccColor4B>(4, ccc4(5, 230, 28, 234)));

    CCLayerColor* sized = CCLayerColor::create(ccc4(1, 2, 3, 4), 100, 50);
    EXPECT_EQ(sized->getContentSize(), CCSize(100, 50));
    sized->changeWidth(30);
    sized->changeHeight(40);
    EXPECT_EQ(sized->getContentSize(), CCSize(30, 40));
    sized->changeWidthAndHeight(7, 8);
    EXPECT_EQ(sized->getContentSize(), CCSize(7, 8));

    test::ClipRecordingRenderer recorder;
    sized->setPosition(ccp(10, 20));
    sized->visit(recorder, CCAffineTransformIdentity);
    ASSERT_EQ(recorder.batches.size(), 1u);
    const Vertex& topRight = recorder.batches[0].vertices[5];
    EXPECT_EQ(topRight.x, 17);
    EXPECT_EQ(topRight.y, 28);
}

TEST_F(LayerColor, ColourAndOpacityFollowSettersAndCascades) {
    CCLayerColor* layer = CCLayerColor::create(ccc4(200, 100, 50, 255));
    layer->setColor(ccc3(10, 20, 30));
    layer->setOpacity(128);
    EXPECT_EQ(corners(layer), std::vector<ccColor4B>(4, ccc4(10, 20, 30, 128)));

    CCLayerColor* parent = CCLayerColor::create(ccc4(255, 0, 255, 255));
    parent->setCascadeColorEnabled(true);
    parent->setCascadeOpacityEnabled(true);
    parent->setOpacity(128);
    CCLayerColor* child = CCLayerColor::create(ccc4(255, 255, 255, 255));
    parent->addChild(child);
    EXPECT_EQ(corners(child), std::vector<ccColor4B>(4, ccc4(255, 0, 255, 128)));
}

TEST_F(LayerColor, DrawsAQuadOfItsSize) {
    CCScene* scene = CCScene::create();
    CCLayerColor* layer = CCLayerColor::create(ccc4(255, 0, 0, 255), 100, 200);
    layer->setPosition(ccp(50, 60));
    scene->addChild(layer);
    runScene(scene);
    const test::Frame& frame = capture();
    EXPECT_TRUE(test::colorNear(frame.atDesign(100, 100), ccc4(255, 0, 0, 255)));
    EXPECT_TRUE(test::colorNear(frame.atDesign(149, 259), ccc4(255, 0, 0, 255)));
    EXPECT_FALSE(test::colorNear(frame.atDesign(151, 100), ccc4(255, 0, 0, 255)));
    EXPECT_FALSE(test::colorNear(frame.atDesign(100, 262), ccc4(255, 0, 0, 255)));
}

TEST_F(LayerColor, GradientRunsAlongItsVector) {
    const ccColor4B white = ccc4(255, 255, 255, 255);
    const ccColor4B black = ccc4(0, 0, 0, 255);
    CCLayerGradient* gradient = CCLayerGradient::create(white, black);
    EXPECT_EQ(gradient->getVector(), ccp(0, -1));
    EXPECT_TRUE(gradient->isCompressedInterpolation());
    // Default: from the start colour at the top to the end colour at the bottom.
    EXPECT_EQ(corners(gradient), (std::vector<ccColor4B>{black, black, white, white}));

    gradient->setVector(ccp(1, 0));
    EXPECT_EQ(corners(gradient), (std::vector<ccColor4B>{white, black, white, black}));

    // Diagonal: pure colours in the far corners, halfway in the other two.
    gradient->setVector(ccp(1, 1));
    const auto diagonal = corners(gradient);
    EXPECT_EQ(diagonal[0], white);
    EXPECT_EQ(diagonal[3], black);
    EXPECT_NEAR(diagonal[1].r, 128, 1);
    EXPECT_NEAR(diagonal[2].r, 128, 1);

    // Uncompressed, a straight vector does not reach the pure colours at the edges.
    gradient->setVector(ccp(0, -1));
    gradient->setCompressedInterpolation(false);
    const auto loose = corners(gradient);
    EXPECT_GT(loose[2].r, 200);
    EXPECT_LT(loose[2].r, 255);
    EXPECT_GT(loose[0].r, 0);

    // A zero vector does not break the layer.
    gradient->setVector(ccp(0, 0));
    EXPECT_EQ(corners(gradient).size(), 4u);
}

TEST_F(LayerColor, GradientColoursAndOpacities) {
    CCLayerGradient* gradient = CCLayerGradient::create(ccc4(255, 0, 0, 255), ccc4(0, 0, 255, 0));
    gradient->setStartColor(ccc3(0, 255, 0));
    gradient->setEndColor(ccc3(0, 0, 100));
    EXPECT_EQ(gradient->getStartColor(), ccc3(0, 255, 0));
    EXPECT_EQ(gradient->getEndColor(), ccc3(0, 0, 100));
    auto c = corners(gradient);
    EXPECT_EQ(c[2], ccc4(0, 255, 0, 255));
    EXPECT_EQ(c[0], ccc4(0, 0, 100, 0));
    gradient->setEndOpacity(200);
    gradient->setStartOpacity(100);
    gradient->setOpacity(128);  // the layer's opacity scales both
    c = corners(gradient);
    EXPECT_NEAR(c[2].a, 50, 1);
    EXPECT_NEAR(c[0].a, 100, 1);
    EXPECT_EQ(gradient->getStartOpacity(), 100);
    EXPECT_EQ(gradient->getEndOpacity(), 200);
}

}  // namespace
}  // namespace lirava
