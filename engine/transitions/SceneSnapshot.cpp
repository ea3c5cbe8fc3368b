#include "engine/transitions/SceneSnapshot.h"

#include "engine/nodes/CCNode.h"
#include "engine/render/FingerprintRenderer.h"

namespace lirava {

SceneSnapshot::~SceneSnapshot() {
    release();
}

void SceneSnapshot::release() {
    // Only the renderer that made the target can free it; one that is gone freed it already.
    if (m_target && m_owner && Renderer::current() == m_owner) {
        m_owner->destroyTexture(m_target);
    }
    m_target = 0;
    m_owner = nullptr;
    m_held = false;
}

TextureId SceneSnapshot::take(Renderer& renderer, CCNode* scene, const CCAffineTransform& nodeToWorld) {
    const int width = renderer.targetWidth();
    const int height = renderer.targetHeight();
    if (m_target && (m_owner != &renderer || width != m_width || height != m_height)) {
        release();
    }
    if (!m_target) {
        m_target = renderer.createRenderTarget(width, height);
        m_owner = m_target ? &renderer : nullptr;
        m_width = width;
        m_height = height;
        m_held = false;
    }
    if (!m_target || !scene) {
        return m_target;
    }
    FingerprintRenderer print(renderer);
    scene->visit(print, nodeToWorld);
    if (m_held && m_scene == scene && !print.unreliable() && print.fingerprint() == m_fingerprint) {
        return m_target;
    }
    renderer.setRenderTarget(m_target);
    renderer.clear(ccc4(0, 0, 0, 255));
    scene->visit(renderer, nodeToWorld);
    renderer.setRenderTarget(0);
    m_scene = scene;
    m_fingerprint = print.fingerprint();
    m_held = !print.unreliable();
    ++m_redraws;
    return m_target;
}

}  // namespace lirava
