#include "gui/widgets/UILabelBMFont.h"

#include "engine/text/CCLabelBMFont.h"
#include "gui/widgets/FitToSize.h"

namespace lirava {

UILabelBMFont* UILabelBMFont::create() {
    UILabelBMFont* label = new UILabelBMFont();
    if (label->init()) {
        label->autorelease();
        return label;
    }
    delete label;
    return nullptr;
}

const char* UILabelBMFont::getTypeName() const {
    return "LabelBMFont";
}

void UILabelBMFont::initRenderer() {
    UIWidget::initRenderer();
    m_labelBMFontRenderer = CCLabelBMFont::create();
    m_renderer->addChild(m_labelBMFontRenderer);
}

void UILabelBMFont::setFntFile(const char* fileName) {
    if (!fileName || !*fileName || !m_labelBMFontRenderer) {
        return;
    }
    m_labelBMFontRenderer->initWithString("", fileName, kCCLabelAutomaticWidth, kCCTextAlignmentLeft, CCPointZero);
    setAnchorPoint(m_anchorPoint);
    handleSizeChange();
    m_fontFileLoaded = true;
}

void UILabelBMFont::setText(const char* text) {
    if (!text || !m_fontFileLoaded || !m_labelBMFontRenderer) {
        return;
    }
    m_labelBMFontRenderer->setString(text);
    handleSizeChange();
}

const char* UILabelBMFont::getStringValue() const {
    return m_labelBMFontRenderer ? m_labelBMFontRenderer->getString() : "";
}

void UILabelBMFont::setAnchorPoint(const CCPoint& anchor) {
    UIWidget::setAnchorPoint(anchor);
    if (m_labelBMFontRenderer) {
        m_labelBMFontRenderer->setAnchorPoint(anchor);
    }
}

CCNode* UILabelBMFont::getRenderer() {
    return m_labelBMFontRenderer;
}

CCSize UILabelBMFont::getRendererSize() {
    return m_labelBMFontRenderer ? m_labelBMFontRenderer->getContentSize() : CCSizeZero;
}

void UILabelBMFont::handleSizeChange() {
    fitNodeToSize(m_labelBMFontRenderer, m_ignoreSize, m_size);
}

}  // namespace lirava
