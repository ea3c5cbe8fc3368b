#include "gui/widgets/InnerContainerLayout.h"

#include <algorithm>

#include "engine/base/CCArray.h"

namespace lirava {

InnerContainerLayout::~InnerContainerLayout() {
    InnerContainerLayout::releaseResources();
}

void InnerContainerLayout::initRenderer() {
    ScrollingLayout::initRenderer();
    m_innerContainer = Layout::create();
    // The inner container is the only own child; the child operations hand out its children
    // instead.
    UIWidget::addChild(m_innerContainer);
}

void InnerContainerLayout::releaseResources() {
    if (m_innerContainer) {
        m_innerContainer->removeAllChildren();
    }
    ScrollingLayout::releaseResources();
    m_innerContainer = nullptr;
}

void InnerContainerLayout::setInnerSize(const CCSize& size) {
    if (!m_innerContainer) {
        return;
    }
    const CCSize inner(std::max(size.width, m_size.width), std::max(size.height, m_size.height));
    m_innerContainer->setSize(inner);
    m_innerContainer->setPosition(CCPoint(0.0f, m_size.height - inner.height));
}

const CCSize& InnerContainerLayout::getInnerSize() const {
    return m_innerContainer ? m_innerContainer->getSize() : CCSizeZero;
}

bool InnerContainerLayout::addChild(UIWidget* child) {
    return m_innerContainer && m_innerContainer->addChild(child);
}

bool InnerContainerLayout::removeChild(UIWidget* child) {
    return m_innerContainer && m_innerContainer->removeChild(child);
}

void InnerContainerLayout::removeAllChildren() {
    if (m_innerContainer) {
        m_innerContainer->removeAllChildren();
    }
}

CCArray* InnerContainerLayout::getChildren() {
    return m_innerContainer ? m_innerContainer->getChildren() : nullptr;
}

void InnerContainerLayout::setLayoutType(LayoutType type) {
    if (m_innerContainer) {
        m_innerContainer->setLayoutType(type);
    }
}

LayoutType InnerContainerLayout::getLayoutType() {
    return m_innerContainer ? m_innerContainer->getLayoutType() : LAYOUT_ABSOLUTE;
}

void InnerContainerLayout::doLayout() {
    if (m_innerContainer) {
        m_innerContainer->doLayout();
    }
}

bool InnerContainerLayout::hasContent() {
    CCArray* content = getChildren();
    return content && content->count() > 0;
}

}  // namespace lirava
