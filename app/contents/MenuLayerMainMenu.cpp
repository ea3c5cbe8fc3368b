#include "app/contents/MenuLayerMainMenu.h"

#include <string>

#include "app/contents/ContentsState.h"
#include "app/contents/MenuLabels.h"
#include "app/reader/BookState.h"
#include "app/reader/TestLayer1.h"
#include "app/shell/BookScene.h"
#include "app/shell/VisibleArea.h"
#include "engine/actions/CCEaseElasticOut.h"
#include "engine/actions/CCMoveBy.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCSet.h"
#include "engine/base/CCString.h"
#include "engine/menu/CCMenu.h"
#include "engine/menu/CCMenuItemLabel.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCTouch.h"
#include "engine/text/CCLabelTTF.h"

namespace lirava {

namespace {

constexpr float kRowHeight = 100.0f;
// The word list scrolls as if it had six rows: (6 + 1) x 100.
constexpr float kWordListScrollHeight = 700.0f;

CCTouch* firstTouch(CCSet* touches) {
    return touches ? dynamic_cast<CCTouch*>(touches->anyObject()) : nullptr;
}

}  // namespace

MenuLayerMainMenu* MenuLayerMainMenu::create() {
    MenuLayerMainMenu* layer = new MenuLayerMainMenu();
    if (layer->init()) {
        layer->autorelease();
        return layer;
    }
    delete layer;
    return nullptr;
}

bool MenuLayerMainMenu::init() {
    if (!CCLayer::init()) {
        return false;
    }
    m_dragStart = CCPointZero;
    contents::selectUnitPages(contents::currentUnit);

    m_menu = CCMenu::create();

    CCDictionary* strings = CCDictionary::createWithContentsOfFile("String.xml");
    const std::string front = strings->valueForKey("page_front")->str();
    const std::string after = strings->valueForKey("page_after")->str();
    const std::string wordName = strings->valueForKey("wordname")->str();

    const CCRect visible = VisibleArea::rect();
    const CCPoint center = VisibleArea::center();
    const CCPoint top = VisibleArea::top();
    auto addItem = [&](const std::string& text, int zOrder, int row) {
        CCMenuItemLabel* item = CCMenuItemLabel::create(CCLabelTTF::create(text.c_str(), "Arial", 60), this,
                                                        menu_selector(MenuLayerMainMenu::onPageChosen));
        m_menu->addChild(item, zOrder);
        item->setPosition(CCPoint(center.x, top.y - kRowHeight * (row + 1)));
    };
    if (contents::currentUnit == contents::kWordListUnit) {
        for (int k = 0; k < contents::kWordListEntryCount; ++k) {
            addItem(contents::wordListItemLabel(wordName, k + 1),
                    contents::kWordListPages[k] - contents::unitFirstPage + contents::kItemZOrderBase, k);
        }
    } else {
        for (int i = 0; i < contents::unitPageCount; ++i) {
            addItem(contents::pageItemLabel(front, contents::unitFirstPage + i, after), contents::kItemZOrderBase + i,
                    i);
        }
    }
    // Sized by the unit's page count even for the word list, which shows fewer entries.
    m_menu->setContentSize(CCSize(visible.size.width, (contents::unitPageCount + 1) * kRowHeight));

    // Entrance: even items start left of the screen, odd ones right of it, and all slide back to
    // their places with an elastic ending.
    const float width = CCDirector::sharedDirector()->getWinSize().width;
    CCArray* items = m_menu->getChildren();
    for (unsigned int i = 0; i < items->count(); ++i) {
        CCNode* item = static_cast<CCNode*>(items->objectAtIndex(i));
        float offset = static_cast<float>(static_cast<int>(width * 0.5f + 50));
        if (i % 2 == 0) {
            offset = -offset;
        }
        const CCPoint place = item->getPosition();
        item->setPosition(CCPoint(place.x + offset, place.y));
        item->runAction(
            CCEaseElasticOut::create(CCMoveBy::create(kEntranceSeconds, CCPoint(-offset, 0)), kEntrancePeriod));
    }

    setTouchEnabled(true);
    setTouchMode(kCCTouchesAllAtOnce);
    setKeypadEnabled(true);
    m_menu->setPosition(contents::pageMenuOffset);
    addChild(m_menu);
    return true;
}

float MenuLayerMainMenu::dragBound() const {
    const float visibleHeight = VisibleArea::rect().size.height;
    if (contents::currentUnit == contents::kWordListUnit) {
        return kWordListScrollHeight - visibleHeight;
    }
    return (contents::unitLastPage - contents::unitFirstPage + 2) * kRowHeight - visibleHeight;
}

void MenuLayerMainMenu::ccTouchesBegan(CCSet* touches, CCEvent* event) {
    if (CCTouch* touch = firstTouch(touches)) {
        m_dragStart = touch->getLocation();
    }
}

void MenuLayerMainMenu::ccTouchesMoved(CCSet* touches, CCEvent* event) {
    CCTouch* touch = firstTouch(touches);
    if (!touch || !m_menu) {
        return;
    }
    const CCPoint location = touch->getLocation();
    const CCPoint current = m_menu->getPosition();
    const CCPoint next(current.x, current.y + location.y - m_dragStart.y);

    // Checked in this order on purpose: a list shorter than the screen has a negative bound, so
    // an upward drag from rest pins it at that bound and the next drag below 0 brings it back.
    if (next.y < 0) {
        m_menu->setPosition(CCPointZero);
        return;
    }
    const float bound = dragBound();
    if (next.y > bound) {
        m_menu->setPosition(CCPoint(0, bound));
        return;
    }
    m_menu->setPosition(next);
    m_dragStart = location;
    contents::pageMenuOffset = next;
}

void MenuLayerMainMenu::onPageChosen(CCObject* sender) {
    CCNode* item = dynamic_cast<CCNode*>(sender);
    if (!item) {
        return;
    }
    book::currentPage = item->getZOrder() - contents::kItemZOrderBase + contents::unitFirstPage;

    BookScene* scene = new BookScene();
    TestLayer1* page = new TestLayer1();
    if (page->init()) {
        scene->addChild(page);
    }
    page->release();
    CCDirector::sharedDirector()->replaceScene(scene);
    scene->release();
}

}  // namespace lirava
