#pragma once

#include "engine/nodes/CCNode.h"

namespace lirava {

// Draws its children cut to the area of a stencil node. Clips are rectangles: the stencil's
// drawn area (a CCDrawNode's shapes, any other node's content rectangle) is carried into
// design space and its bounding box becomes a clip rectangle of the renderer, so nested
// clipping nodes intersect. The stencil is not drawn. Without a stencil, or with an empty or
// invisible one, nothing is drawn (an inverted node then draws everything).
class CCClippingNode : public CCNode {
public:
    static CCClippingNode* create();
    static CCClippingNode* create(CCNode* stencil);
    bool init() override;
    virtual bool init(CCNode* stencil);
    ~CCClippingNode() override;

    CCNode* getStencil() const { return m_stencil; }
    void setStencil(CCNode* stencil);
    // Inverted: children are drawn outside the stencil's rectangle instead of inside it.
    bool isInverted() const { return m_inverted; }
    void setInverted(bool inverted) { m_inverted = inverted; }
    // Kept for callers that set it; rectangular stencils have no alpha to test.
    float getAlphaThreshold() const { return m_alphaThreshold; }
    void setAlphaThreshold(float threshold) { m_alphaThreshold = threshold; }

    // The clip rectangle in design space for the given node-to-world transform; false when
    // the stencil covers nothing.
    bool stencilRectInWorld(const CCAffineTransform& nodeToWorld, CCRect& rect);

    void visit(Renderer& renderer, const CCAffineTransform& parentToWorld) override;
    void onEnter() override;
    void onEnterTransitionDidFinish() override;
    void onExitTransitionDidStart() override;
    void onExit() override;

private:
    CCNode* m_stencil = nullptr;
    float m_alphaThreshold = 1.0f;
    bool m_inverted = false;
};

}  // namespace lirava
