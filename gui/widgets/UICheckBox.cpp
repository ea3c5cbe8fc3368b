#include "gui/widgets/UICheckBox.h"

#include "engine/nodes/CCSprite.h"

namespace lirava {

UICheckBox* UICheckBox::create() {
    UICheckBox* checkBox = new UICheckBox();
    if (checkBox->init()) {
        checkBox->autorelease();
        return checkBox;
    }
    delete checkBox;
    return nullptr;
}

UICheckBox::UICheckBox() = default;

UICheckBox::~UICheckBox() = default;

bool UICheckBox::init() {
    if (!UIWidget::init()) {
        return false;
    }
    // A new check box starts cleared, with the cross hidden.
    setSelectedState(false);
    return true;
}

const char* UICheckBox::getTypeName() const {
    return "CheckBox";
}

void UICheckBox::initRenderer() {
    UIWidget::initRenderer();
    m_backGroundBoxRenderer = CCSprite::create();
    m_backGroundSelectedBoxRenderer = CCSprite::create();
    m_frontCrossRenderer = CCSprite::create();
    m_backGroundBoxDisabledRenderer = CCSprite::create();
    m_frontCrossDisabledRenderer = CCSprite::create();
    // Later ones draw on top: the cross over the boxes, the disabled cross over everything.
    m_renderer->addChild(m_backGroundBoxRenderer);
    m_renderer->addChild(m_backGroundSelectedBoxRenderer);
    m_renderer->addChild(m_frontCrossRenderer);
    m_renderer->addChild(m_backGroundBoxDisabledRenderer);
    m_renderer->addChild(m_frontCrossDisabledRenderer);
}

void UICheckBox::loadTextures(const char* backGround, const char* backGroundSelected, const char* cross,
                              const char* backGroundDisabled, const char* frontCrossDisabled, TextureResType texType) {
    loadTextureBackGround(backGround, texType);
    loadTextureBackGroundSelected(backGroundSelected, texType);
    loadTextureFrontCross(cross, texType);
    loadTextureBackGroundDisabled(backGroundDisabled, texType);
    loadTextureFrontCrossDisabled(frontCrossDisabled, texType);
}

bool UICheckBox::loadInto(CCSprite* sprite, const char* fileName, TextureResType texType, TextureResType& storedType) {
    if (!fileName || !*fileName || !sprite) {
        return false;
    }
    storedType = texType;
    // A re-initialised sprite keeps its visibility, so the look and the ticked state stay as
    // they were.
    if (texType == UI_TEX_TYPE_PLIST) {
        sprite->initWithSpriteFrameName(fileName);
    } else {
        sprite->initWithFile(fileName);
    }
    syncColorTo(sprite);
    return true;
}

void UICheckBox::loadTextureBackGround(const char* fileName, TextureResType texType) {
    if (loadInto(m_backGroundBoxRenderer, fileName, texType, m_backGroundTexType)) {
        fitBox();
    }
}

void UICheckBox::loadTextureBackGroundSelected(const char* fileName, TextureResType texType) {
    if (loadInto(m_backGroundSelectedBoxRenderer, fileName, texType, m_backGroundSelectedTexType)) {
        fitSecondary(m_backGroundSelectedBoxRenderer);
    }
}

void UICheckBox::loadTextureFrontCross(const char* fileName, TextureResType texType) {
    if (loadInto(m_frontCrossRenderer, fileName, texType, m_frontCrossTexType)) {
        fitSecondary(m_frontCrossRenderer);
    }
}

void UICheckBox::loadTextureBackGroundDisabled(const char* fileName, TextureResType texType) {
    if (loadInto(m_backGroundBoxDisabledRenderer, fileName, texType, m_backGroundDisabledTexType)) {
        fitSecondary(m_backGroundBoxDisabledRenderer);
    }
}

void UICheckBox::loadTextureFrontCrossDisabled(const char* fileName, TextureResType texType) {
    if (loadInto(m_frontCrossDisabledRenderer, fileName, texType, m_frontCrossDisabledTexType)) {
        fitSecondary(m_frontCrossDisabledRenderer);
    }
}

void UICheckBox::setSelectedState(bool selected) {
    m_isSelected = selected;
    if (m_frontCrossRenderer) {
        m_frontCrossRenderer->setVisible(selected);
    }
}

void UICheckBox::onTouchEnded(const CCPoint& point) {
    if (m_focused) {
        callTouchListener(TOUCH_EVENT_ENDED);
        setSelectedState(!m_isSelected);
        setFocused(false);
    }
    if (m_parent) {
        m_parent->onChildTouchEvent(TOUCH_EVENT_ENDED, this, point);
    }
}

// --- looks

void UICheckBox::showNormalLook() {
    if (!m_backGroundBoxRenderer) {
        return;
    }
    m_backGroundBoxRenderer->setVisible(true);
    m_backGroundSelectedBoxRenderer->setVisible(false);
    m_backGroundBoxDisabledRenderer->setVisible(false);
    m_frontCrossDisabledRenderer->setVisible(false);
}

void UICheckBox::showPressedLook() {
    if (!m_backGroundBoxRenderer) {
        return;
    }
    m_backGroundBoxRenderer->setVisible(false);
    m_backGroundSelectedBoxRenderer->setVisible(true);
    m_backGroundBoxDisabledRenderer->setVisible(false);
    m_frontCrossDisabledRenderer->setVisible(false);
}

void UICheckBox::showDisabledLook() {
    if (!m_backGroundBoxRenderer) {
        return;
    }
    m_backGroundBoxRenderer->setVisible(false);
    m_backGroundSelectedBoxRenderer->setVisible(false);
    m_backGroundBoxDisabledRenderer->setVisible(true);
    m_frontCrossRenderer->setVisible(false);
    m_frontCrossDisabledRenderer->setVisible(m_isSelected);
}

// --- transform

void UICheckBox::setAnchorPoint(const CCPoint& anchor) {
    UIWidget::setAnchorPoint(anchor);
    for (CCSprite* sprite : {m_backGroundBoxRenderer, m_backGroundSelectedBoxRenderer, m_frontCrossRenderer,
                             m_backGroundBoxDisabledRenderer, m_frontCrossDisabledRenderer}) {
        if (sprite) {
            sprite->setAnchorPoint(anchor);
        }
    }
}

void UICheckBox::setFlipX(bool flipX) {
    for (CCSprite* sprite : {m_backGroundBoxRenderer, m_backGroundSelectedBoxRenderer, m_frontCrossRenderer,
                             m_backGroundBoxDisabledRenderer, m_frontCrossDisabledRenderer}) {
        if (sprite) {
            sprite->setFlipX(flipX);
        }
    }
}

bool UICheckBox::isFlipX() {
    return m_backGroundBoxRenderer && m_backGroundBoxRenderer->isFlipX();
}

void UICheckBox::setFlipY(bool flipY) {
    for (CCSprite* sprite : {m_backGroundBoxRenderer, m_backGroundSelectedBoxRenderer, m_frontCrossRenderer,
                             m_backGroundBoxDisabledRenderer, m_frontCrossDisabledRenderer}) {
        if (sprite) {
            sprite->setFlipY(flipY);
        }
    }
}

bool UICheckBox::isFlipY() {
    return m_backGroundBoxRenderer && m_backGroundBoxRenderer->isFlipY();
}

CCNode* UICheckBox::getRenderer() {
    return m_backGroundBoxRenderer;
}

CCSize UICheckBox::getRendererSize() {
    return m_backGroundBoxRenderer ? m_backGroundBoxRenderer->getContentSize() : CCSizeZero;
}

// --- sizing

void UICheckBox::handleSizeChange() {
    fitBox();
    fitSecondary(m_backGroundSelectedBoxRenderer);
    fitSecondary(m_frontCrossRenderer);
    fitSecondary(m_backGroundBoxDisabledRenderer);
    fitSecondary(m_frontCrossDisabledRenderer);
}

namespace {

void stretchTo(CCSprite* sprite, const CCSize& size) {
    const CCSize& content = sprite->getContentSize();
    if (content.width > 0.0f && content.height > 0.0f) {
        sprite->setScaleX(size.width / content.width);
        sprite->setScaleY(size.height / content.height);
    } else {
        sprite->setScale(1.0f);
    }
}

}  // namespace

void UICheckBox::fitBox() {
    if (!m_backGroundBoxRenderer) {
        return;
    }
    if (m_ignoreSize) {
        m_backGroundBoxRenderer->setScale(1.0f);
        m_size = m_backGroundBoxRenderer->getContentSize();
    } else {
        stretchTo(m_backGroundBoxRenderer, m_size);
    }
}

void UICheckBox::fitSecondary(CCSprite* sprite) {
    if (!sprite) {
        return;
    }
    if (m_ignoreSize) {
        sprite->setScale(1.0f);
    } else {
        stretchTo(sprite, m_size);
    }
}

}  // namespace lirava
