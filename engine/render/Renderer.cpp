#include "engine/render/Renderer.h"

namespace lirava {

namespace {
Renderer* g_current = nullptr;
}

Renderer* Renderer::current() {
    return g_current;
}

void Renderer::setCurrent(Renderer* renderer) {
    g_current = renderer;
}

void Renderer::drawQuad(TextureId texture, const Vertex corners[4], BlendMode blend) {
    static const int kIndices[6] = {0, 1, 2, 2, 1, 3};
    drawTriangles(texture, corners, 4, kIndices, 6, blend);
}

}  // namespace lirava
