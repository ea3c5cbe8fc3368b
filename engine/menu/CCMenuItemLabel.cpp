#include "engine/menu/CCMenuItemLabel.h"

#include "engine/actions/CCScaleTo.h"
#include "engine/nodes/CCRGBAProtocol.h"
#include "engine/text/CCLabelProtocol.h"

namespace lirava {

namespace {
constexpr int kZoomActionTag = 0x0c05002;
constexpr float kZoomDuration = 0.1f;
constexpr float kZoomFactor = 1.2f;
}  // namespace

CCMenuItemLabel* CCMenuItemLabel::create(CCNode* label) {
    return create(label, nullptr, nullptr);
}

CCMenuItemLabel* CCMenuItemLabel::create(CCNode* label, CCObject* target, SEL_MenuHandler selector) {
    CCMenuItemLabel* item = new CCMenuItemLabel();
    if (item->initWithLabel(label, target, selector)) {
        item->autorelease();
        return item;
    }
    delete item;
    return nullptr;
}

bool CCMenuItemLabel::initWithLabel(CCNode* label, CCObject* target, SEL_MenuHandler selector) {
    if (!initWithTarget(target, selector)) {
        return false;
    }
    m_originalScale = 1.0f;
    m_colorBackup = ccWHITE;
    m_disabledColor = ccc3(126, 126, 126);
    setLabel(label);
    return true;
}

CCMenuItemLabel::~CCMenuItemLabel() = default;

void CCMenuItemLabel::setLabel(CCNode* label) {
    if (label == m_label || (label && label->getParent())) {
        return;  // a label that shows elsewhere already cannot be taken over
    }
    if (m_label) {
        removeChild(m_label, true);
    }
    m_label = label;
    if (m_label) {
        m_label->setAnchorPoint(CCPoint(0.0f, 0.0f));
        addChild(m_label);
        setContentSize(m_label->getContentSize());
    }
}

void CCMenuItemLabel::setString(const char* text) {
    if (CCLabelProtocol* label = dynamic_cast<CCLabelProtocol*>(m_label)) {
        label->setString(text ? text : "");
        setContentSize(m_label->getContentSize());
    }
}

void CCMenuItemLabel::activate() {
    if (m_enabled) {
        stopAllActions();
        setScale(m_originalScale);
        CCMenuItem::activate();
    }
}

void CCMenuItemLabel::selected() {
    if (!m_enabled) {
        return;
    }
    CCMenuItem::selected();
    if (CCAction* zoom = getActionByTag(kZoomActionTag)) {
        stopAction(zoom);  // still growing or shrinking: keep the size it started from
    } else {
        m_originalScale = getScale();
    }
    CCAction* grow = CCScaleTo::create(kZoomDuration, m_originalScale * kZoomFactor);
    grow->setTag(kZoomActionTag);
    runAction(grow);
}

void CCMenuItemLabel::unselected() {
    if (!m_enabled) {
        return;
    }
    CCMenuItem::unselected();
    stopActionByTag(kZoomActionTag);
    CCAction* shrink = CCScaleTo::create(kZoomDuration, m_originalScale);
    shrink->setTag(kZoomActionTag);
    runAction(shrink);
}

void CCMenuItemLabel::setEnabled(bool enabled) {
    if (m_enabled != enabled) {
        if (CCRGBAProtocol* label = dynamic_cast<CCRGBAProtocol*>(m_label)) {
            if (!enabled) {
                m_colorBackup = label->getColor();
                label->setColor(m_disabledColor);
            } else {
                label->setColor(m_colorBackup);
            }
        }
    }
    CCMenuItem::setEnabled(enabled);
}

}  // namespace lirava
