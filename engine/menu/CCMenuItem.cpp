#include "engine/menu/CCMenuItem.h"

namespace lirava {

CCMenuItem* CCMenuItem::create() {
    return create(nullptr, nullptr);
}

CCMenuItem* CCMenuItem::create(CCObject* target, SEL_MenuHandler selector) {
    CCMenuItem* item = new CCMenuItem();
    if (item->initWithTarget(target, selector)) {
        item->autorelease();
        return item;
    }
    delete item;
    return nullptr;
}

bool CCMenuItem::initWithTarget(CCObject* target, SEL_MenuHandler selector) {
    setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_target = target;
    m_selector = selector;
    m_enabled = true;
    m_selected = false;
    // Tinting or fading an item tints or fades what it shows.
    setCascadeColorEnabled(true);
    setCascadeOpacityEnabled(true);
    return true;
}

CCMenuItem::~CCMenuItem() = default;

void CCMenuItem::setTarget(CCObject* target, SEL_MenuHandler selector) {
    m_target = target;
    m_selector = selector;
}

void CCMenuItem::activate() {
    if (!m_enabled || !m_target || !m_selector) {
        return;
    }
    // The callback may replace the scene or drop the menu; both stay alive until it returns.
    CCObject* target = m_target;
    const SEL_MenuHandler selector = m_selector;
    retain();
    target->retain();
    (target->*selector)(this);
    target->release();
    release();
}

void CCMenuItem::selected() {
    m_selected = true;
}

void CCMenuItem::unselected() {
    m_selected = false;
}

void CCMenuItem::setEnabled(bool enabled) {
    m_enabled = enabled;
}

CCRect CCMenuItem::rect() const {
    return CCRect(m_position.x - m_contentSize.width * m_anchorPoint.x,
                  m_position.y - m_contentSize.height * m_anchorPoint.y, m_contentSize.width, m_contentSize.height);
}

}  // namespace lirava
