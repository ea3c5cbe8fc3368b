#include "gui/widgets/GUIRenderer.h"

namespace lirava {

GUIRenderer* GUIRenderer::create() {
    GUIRenderer* renderer = new GUIRenderer();
    if (renderer->init()) {
        renderer->autorelease();
        return renderer;
    }
    delete renderer;
    return nullptr;
}

void GUIRenderer::visit(Renderer& renderer, const CCAffineTransform& parentToWorld) {
    if (!m_drawEnabled) {
        return;
    }
    CCNodeRGBA::visit(renderer, parentToWorld);
}

}  // namespace lirava
