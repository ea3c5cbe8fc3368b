#include "gui/widgets/UILabelAtlas.h"

#include "gui/widgets/FitToSize.h"
#include "gui/widgets/UICCLabelAtlas.h"

namespace lirava {

UILabelAtlas* UILabelAtlas::create() {
    UILabelAtlas* label = new UILabelAtlas();
    if (label->init()) {
        label->autorelease();
        return label;
    }
    delete label;
    return nullptr;
}

const char* UILabelAtlas::getTypeName() const {
    return "LabelAtlase";
}

void UILabelAtlas::initRenderer() {
    UIWidget::initRenderer();
    m_labelAtlasRenderer = UICCLabelAtlas::create();
    m_renderer->addChild(m_labelAtlasRenderer);
}

void UILabelAtlas::setProperty(const char* stringValue, const char* charMapFile, int itemWidth, int itemHeight,
                               const char* startCharMap) {
    if (!m_labelAtlasRenderer || itemWidth <= 0 || itemHeight <= 0) {
        return;
    }
    const unsigned int firstCharacter = startCharMap ? static_cast<unsigned char>(startCharMap[0]) : 0u;
    m_labelAtlasRenderer->setProperty(stringValue, charMapFile, static_cast<unsigned int>(itemWidth),
                                      static_cast<unsigned int>(itemHeight), firstCharacter);
    setAnchorPoint(m_anchorPoint);
    handleSizeChange();
}

void UILabelAtlas::setStringValue(const char* value) {
    if (!m_labelAtlasRenderer || !value) {
        return;
    }
    m_labelAtlasRenderer->setString(value);
    handleSizeChange();
}

const char* UILabelAtlas::getStringValue() const {
    return m_labelAtlasRenderer ? m_labelAtlasRenderer->getString() : "";
}

void UILabelAtlas::setAnchorPoint(const CCPoint& anchor) {
    UIWidget::setAnchorPoint(anchor);
    if (m_labelAtlasRenderer) {
        m_labelAtlasRenderer->setAnchorPoint(anchor);
    }
}

CCNode* UILabelAtlas::getRenderer() {
    return m_labelAtlasRenderer;
}

CCSize UILabelAtlas::getRendererSize() {
    return m_labelAtlasRenderer ? m_labelAtlasRenderer->getContentSize() : CCSizeZero;
}

void UILabelAtlas::handleSizeChange() {
    fitNodeToSize(m_labelAtlasRenderer, m_ignoreSize, m_size);
}

}  // namespace lirava
