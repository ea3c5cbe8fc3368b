#include "gui/widgets/RectClippingNode.h"

#include "engine/nodes/CCDrawNode.h"

namespace lirava {

namespace {
const ccColor4F kStencilColor = {0.0f, 1.0f, 0.0f, 1.0f};
}

RectClippingNode* RectClippingNode::create() {
    RectClippingNode* node = new RectClippingNode();
    if (node->init()) {
        node->autorelease();
        return node;
    }
    delete node;
    return nullptr;
}

bool RectClippingNode::init() {
    m_stencilDrawNode = CCDrawNode::create();
    if (!m_stencilDrawNode) {
        return false;
    }
    drawStencil();
    return CCClippingNode::init(m_stencilDrawNode);
}

void RectClippingNode::drawStencil() {
    const float w = m_clippingSize.width;
    const float h = m_clippingSize.height;
    m_corners[0] = CCPoint(0.0f, 0.0f);
    m_corners[1] = CCPoint(w, 0.0f);
    m_corners[2] = CCPoint(w, h);
    m_corners[3] = CCPoint(0.0f, h);
    m_stencilDrawNode->clear();
    m_stencilDrawNode->drawPolygon(m_corners, 4, kStencilColor, 0.0f, kStencilColor);
}

void RectClippingNode::setClippingSize(const CCSize& size) {
    setContentSize(size);
    m_clippingSize = size;
    if (m_stencilDrawNode) {
        drawStencil();
    }
}

void RectClippingNode::visit(Renderer& renderer, const CCAffineTransform& parentToWorld) {
    if (!m_drawEnabled) {
        return;
    }
    if (m_clippingEnabled) {
        CCClippingNode::visit(renderer, parentToWorld);
    } else {
        CCNode::visit(renderer, parentToWorld);
    }
}

}  // namespace lirava
