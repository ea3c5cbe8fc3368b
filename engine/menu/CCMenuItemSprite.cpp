#include "engine/menu/CCMenuItemSprite.h"

namespace lirava {

namespace {
constexpr int kNormalTag = 0x1;
constexpr int kSelectedTag = 0x2;
constexpr int kDisabledTag = 0x3;
}  // namespace

CCMenuItemSprite* CCMenuItemSprite::create(CCNode* normal, CCNode* selected, CCNode* disabled) {
    return create(normal, selected, disabled, nullptr, nullptr);
}

CCMenuItemSprite* CCMenuItemSprite::create(CCNode* normal, CCNode* selected, CCObject* target,
                                           SEL_MenuHandler selector) {
    return create(normal, selected, nullptr, target, selector);
}

CCMenuItemSprite* CCMenuItemSprite::create(CCNode* normal, CCNode* selected, CCNode* disabled, CCObject* target,
                                           SEL_MenuHandler selector) {
    CCMenuItemSprite* item = new CCMenuItemSprite();
    if (item->initWithNormalSprite(normal, selected, disabled, target, selector)) {
        item->autorelease();
        return item;
    }
    delete item;
    return nullptr;
}

bool CCMenuItemSprite::initWithNormalSprite(CCNode* normal, CCNode* selected, CCNode* disabled, CCObject* target,
                                            SEL_MenuHandler selector) {
    if (!initWithTarget(target, selector)) {
        return false;
    }
    setNormalImage(normal);
    setSelectedImage(selected);
    setDisabledImage(disabled);
    return true;
}

void CCMenuItemSprite::replaceImage(CCNode*& slot, CCNode* image, int tag) {
    if (image == slot || (image && image->getParent())) {
        return;  // an image that shows elsewhere already cannot be taken over
    }
    if (slot) {
        removeChild(slot, true);
    }
    slot = image;
    if (slot) {
        slot->setAnchorPoint(CCPoint(0.0f, 0.0f));
        addChild(slot, 0, tag);
    }
    updateImagesVisibility();
}

void CCMenuItemSprite::setNormalImage(CCNode* image) {
    replaceImage(m_normalImage, image, kNormalTag);
    if (m_normalImage) {
        setContentSize(m_normalImage->getContentSize());
    }
}

void CCMenuItemSprite::setSelectedImage(CCNode* image) {
    replaceImage(m_selectedImage, image, kSelectedTag);
}

void CCMenuItemSprite::setDisabledImage(CCNode* image) {
    replaceImage(m_disabledImage, image, kDisabledTag);
}

void CCMenuItemSprite::updateImagesVisibility() {
    CCNode* shown = m_normalImage;
    if (!m_enabled && m_disabledImage) {
        shown = m_disabledImage;
    } else if (m_enabled && m_selected && m_selectedImage) {
        shown = m_selectedImage;
    }
    for (CCNode* image : {m_normalImage, m_selectedImage, m_disabledImage}) {
        if (image) {
            image->setVisible(image == shown);
        }
    }
}

void CCMenuItemSprite::selected() {
    CCMenuItem::selected();
    updateImagesVisibility();
}

void CCMenuItemSprite::unselected() {
    CCMenuItem::unselected();
    updateImagesVisibility();
}

void CCMenuItemSprite::setEnabled(bool enabled) {
    CCMenuItem::setEnabled(enabled);
    updateImagesVisibility();
}

}  // namespace lirava
