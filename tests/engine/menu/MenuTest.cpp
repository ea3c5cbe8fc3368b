#include <gtest/gtest.h>

#include <string>

#include "engine/base/CCSet.h"
#include "engine/menu/CCMenu.h"
#include "engine/menu/CCMenuItemFont.h"
#include "engine/menu/CCMenuItemImage.h"
#include "engine/menu/CCMenuItemLabel.h"
#include "engine/nodes/CCLayer.h"
#include "engine/nodes/CCScene.h"
#include "engine/nodes/CCSprite.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCTouch.h"
#include "engine/platform/CCTouchDispatcher.h"
#include "engine/render/CCTextureCache.h"
#include "engine/text/CCLabelTTF.h"
#include "support/EngineEnvironment.h"
#include "support/HeadlessFixture.h"

namespace lirava {
namespace {

// Callback target: writes the tag of every activated item.
class Target : public CCLayer {
public:
    static Target* create() {
        Target* target = new Target();
        target->init();
        target->autorelease();
        return target;
    }
    void chosen(CCObject* sender) { log += std::to_string(static_cast<CCNode*>(sender)->getTag()); }
    std::string log;
};

class Menu : public test::HeadlessFixture {
protected:
    void SetUp() override {
        HeadlessFixture::SetUp();
        target = Target::create();
        target->retain();
    }
    void TearDown() override {
        CC_SAFE_RELEASE_NULL(touch);
        target->release();
        CCMenuItemFont::setFontSize(32);
        CCMenuItemFont::setFontName("Arial");
        HeadlessFixture::TearDown();
        // Leave no pictures cached for tests that count what the cache holds.
        CCTextureCache::sharedTextureCache()->removeAllTextures();
    }

    // A plain item of the given size centred at a point of the menu (which stands at 0, 0).
    CCMenuItem* item(int tag, const CCPoint& at, const CCSize& size = CCSize(100, 50)) {
        CCMenuItem* made = CCMenuItem::create(target, menu_selector(Target::chosen));
        made->setContentSize(size);
        made->setPosition(at);
        made->setTag(tag);
        return made;
    }
    CCMenu* menuAtOrigin(CCMenuItem* a, CCMenuItem* b = nullptr, CCMenuItem* c = nullptr) {
        CCMenu* menu = CCMenu::create(a, b, c, NULL);
        menu->setPosition(CCPointZero);
        return menu;
    }

    // One touch through the menu's targeted-delegate callbacks.
    bool press(CCMenu* menu, const CCPoint& at) {
        // Held by the test, not the pool: frames stepped while the finger is down drain it.
        CC_SAFE_RELEASE(touch);
        touch = new CCTouch();
        touch->setTouchInfo(0, at);
        return menu->ccTouchBegan(touch, nullptr);
    }
    void move(CCMenu* menu, const CCPoint& at) {
        touch->setTouchInfo(0, at);
        menu->ccTouchMoved(touch, nullptr);
    }
    void release(CCMenu* menu, const CCPoint& at) {
        touch->setTouchInfo(0, at);
        menu->ccTouchEnded(touch, nullptr);
    }

    Target* target = nullptr;
    CCTouch* touch = nullptr;
};

TEST_F(Menu, ADefaultMenuFillsTheWindowAndSitsInItsCentre) {
    CCMenu* menu = CCMenu::create();
    EXPECT_EQ(menu->getContentSize(), CCSize(640, 960));
    EXPECT_EQ(menu->getPosition(), ccp(320, 480));
    EXPECT_TRUE(menu->isIgnoreAnchorPointForPosition());
    EXPECT_EQ(menu->getTouchPriority(), kCCMenuHandlerPriority);
    EXPECT_EQ(menu->getTouchMode(), kCCTouchesOneByOne);
    EXPECT_TRUE(menu->isEnabled());

    CCArray* items = CCArray::create();
    items->addObject(item(1, CCPointZero));
    items->addObject(item(2, CCPointZero));
    EXPECT_EQ(CCMenu::createWithArray(items)->getChildrenCount(), 2u);
    EXPECT_EQ(CCMenu::createWithItem(item(3, CCPointZero))->getChildrenCount(), 1u);
    EXPECT_EQ(CCMenu::create(item(4, CCPointZero), NULL, item(5, CCPointZero))->getChildrenCount(), 1u);
}

TEST_F(Menu, TheCallbackRunsOnReleaseOverThePressedItem) {
    CCMenuItem* a = item(1, ccp(100, 100));
    CCMenu* menu = menuAtOrigin(a);
    EXPECT_FALSE(press(menu, ccp(300, 300)));  // nothing there: the touch is not claimed

    ASSERT_TRUE(press(menu, ccp(120, 110)));
    EXPECT_TRUE(a->isSelected());
    EXPECT_EQ(target->log, "");  // not on the press
    release(menu, ccp(121, 111));
    EXPECT_FALSE(a->isSelected());
    EXPECT_EQ(target->log, "1");

    // Released elsewhere, even with no move in between: no callback.
    ASSERT_TRUE(press(menu, ccp(100, 100)));
    release(menu, ccp(400, 400));
    EXPECT_FALSE(a->isSelected());
    EXPECT_EQ(target->log, "1");

    // Cancelled: only unselected.
    ASSERT_TRUE(press(menu, ccp(100, 100)));
    menu->ccTouchCancelled(touch, nullptr);
    EXPECT_FALSE(a->isSelected());
    EXPECT_EQ(target->log, "1");
}

TEST_F(Menu, MovingOffUnselectsAndOntoAnotherItemSelectsIt) {
    CCMenuItem* a = item(1, ccp(100, 100));
    CCMenuItem* b = item(2, ccp(300, 100));
    CCMenu* menu = menuAtOrigin(a, b);
    ASSERT_TRUE(press(menu, ccp(100, 100)));
    move(menu, ccp(200, 100));
    EXPECT_FALSE(a->isSelected());
    EXPECT_FALSE(b->isSelected());
    move(menu, ccp(300, 100));
    EXPECT_TRUE(b->isSelected());
    release(menu, ccp(300, 100));
    EXPECT_EQ(target->log, "2");
    move(menu, ccp(100, 100));  // after the release the menu ignores the touch
    EXPECT_FALSE(a->isSelected());
}

TEST_F(Menu, TheTopMostVisibleEnabledItemTakesThePress) {
    CCMenuItem* low = item(1, ccp(100, 100));
    CCMenuItem* high = item(2, ccp(120, 100));
    CCMenuItem* later = item(3, ccp(140, 100));
    CCMenu* menu = CCMenu::create();
    menu->setPosition(CCPointZero);
    menu->addChild(low, 5);
    menu->addChild(high, 10);
    menu->addChild(later, 5);
    press(menu, ccp(130, 100));
    release(menu, ccp(130, 100));
    EXPECT_EQ(target->log, "2");

    high->setVisible(false);
    press(menu, ccp(130, 100));
    release(menu, ccp(130, 100));
    EXPECT_EQ(target->log, "23");  // equal z: the one added later is on top

    later->setEnabled(false);
    press(menu, ccp(130, 100));
    release(menu, ccp(130, 100));
    EXPECT_EQ(target->log, "231");

    low->setVisible(false);
    EXPECT_FALSE(press(menu, ccp(130, 100)));
}

TEST_F(Menu, HiddenOrDisabledMenusAndParentsTakeNoTouches) {
    CCLayer* layer = CCLayer::create();
    CCMenu* menu = menuAtOrigin(item(1, ccp(100, 100)));
    layer->addChild(menu);
    layer->setVisible(false);
    EXPECT_FALSE(press(menu, ccp(100, 100)));
    layer->setVisible(true);
    menu->setVisible(false);
    EXPECT_FALSE(press(menu, ccp(100, 100)));
    menu->setVisible(true);
    menu->setEnabled(false);
    EXPECT_FALSE(press(menu, ccp(100, 100)));
    menu->setEnabled(true);
    EXPECT_TRUE(press(menu, ccp(100, 100)));
}

TEST_F(Menu, ItemsAreHitInTheirOwnRectangleThroughEveryTransform) {
    CCNode* layer = CCNode::create();
    layer->setPosition(ccp(200, 0));
    layer->setScale(2.0f);
    CCMenuItem* a = item(1, ccp(50, 50), CCSize(20, 10));
    a->setRotation(90.0f);  // 10 wide, 20 tall once turned, then doubled by the layer
    CCMenu* menu = menuAtOrigin(a);
    layer->addChild(menu);
    // Centre (50, 50) in the layer is (300, 100) on screen; the turned item spans 20 x 40 there.
    EXPECT_TRUE(press(menu, ccp(300, 100)));
    menu->ccTouchCancelled(touch, nullptr);
    EXPECT_TRUE(press(menu, ccp(309, 119)));
    menu->ccTouchCancelled(touch, nullptr);
    EXPECT_FALSE(press(menu, ccp(315, 100)));
    EXPECT_FALSE(press(menu, ccp(300, 125)));
}

TEST_F(Menu, ARunningMenuIsASwallowingTargetedDelegate) {
    CCScene* scene = CCScene::create();
    CCMenu* menu = menuAtOrigin(item(7, ccp(100, 100)));
    scene->addChild(menu);
    runScene(scene);
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    EXPECT_TRUE(dispatcher->isRegistered(menu));

    CCTouch* finger = new CCTouch();
    finger->autorelease();
    CCSet* touches = CCSet::create();
    touches->addObject(finger);
    finger->setTouchInfo(0, ccp(100, 100));
    dispatcher->touchesBegan(touches, nullptr);
    dispatcher->touchesEnded(touches, nullptr);
    EXPECT_EQ(target->log, "7");
}

TEST_F(Menu, LabelItemsGrowWhilePressedAndTakeTheirLabelsSize) {
    CCScene* scene = CCScene::create();
    CCLabelTTF* label = CCLabelTTF::create("Unit 1", "Arial", 60);
    ASSERT_NE(label, nullptr);
    CCMenuItemLabel* unit = CCMenuItemLabel::create(label, target, menu_selector(Target::chosen));
    unit->setTag(4);
    EXPECT_EQ(unit->getContentSize(), label->getContentSize());
    unit->setPosition(ccp(320, 860));
    CCMenu* menu = menuAtOrigin(unit);
    scene->addChild(menu);
    runScene(scene);

    ASSERT_TRUE(press(menu, ccp(320, 860)));
    stepFrames(10);
    EXPECT_NEAR(unit->getScale(), 1.2f, 0.001f);
    release(menu, ccp(320, 860));
    EXPECT_EQ(unit->getScale(), 1.0f);
    EXPECT_EQ(target->log, "4");

    // Moving off shrinks it back over a few frames.
    ASSERT_TRUE(press(menu, ccp(320, 860)));
    stepFrames(10);
    move(menu, ccp(20, 20));
    stepFrames(10);
    EXPECT_NEAR(unit->getScale(), 1.0f, 0.001f);

    unit->setString("A much longer text");
    EXPECT_GT(unit->getContentSize().width, label->getContentSize().width - 1);
    EXPECT_EQ(unit->getContentSize(), label->getContentSize());

    // Colour set on the item reaches the label.
    unit->setColor(ccc3(0, 0, 255));
    EXPECT_EQ(label->getDisplayedColor(), ccc3(0, 0, 255));
}

TEST_F(Menu, FontItemsKeepTheDefaultSizeInForceWhenMade) {
    EXPECT_EQ(CCMenuItemFont::fontSize(), 32u);
    EXPECT_STREQ(CCMenuItemFont::fontName(), "Arial");
    CCMenuItemFont* before = CCMenuItemFont::create("Main page", target, menu_selector(Target::chosen));
    CCMenuItemFont::setFontSize(45);
    CCMenuItemFont* after = CCMenuItemFont::create("Main page", target, menu_selector(Target::chosen));
    EXPECT_EQ(before->fontSizeObj(), 32u);
    EXPECT_EQ(after->fontSizeObj(), 45u);
    EXPECT_GT(after->getContentSize().height, before->getContentSize().height);

    before->setFontSizeObj(45);
    EXPECT_EQ(before->getContentSize(), after->getContentSize());
    EXPECT_EQ(CCMenuItemFont::create(nullptr)->getContentSize().width, 0.0f);
}

TEST_F(Menu, ImageItemsShowTheSelectedImageWhilePressedAndSwapTheNormalOne) {
    // The texture cache keeps what it loads; load both pictures before counting.
    CCSprite::create("Images/play_btn.png");
    CCSprite::create("Images/pause_btn.png");
    test::drainAutoreleasePool();
    const std::size_t before = CCObject::liveObjectCount();
    {
        CCMenuItemImage* play = CCMenuItemImage::create("Images/play_btn.png", "Images/pause_btn.png", target,
                                                        menu_selector(Target::chosen));
        ASSERT_NE(play, nullptr);
        ASSERT_NE(play->getNormalImage(), nullptr);
        EXPECT_EQ(play->getContentSize(), CCSize(92, 92));
        play->setPosition(ccp(580, 40));
        CCMenu* menu = menuAtOrigin(play);
        menu->retain();
        EXPECT_TRUE(play->getNormalImage()->isVisible());
        EXPECT_FALSE(play->getSelectedImage()->isVisible());
        ASSERT_TRUE(press(menu, ccp(580, 40)));
        EXPECT_FALSE(play->getNormalImage()->isVisible());
        EXPECT_TRUE(play->getSelectedImage()->isVisible());
        release(menu, ccp(580, 40));
        EXPECT_TRUE(play->getNormalImage()->isVisible());

        // The program swaps play and pause this way; the old image leaves the item.
        CCNode* old = play->getNormalImage();
        CCSprite* pause = CCSprite::create("Images/pause_btn.png");
        play->setNormalImage(pause);
        EXPECT_EQ(play->getNormalImage(), pause);
        EXPECT_EQ(old->getParent(), nullptr);
        EXPECT_EQ(pause->getParent(), play);
        EXPECT_TRUE(pause->isVisible());

        // Colour and opacity reach the images.
        play->setOpacity(100);
        EXPECT_EQ(pause->getDisplayedOpacity(), 100);

        // A missing picture gives an empty item, not a crash.
        CCMenuItemImage* missing = CCMenuItemImage::create("Images/none.png", "Images/none.png");
        ASSERT_NE(missing, nullptr);
        EXPECT_EQ(missing->getNormalImage(), nullptr);
        EXPECT_EQ(missing->getContentSize(), CCSize(0, 0));
        menu->release();
    }
    CC_SAFE_RELEASE_NULL(touch);
    test::drainAutoreleasePool();
    EXPECT_EQ(CCObject::liveObjectCount(), before);
}

TEST_F(Menu, AlignItemsVertically) {
    CCMenu* menu = CCMenu::create(item(1, CCPointZero, CCSize(10, 20)), item(2, CCPointZero, CCSize(10, 30)), NULL);
    menu->alignItemsVerticallyWithPadding(10);
    CCArray* children = menu->getChildren();
    EXPECT_EQ(static_cast<CCNode*>(children->objectAtIndex(0))->getPosition(), ccp(0, 20));
    EXPECT_EQ(static_cast<CCNode*>(children->objectAtIndex(1))->getPosition(), ccp(0, -15));
}

}  // namespace
}  // namespace lirava
