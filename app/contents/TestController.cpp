#include "app/contents/TestController.h"

#include <cstdio>
#include <string>

#include "app/contents/ContentsState.h"
#include "app/shell/MenuTestScene.h"
#include "app/shell/VisibleArea.h"
#include "engine/actions/CCDelayTime.h"
#include "engine/actions/CCEaseInOut.h"
#include "engine/actions/CCMoveBy.h"
#include "engine/actions/CCRepeatForever.h"
#include "engine/actions/CCSequence.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCLog.h"
#include "engine/base/CCSet.h"
#include "engine/base/CCString.h"
#include "engine/menu/CCMenu.h"
#include "engine/menu/CCMenuItemImage.h"
#include "engine/menu/CCMenuItemLabel.h"
#include "engine/nodes/CCLayerColor.h"
#include "engine/nodes/CCScene.h"
#include "engine/nodes/CCSprite.h"
#include "engine/platform/AtomicFile.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/platform/CCTouch.h"
#include "engine/text/CCLabelTTF.h"

namespace lirava {

namespace {

// The menu's content height: ten rows of 100 for nine items.
constexpr float kMenuContentHeight = 1000.0f;
constexpr int kDragHintZOrder = 300000;

CCTouch* firstTouch(CCSet* touches) {
    return touches ? dynamic_cast<CCTouch*>(touches->anyObject()) : nullptr;
}

}  // namespace

TestController* TestController::create() {
    TestController* layer = new TestController();
    if (layer->init()) {
        layer->autorelease();
        return layer;
    }
    delete layer;
    return nullptr;
}

CCScene* TestController::createScene() {
    CCScene* scene = CCScene::create();
    if (TestController* home = create()) {
        scene->addChild(home);
    }
    return scene;
}

bool TestController::init() {
    if (!CCLayer::init()) {
        return false;
    }
    m_dragStart = CCPointZero;

    // Coming home ends any narration that is still playing.
    SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
    audio->setBackgroundMusicVolume(1.0f);
    audio->stopBackgroundMusic();

    const CCRect visible = VisibleArea::rect();
    const CCPoint left = VisibleArea::left();
    const CCPoint right = VisibleArea::right();
    const CCPoint top = VisibleArea::top();
    const CCPoint bottom = VisibleArea::bottom();
    const CCPoint center = VisibleArea::center();

    // The figure glides right, rests a quarter second, glides back and rests again, forever.
    m_figure = CCSprite::create("Images/grossini.png");
    if (m_figure) {
        m_figure->setPosition(CCPoint(left.x + 60, bottom.y + visible.size.height / 10));
        CCMoveBy* move = CCMoveBy::create(3.0f, CCPoint(right.x - 130, 0));
        CCDelayTime* delay = CCDelayTime::create(0.25f);
        CCEaseInOut* ease = CCEaseInOut::create(static_cast<CCActionInterval*>(move->copy()->autorelease()), 1.0f);
        CCFiniteTimeAction* back = ease->reverse();
        CCFiniteTimeAction* glide =
            CCSequence::create(ease, static_cast<CCFiniteTimeAction*>(delay->copy()->autorelease()), back,
                               static_cast<CCFiniteTimeAction*>(delay->copy()->autorelease()), nullptr);
        if (glide) {
            m_figure->runAction(CCRepeatForever::create(static_cast<CCActionInterval*>(glide)));
        }
        addChild(m_figure, -1);
    }

    if (CCLayerColor* background = CCLayerColor::create(ccc4(5, 230, 28, 234))) {
        addChild(background, -10);
    }

    m_unitMenu = CCMenu::create();
    m_dragHint = CCMenuItemImage::create("Images/drag.jpg", "Images/drag.jpg", this,
                                         menu_selector(TestController::onUnitChosen));
    if (m_dragHint) {
        m_dragHint->setPosition(CCPoint(center.x - 30, center.y));
    }

    CCDictionary* strings = CCDictionary::createWithContentsOfFile("String.xml");
    const std::string wordListName = strings->valueForKey("wordname")->str();
    for (int i = 0; i < contents::kUnitCount; ++i) {
        const char* text = i < contents::kWordListUnit ? contents::kUnitNames[i] : wordListName.c_str();
        CCMenuItemLabel* item = CCMenuItemLabel::create(CCLabelTTF::create(text, "Arial", 60), this,
                                                        menu_selector(TestController::onUnitChosen));
        m_unitMenu->addChild(item, contents::kItemZOrderBase + i);
        item->setPosition(CCPoint(center.x, top.y - 100.0f * (i + 1)));
    }
    if (m_dragHint) {
        m_unitMenu->addChild(m_dragHint, kDragHintZOrder);
    }

    m_unitMenu->setContentSize(CCSize(visible.size.width, kMenuContentHeight));
    m_unitMenu->setPosition(contents::homeMenuOffset);
    addChild(m_unitMenu, 0);

    setTouchEnabled(true);
    setTouchMode(kCCTouchesAllAtOnce);
    setKeypadEnabled(true);

    leaveFirstRunMarker();
    return true;
}

void TestController::leaveFirstRunMarker() {
    const std::string path = CCFileUtils::sharedFileUtils()->fullPathForFilename(kFirstRunMarker);
    if (m_dragHint) {
        m_dragHint->setVisible(false);
    }
    if (std::FILE* existing = std::fopen(path.c_str(), "r")) {
        std::fclose(existing);
        return;
    }
    // A folder that cannot be written (read-only, full) is no error: the screen works the same
    // and the next start tries again. Written whole or not at all, so that a half-written marker
    // never passes for a whole one.
    const std::string line = std::string(kFirstRunMarkerLine) + "\n";
    std::string error;
    if (!writeFileAtomically(path, line.data(), line.size(), error)) {
        CCLog("First start: cannot leave the marker %s (%s); the next start shows the hint again", path.c_str(),
              error.c_str());
    }
}

void TestController::ccTouchesBegan(CCSet* touches, CCEvent* event) {
    if (CCTouch* touch = firstTouch(touches)) {
        m_dragStart = touch->getLocation();
    }
}

void TestController::ccTouchesMoved(CCSet* touches, CCEvent* event) {
    CCTouch* touch = firstTouch(touches);
    if (!touch || !m_unitMenu) {
        return;
    }
    const CCPoint location = touch->getLocation();
    const CCPoint current = m_unitMenu->getPosition();
    const CCPoint next(current.x, current.y + location.y - m_dragStart.y);

    if (next.y < 0) {
        m_unitMenu->setPosition(CCPointZero);
        return;
    }
    const float bound = dragBound();
    if (next.y > bound) {
        m_unitMenu->setPosition(CCPoint(0, bound));
        return;
    }
    m_unitMenu->setPosition(next);
    m_dragStart = location;
    contents::homeMenuOffset = next;
}

float TestController::dragBound() const {
    return kMenuContentHeight - VisibleArea::rect().size.height;
}

void TestController::onUnitChosen(CCObject* sender) {
    if (m_dragHint && m_dragHint->isVisible()) {
        m_dragHint->setVisible(false);
        return;
    }
    CCNode* item = dynamic_cast<CCNode*>(sender);
    if (!item) {
        return;
    }
    // Only the nine unit items name a unit; anything else would index past the page ranges.
    const int unit = item->getZOrder() - contents::kItemZOrderBase;
    if (!contents::isValidUnit(unit)) {
        return;
    }
    contents::currentUnit = unit;

    MenuTestScene* scene = new MenuTestScene();
    scene->start();
    scene->release();
}

}  // namespace lirava
