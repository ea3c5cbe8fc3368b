#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/base/CCAutoreleasePool.h"
#include "engine/base/CCSet.h"
#include "engine/nodes/CCLayer.h"
#include "engine/nodes/CCLayerRGBA.h"
#include "engine/nodes/CCNodeRGBA.h"
#include "engine/nodes/CCScene.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCTouch.h"
#include "engine/platform/CCTouchDispatcher.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

using Log = std::vector<std::string>;

class TouchLayer : public CCLayer {
public:
    static TouchLayer* create(Log& log, const std::string& name) {
        TouchLayer* layer = new TouchLayer(log, name);
        layer->init();
        layer->autorelease();
        return layer;
    }
    TouchLayer(Log& log, std::string name) : m_log(log), m_name(std::move(name)) {}
    bool ccTouchBegan(CCTouch*, CCEvent*) override {
        m_log.push_back(m_name + ":began");
        return true;
    }
    void ccTouchesBegan(CCSet*, CCEvent*) override { m_log.push_back(m_name + ":begans"); }

private:
    Log& m_log;
    std::string m_name;
};

class LayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
        scene = CCScene::create();
        scene->retain();
    }
    void TearDown() override {
        if (scene->isRunning()) {
            scene->onExit();
        }
        scene->release();
        dispatcher->removeAllDelegates();
        test::drainAutoreleasePool();
    }
    void touch() {
        CCTouch* t = new CCTouch();
        CCSet* set = CCSet::create();
        set->addObject(t);
        t->release();
        dispatcher->touchesBegan(set, nullptr);
        dispatcher->touchesEnded(set, nullptr);
    }
    Log log;
    CCTouchDispatcher* dispatcher = nullptr;
    CCScene* scene = nullptr;
};

TEST_F(LayerTest, ScenesAndLayersCoverTheWindowFromTheirLowerLeftCorner) {
    CCLayer* layer = CCLayer::create();
    const CCSize win = CCDirector::sharedDirector()->getWinSize();
    for (CCNode* node : {static_cast<CCNode*>(scene), static_cast<CCNode*>(layer)}) {
        EXPECT_EQ(node->getContentSize(), win);
        EXPECT_EQ(node->getAnchorPoint(), CCPoint(0.5f, 0.5f));
        EXPECT_TRUE(node->isIgnoreAnchorPointForPosition());
        EXPECT_EQ(node->boundingBox(), CCRect(0, 0, win.width, win.height));
    }
    // Scaling still happens about the anchor.
    layer->setScale(0.5f);
    EXPECT_EQ(layer->boundingBox(), CCRect(win.width / 4, win.height / 4, win.width / 2, win.height / 2));
}

TEST_F(LayerTest, TouchRegistrationFollowsTheStageAndTheSwitch) {
    TouchLayer* layer = TouchLayer::create(log, "layer");
    layer->setTouchEnabled(true);
    EXPECT_FALSE(dispatcher->isRegistered(layer));  // not on stage yet
    scene->addChild(layer);
    scene->onEnter();
    EXPECT_TRUE(dispatcher->isRegistered(layer));
    touch();
    EXPECT_EQ(log, (Log{"layer:begans"}));

    layer->setTouchEnabled(false);  // at once while on stage
    EXPECT_FALSE(dispatcher->isRegistered(layer));
    layer->setTouchEnabled(true);
    EXPECT_TRUE(dispatcher->isRegistered(layer));
    scene->onExit();
    EXPECT_FALSE(dispatcher->isRegistered(layer));
    EXPECT_TRUE(layer->isTouchEnabled());
}

TEST_F(LayerTest, OneByOneLayersAreTargetedSwallowingAndOrderedByPriority) {
    TouchLayer* front = TouchLayer::create(log, "front");
    TouchLayer* back = TouchLayer::create(log, "back");
    TouchLayer* all = TouchLayer::create(log, "all");
    for (TouchLayer* layer : {back, front}) {
        layer->setTouchMode(kCCTouchesOneByOne);
        layer->setTouchEnabled(true);
        scene->addChild(layer);
    }
    all->setTouchEnabled(true);
    scene->addChild(all);
    back->setTouchPriority(10);
    scene->onEnter();
    touch();
    // back registered first, but its priority puts it behind front, which swallows the touch.
    EXPECT_EQ(log, (Log{"front:began"}));

    log.clear();
    back->setTouchPriority(-10);  // while registered: moves at once
    touch();
    EXPECT_EQ(log, (Log{"back:began"}));

    log.clear();
    back->setTouchMode(kCCTouchesAllAtOnce);
    front->setTouchMode(kCCTouchesAllAtOnce);
    touch();
    EXPECT_EQ(log, (Log{"back:begans", "all:begans", "front:begans"}));
}

TEST_F(LayerTest, RegisteredLayerIsKeptAliveUntilItLeavesTheStage) {
    const std::size_t before = CCObject::liveObjectCount();
    TouchLayer* layer = TouchLayer::create(log, "layer");
    layer->setTouchEnabled(true);
    scene->addChild(layer);
    scene->onEnter();
    test::drainAutoreleasePool();
    EXPECT_EQ(layer->retainCount(), 2u);  // parent and dispatcher
    scene->removeChild(layer);            // exits, unregisters, is released
    test::drainAutoreleasePool();
    EXPECT_EQ(CCObject::liveObjectCount(), before);
}

TEST_F(LayerTest, ColourLayerCascadesWhenAsked) {
    CCLayerRGBA* layer = CCLayerRGBA::create();
    CCNodeRGBA* child = CCNodeRGBA::create();
    layer->addChild(child);
    layer->setOpacity(128);
    EXPECT_EQ(child->getDisplayedOpacity(), 255);
    layer->setCascadeOpacityEnabled(true);
    layer->setCascadeColorEnabled(true);
    layer->setOpacity(128);
    layer->setColor(ccc3(255, 0, 0));
    child->setColor(ccc3(255, 255, 0));
    EXPECT_EQ(child->getDisplayedOpacity(), 128);
    EXPECT_EQ(child->getDisplayedColor(), ccc3(255, 0, 0));
    EXPECT_EQ(layer->getDisplayedOpacity(), 128);
}

}  // namespace
}  // namespace lirava
