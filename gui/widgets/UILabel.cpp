#include "gui/widgets/UILabel.h"

#include "engine/text/CCLabelTTF.h"
#include "gui/widgets/FitToSize.h"

namespace lirava {

UILabel* UILabel::create() {
    UILabel* label = new UILabel();
    if (label->init()) {
        label->autorelease();
        return label;
    }
    delete label;
    return nullptr;
}

const char* UILabel::getTypeName() const {
    return "Label";
}

void UILabel::initRenderer() {
    UIWidget::initRenderer();
    m_labelRenderer = CCLabelTTF::create();
    m_renderer->addChild(m_labelRenderer);
}

void UILabel::setText(const char* text) {
    if (!text || !m_labelRenderer) {
        return;
    }
    m_labelRenderer->setString(text);
    handleSizeChange();
}

const char* UILabel::getStringValue() const {
    return m_labelRenderer ? m_labelRenderer->getString() : "";
}

void UILabel::setFontSize(int size) {
    if (!m_labelRenderer) {
        return;
    }
    m_labelRenderer->setFontSize(static_cast<float>(size));
    handleSizeChange();
}

void UILabel::setFontName(const char* fontName) {
    if (!fontName || !m_labelRenderer) {
        return;
    }
    m_labelRenderer->setFontName(fontName);
    handleSizeChange();
}

void UILabel::setTextAreaSize(const CCSize& size) {
    if (!m_labelRenderer) {
        return;
    }
    m_labelRenderer->setDimensions(size);
    handleSizeChange();
}

void UILabel::setTextHorizontalAlignment(CCTextAlignment alignment) {
    if (!m_labelRenderer) {
        return;
    }
    m_labelRenderer->setHorizontalAlignment(alignment);
    handleSizeChange();
}

void UILabel::setTextVerticalAlignment(CCVerticalTextAlignment alignment) {
    if (!m_labelRenderer) {
        return;
    }
    m_labelRenderer->setVerticalAlignment(alignment);
    handleSizeChange();
}

void UILabel::setTouchScaleEnabled(bool enabled) {
    m_touchScaleEnabled = enabled;
    m_restingScale = getScale();
}

void UILabel::showNormalLook() {
    if (m_touchScaleEnabled && m_renderer) {
        m_renderer->setScale(m_restingScale);
    }
}

void UILabel::showPressedLook() {
    if (m_touchScaleEnabled && m_renderer) {
        m_renderer->setScale(m_restingScale + m_pressedScaleOffset);
    }
}

void UILabel::setAnchorPoint(const CCPoint& anchor) {
    UIWidget::setAnchorPoint(anchor);
    if (m_labelRenderer) {
        m_labelRenderer->setAnchorPoint(anchor);
    }
}

void UILabel::setFlipX(bool flipX) {
    if (m_labelRenderer) {
        m_labelRenderer->setFlipX(flipX);
    }
}

bool UILabel::isFlipX() {
    return m_labelRenderer && m_labelRenderer->isFlipX();
}

void UILabel::setFlipY(bool flipY) {
    if (m_labelRenderer) {
        m_labelRenderer->setFlipY(flipY);
    }
}

bool UILabel::isFlipY() {
    return m_labelRenderer && m_labelRenderer->isFlipY();
}

CCNode* UILabel::getRenderer() {
    return m_labelRenderer;
}

CCSize UILabel::getRendererSize() {
    return m_labelRenderer ? m_labelRenderer->getContentSize() : CCSizeZero;
}

void UILabel::handleSizeChange() {
    fitNodeToSize(m_labelRenderer, m_ignoreSize, m_size);
}

}  // namespace lirava
