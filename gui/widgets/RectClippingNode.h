#pragma once

#include "engine/nodes/CCClippingNode.h"

namespace lirava {

class CCDrawNode;

// The scene node behind a container widget: a clipping node whose stencil is a filled
// rectangle from (0, 0) to the clipping size. Clipping can be switched off, in which case the
// children are drawn like those of a plain node; like GUIRenderer it carries a draw-enabled flag
// that a disabled container uses to skip its whole subtree.
class RectClippingNode : public CCClippingNode {
public:
    static RectClippingNode* create();

    bool init() override;

    // Also the node's content size.
    void setClippingSize(const CCSize& size);
    const CCSize& getClippingSize() const { return m_clippingSize; }
    void setClippingEnabled(bool enabled) { m_clippingEnabled = enabled; }
    bool isClippingEnabled() const { return m_clippingEnabled; }
    void setDrawEnabled(bool enabled) { m_drawEnabled = enabled; }
    bool isDrawEnabled() const { return m_drawEnabled; }

    CCDrawNode* getStencilDrawNode() const { return m_stencilDrawNode; }

    void visit(Renderer& renderer, const CCAffineTransform& parentToWorld) override;

private:
    void drawStencil();

    CCDrawNode* m_stencilDrawNode = nullptr;  // held by the clipping node as its stencil
    bool m_drawEnabled = true;
    CCPoint m_corners[4];
    CCSize m_clippingSize = CCSize(50.0f, 50.0f);
    bool m_clippingEnabled = false;
};

}  // namespace lirava
