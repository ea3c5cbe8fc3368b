#include "engine/nodes/CCClippingNode.h"

#include "engine/nodes/CCDrawNode.h"
#include "engine/render/Renderer.h"

namespace lirava {

CCClippingNode* CCClippingNode::create() {
    return create(nullptr);
}

CCClippingNode* CCClippingNode::create(CCNode* stencil) {
    CCClippingNode* node = new CCClippingNode();
    if (node->init(stencil)) {
        node->autorelease();
        return node;
    }
    delete node;
    return nullptr;
}

bool CCClippingNode::init() {
    return init(nullptr);
}

bool CCClippingNode::init(CCNode* stencil) {
    setStencil(stencil);
    m_alphaThreshold = 1.0f;
    m_inverted = false;
    return true;
}

CCClippingNode::~CCClippingNode() {
    CC_SAFE_RELEASE(m_stencil);
}

void CCClippingNode::setStencil(CCNode* stencil) {
    if (stencil == m_stencil) {
        return;
    }
    CC_SAFE_RETAIN(stencil);
    if (m_stencil && m_running) {
        m_stencil->onExitTransitionDidStart();
        m_stencil->onExit();
    }
    CC_SAFE_RELEASE(m_stencil);
    m_stencil = stencil;
    // A stencil that is swapped in on stage runs its actions like one that entered with us.
    if (m_stencil && m_running) {
        m_stencil->onEnter();
        m_stencil->onEnterTransitionDidFinish();
    }
}

bool CCClippingNode::stencilRectInWorld(const CCAffineTransform& nodeToWorld, CCRect& rect) {
    if (!m_stencil || !m_stencil->isVisible()) {
        return false;
    }
    CCRect local;
    if (CCDrawNode* drawNode = dynamic_cast<CCDrawNode*>(m_stencil)) {
        if (!drawNode->getDrawnBounds(local)) {
            return false;
        }
    } else {
        const CCSize& size = m_stencil->getContentSize();
        if (size.width <= 0.0f || size.height <= 0.0f) {
            return false;
        }
        local = CCRect(0.0f, 0.0f, size.width, size.height);
    }
    // The stencil sits in this node's space like a child would.
    const CCAffineTransform stencilToWorld = CCAffineTransformConcat(m_stencil->nodeToParentTransform(), nodeToWorld);
    rect = CCRectApplyAffineTransform(local, stencilToWorld);
    return true;
}

void CCClippingNode::visit(Renderer& renderer, const CCAffineTransform& parentToWorld) {
    if (!m_visible) {
        return;
    }
    const CCAffineTransform world = CCAffineTransformConcat(nodeToParentTransform(), parentToWorld);
    CCRect clip;
    const bool hasStencil = stencilRectInWorld(world, clip);
    if (!m_inverted) {
        if (!hasStencil) {
            return;  // an empty stencil lets nothing through
        }
        renderer.pushClip(clip);
        CCNode::visit(renderer, parentToWorld);
        renderer.popClip();
        return;
    }
    if (!hasStencil) {
        CCNode::visit(renderer, parentToWorld);
        return;
    }
    // Inverted: the design area around the stencil's rectangle, as up to four bands. Every
    // point lies in at most one band, so overlapping children blend as they would unclipped.
    const CCSize area = renderer.getDesignSize();
    const float minX = clip.getMinX();
    const float maxX = clip.getMaxX();
    const float minY = clip.getMinY();
    const float maxY = clip.getMaxY();
    const CCRect bands[4] = {
        CCRect(0.0f, 0.0f, area.width, minY),
        CCRect(0.0f, maxY, area.width, area.height - maxY),
        CCRect(0.0f, minY, minX, maxY - minY),
        CCRect(maxX, minY, area.width - maxX, maxY - minY),
    };
    for (const CCRect& band : bands) {
        if (band.size.width > 0.0f && band.size.height > 0.0f) {
            renderer.pushClip(band);
            CCNode::visit(renderer, parentToWorld);
            renderer.popClip();
        }
    }
}

void CCClippingNode::onEnter() {
    CCNode::onEnter();
    if (m_stencil) {
        m_stencil->onEnter();
    }
}

void CCClippingNode::onEnterTransitionDidFinish() {
    CCNode::onEnterTransitionDidFinish();
    if (m_stencil) {
        m_stencil->onEnterTransitionDidFinish();
    }
}

void CCClippingNode::onExitTransitionDidStart() {
    if (m_stencil) {
        m_stencil->onExitTransitionDidStart();
    }
    CCNode::onExitTransitionDidStart();
}

void CCClippingNode::onExit() {
    if (m_stencil) {
        m_stencil->onExit();
    }
    CCNode::onExit();
}

}  // namespace lirava
