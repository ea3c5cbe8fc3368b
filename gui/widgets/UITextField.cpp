#include "gui/widgets/UITextField.h"

#include "engine/actions/CCScheduler.h"
#include "gui/widgets/FitToSize.h"
#include "gui/widgets/UICCTextField.h"

namespace lirava {

UITextField* UITextField::create() {
    UITextField* field = new UITextField();
    if (field->init()) {
        field->autorelease();
        return field;
    }
    delete field;
    return nullptr;
}

UITextField::UITextField() = default;

UITextField::~UITextField() = default;

bool UITextField::init() {
    if (!UIWidget::init()) {
        return false;
    }
    m_updateEnabled = true;
    m_scheduler->scheduleUpdateForTarget(this, 0, false);
    return true;
}

const char* UITextField::getTypeName() const {
    return "TextField";
}

void UITextField::initRenderer() {
    UIWidget::initRenderer();
    m_textFieldRenderer = UICCTextField::create(kFontSize);
    m_renderer->addChild(m_textFieldRenderer);
}

void UITextField::setText(const char* text) {
    if (!text || !m_textFieldRenderer) {
        return;
    }
    m_textFieldRenderer->setString(text);
    handleSizeChange();
}

const char* UITextField::getStringValue() const {
    return m_textFieldRenderer ? m_textFieldRenderer->getString() : "";
}

void UITextField::setPlaceHolder(const char* placeholder) {
    if (!placeholder || !m_textFieldRenderer) {
        return;
    }
    m_textFieldRenderer->setPlaceHolder(placeholder);
    handleSizeChange();
}

const char* UITextField::getPlaceHolder() const {
    return m_textFieldRenderer ? m_textFieldRenderer->getPlaceHolder() : "";
}

void UITextField::setFontSize(int size) {
    if (!m_textFieldRenderer) {
        return;
    }
    m_textFieldRenderer->setFontSize(static_cast<float>(size));
    handleSizeChange();
}

void UITextField::setFontName(const char* fontName) {
    if (!fontName || !m_textFieldRenderer) {
        return;
    }
    m_textFieldRenderer->setFontName(fontName);
    handleSizeChange();
}

void UITextField::setMaxLengthEnabled(bool enabled) {
    if (m_textFieldRenderer) {
        m_textFieldRenderer->setMaxLengthEnabled(enabled);
    }
}

bool UITextField::isMaxLengthEnabled() const {
    return m_textFieldRenderer && m_textFieldRenderer->isMaxLengthEnabled();
}

void UITextField::setMaxLength(int length) {
    if (m_textFieldRenderer) {
        m_textFieldRenderer->setMaxLength(length);
    }
}

int UITextField::getMaxLength() const {
    return m_textFieldRenderer ? m_textFieldRenderer->getMaxLength() : 0;
}

void UITextField::setPasswordEnabled(bool enabled) {
    if (!m_textFieldRenderer) {
        return;
    }
    m_textFieldRenderer->setPasswordEnabled(enabled);
    handleSizeChange();
}

bool UITextField::isPasswordEnabled() const {
    return m_textFieldRenderer && m_textFieldRenderer->isPasswordEnabled();
}

void UITextField::setPasswordStyleText(const char* styleText) {
    if (!m_textFieldRenderer) {
        return;
    }
    m_textFieldRenderer->setPasswordStyleText(styleText);
    handleSizeChange();
}

const char* UITextField::getPasswordStyleText() const {
    return m_textFieldRenderer ? m_textFieldRenderer->getPasswordStyleText() : "";
}

bool UITextField::attachWithIME() {
    return m_textFieldRenderer && m_textFieldRenderer->attachWithIME();
}

bool UITextField::detachWithIME() {
    return m_textFieldRenderer && m_textFieldRenderer->detachWithIME();
}

void UITextField::update(float /*dt*/) {
    if (!m_textFieldRenderer || !m_updateEnabled) {
        return;
    }
    if (m_textFieldRenderer->getAttachWithIME()) {
        m_textFieldRenderer->setAttachWithIME(false);
    }
    if (m_textFieldRenderer->getDetachWithIME()) {
        m_textFieldRenderer->setDetachWithIME(false);
    }
    // After typing and after deleting alike, the widget takes the size of what it now shows.
    if (m_textFieldRenderer->getInsertText()) {
        m_textFieldRenderer->setInsertText(false);
        handleSizeChange();
    }
    if (m_textFieldRenderer->getDeleteBackward()) {
        m_textFieldRenderer->setDeleteBackward(false);
        handleSizeChange();
    }
}

void UITextField::onEnter() {
    // A field taken off its parent loses its per-frame update; one put back gets it again.
    if (m_updateEnabled && m_scheduler && !m_scheduler->isUpdateScheduledForTarget(this)) {
        m_scheduler->scheduleUpdateForTarget(this, 0, false);
    }
    UIWidget::onEnter();
}

void UITextField::onExit() {
    // Keyboard text must not go on into a field that is no longer shown.
    detachWithIME();
    UIWidget::onExit();
}

void UITextField::onTouchBegan(const CCPoint& point) {
    UIWidget::onTouchBegan(point);
    attachWithIME();
}

bool UITextField::hitTest(const CCPoint& point) {
    if (!m_useTouchArea) {
        return UIWidget::hitTest(point);
    }
    if (!m_renderer) {
        return false;
    }
    const CCPoint local = m_renderer->convertToNodeSpace(point);
    const float left = -m_anchorPoint.x * m_touchSize.width;
    const float bottom = -m_anchorPoint.y * m_touchSize.height;
    return local.x >= left && local.x <= left + m_touchSize.width && local.y >= bottom &&
           local.y <= bottom + m_touchSize.height;
}

void UITextField::setAnchorPoint(const CCPoint& anchor) {
    UIWidget::setAnchorPoint(anchor);
    if (m_textFieldRenderer) {
        m_textFieldRenderer->setAnchorPoint(anchor);
    }
}

CCNode* UITextField::getRenderer() {
    return m_textFieldRenderer;
}

CCSize UITextField::getRendererSize() {
    return m_textFieldRenderer ? m_textFieldRenderer->getContentSize() : CCSizeZero;
}

void UITextField::handleSizeChange() {
    fitNodeToSize(m_textFieldRenderer, m_ignoreSize, m_size);
}

}  // namespace lirava
