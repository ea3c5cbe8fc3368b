#include "engine/menu/CCMenu.h"

#include "engine/platform/CCDirector.h"
#include "engine/platform/CCTouch.h"
#include "engine/platform/CCTouchDispatcher.h"

namespace lirava {

namespace {
constexpr float kDefaultPadding = 5.0f;
}

CCMenu* CCMenu::create() {
    return createWithArray(nullptr);
}

CCMenu* CCMenu::createWithItems(const std::vector<CCMenuItem*>& items) {
    CCArray* array = CCArray::create();
    for (CCMenuItem* item : items) {
        array->addObject(item);
    }
    return createWithArray(array);
}

CCMenu* CCMenu::createWithItem(CCMenuItem* item) {
    return item ? createWithItems(std::vector<CCMenuItem*>{item}) : create();
}

CCMenu* CCMenu::createWithArray(CCArray* items) {
    CCMenu* menu = new CCMenu();
    if (menu->initWithArray(items)) {
        menu->autorelease();
        return menu;
    }
    delete menu;
    return nullptr;
}

bool CCMenu::init() {
    return initWithArray(nullptr);
}

bool CCMenu::initWithArray(CCArray* items) {
    if (!CCLayerRGBA::init()) {
        return false;
    }
    setTouchPriority(kCCMenuHandlerPriority);
    setTouchMode(kCCTouchesOneByOne);
    setTouchEnabled(true);
    m_enabled = true;

    // The menu covers the window and stands at its centre; items are placed around that point.
    const CCSize size = CCDirector::sharedDirector()->getWinSize();
    ignoreAnchorPointForPosition(true);
    setAnchorPoint(CCPoint(0.5f, 0.5f));
    setContentSize(size);
    setPosition(CCPoint(size.width / 2.0f, size.height / 2.0f));

    if (items) {
        int z = 0;
        for (CCObject* object : *items) {
            if (CCMenuItem* item = dynamic_cast<CCMenuItem*>(object)) {
                addChild(item, z++);
            }
        }
    }
    m_selectedItem = nullptr;
    m_state = State::Waiting;
    setCascadeColorEnabled(true);
    setCascadeOpacityEnabled(true);
    return true;
}

void CCMenu::addChild(CCNode* child) {
    CCLayerRGBA::addChild(child);
}

void CCMenu::addChild(CCNode* child, int zOrder) {
    CCLayerRGBA::addChild(child, zOrder);
}

void CCMenu::addChild(CCNode* child, int zOrder, int tag) {
    CCLayerRGBA::addChild(child, zOrder, tag);
}

void CCMenu::removeChild(CCNode* child, bool cleanup) {
    if (child && child == m_selectedItem) {
        m_selectedItem = nullptr;
        m_state = State::Waiting;
    }
    CCLayerRGBA::removeChild(child, cleanup);
}

void CCMenu::alignItemsVertically() {
    alignItemsVerticallyWithPadding(kDefaultPadding);
}

void CCMenu::alignItemsVerticallyWithPadding(float padding) {
    float height = -padding;
    for (CCObject* object : *m_children) {
        const CCNode* child = static_cast<CCNode*>(object);
        height += child->getContentSize().height * child->getScaleY() + padding;
    }
    float y = height / 2.0f;
    for (CCObject* object : *m_children) {
        CCNode* child = static_cast<CCNode*>(object);
        const float h = child->getContentSize().height * child->getScaleY();
        child->setPosition(CCPoint(0.0f, y - h / 2.0f));
        y -= h + padding;
    }
}

void CCMenu::alignItemsHorizontally() {
    alignItemsHorizontallyWithPadding(kDefaultPadding);
}

void CCMenu::alignItemsHorizontallyWithPadding(float padding) {
    float width = -padding;
    for (CCObject* object : *m_children) {
        const CCNode* child = static_cast<CCNode*>(object);
        width += child->getContentSize().width * child->getScaleX() + padding;
    }
    float x = -width / 2.0f;
    for (CCObject* object : *m_children) {
        CCNode* child = static_cast<CCNode*>(object);
        const float w = child->getContentSize().width * child->getScaleX();
        child->setPosition(CCPoint(x + w / 2.0f, 0.0f));
        x += w + padding;
    }
}

void CCMenu::registerWithTouchDispatcher() {
    if (CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher()) {
        dispatcher->addTargetedDelegate(this, getTouchPriority(), true);
    }
}

CCMenuItem* CCMenu::itemForTouch(const CCPoint& location) {
    const std::vector<CCObject*>& children = m_children->data();
    // Top-most first: children are kept in drawing order.
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        CCMenuItem* item = dynamic_cast<CCMenuItem*>(*it);
        if (!item || !item->isVisible() || !item->isEnabled()) {
            continue;
        }
        const CCPoint local = item->convertToNodeSpace(location);
        const CCSize& size = item->getContentSize();
        if (CCRect(0.0f, 0.0f, size.width, size.height).containsPoint(local)) {
            return item;
        }
    }
    return nullptr;
}

bool CCMenu::ccTouchBegan(CCTouch* touch, CCEvent* event) {
    if (m_state != State::Waiting || !m_visible || !m_enabled || !touch) {
        return false;
    }
    // A menu inside anything hidden is hidden too, and takes no touches.
    for (CCNode* ancestor = m_parent; ancestor; ancestor = ancestor->getParent()) {
        if (!ancestor->isVisible()) {
            return false;
        }
    }
    m_selectedItem = itemForTouch(touch->getLocation());
    if (!m_selectedItem) {
        return false;
    }
    m_state = State::TrackingTouch;
    m_selectedItem->selected();
    return true;
}

void CCMenu::ccTouchMoved(CCTouch* touch, CCEvent* event) {
    if (m_state != State::TrackingTouch || !touch) {
        return;
    }
    CCMenuItem* current = itemForTouch(touch->getLocation());
    if (current != m_selectedItem) {
        if (m_selectedItem) {
            m_selectedItem->unselected();
        }
        m_selectedItem = current;
        if (m_selectedItem) {
            m_selectedItem->selected();
        }
    }
}

void CCMenu::ccTouchEnded(CCTouch* touch, CCEvent* event) {
    if (m_state != State::TrackingTouch) {
        return;
    }
    m_state = State::Waiting;
    CCMenuItem* item = m_selectedItem;
    m_selectedItem = nullptr;
    if (!item) {
        return;
    }
    item->unselected();
    // Only a release over the item that shows pressed runs its callback; the release point
    // counts even when no move reported it.
    if (touch && itemForTouch(touch->getLocation()) == item) {
        item->activate();
    }
}

void CCMenu::ccTouchCancelled(CCTouch* touch, CCEvent* event) {
    if (m_state != State::TrackingTouch) {
        return;
    }
    m_state = State::Waiting;
    if (m_selectedItem) {
        m_selectedItem->unselected();
        m_selectedItem = nullptr;
    }
}

void CCMenu::onExit() {
    if (m_state == State::TrackingTouch) {
        if (m_selectedItem) {
            m_selectedItem->unselected();
            m_selectedItem = nullptr;
        }
        m_state = State::Waiting;
    }
    CCLayerRGBA::onExit();
}

}  // namespace lirava
