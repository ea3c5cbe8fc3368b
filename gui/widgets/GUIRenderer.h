#pragma once

#include "engine/nodes/CCNodeRGBA.h"

namespace lirava {

// The scene node behind a plain widget. A widget that is disabled switches drawing off here, and
// with it the drawing of its whole subtree, without touching the engine's own visibility (which
// the widget's visible flag owns).
class GUIRenderer : public CCNodeRGBA {
public:
    static GUIRenderer* create();

    void setDrawEnabled(bool enabled) { m_drawEnabled = enabled; }
    bool isDrawEnabled() const { return m_drawEnabled; }

    void visit(Renderer& renderer, const CCAffineTransform& parentToWorld) override;

private:
    bool m_drawEnabled = true;
};

}  // namespace lirava
