#pragma once

#include <cstdint>

#include "engine/base/CCAffineTransform.h"
#include "engine/render/Renderer.h"

namespace lirava {

class CCNode;

// A scene drawn into a render target the size of the frame, for transitions that bend, scale or
// turn a whole scene. Drawing a page through the software rasteriser is most of a transition
// frame's cost, and the scenes of a transition are mostly still, so the scene is drawn into the
// target again only when what it would draw has changed: it is first walked through a
// FingerprintRenderer, which draws nothing, and redrawn only when the fingerprint differs from
// the one the target holds (or cannot be trusted).
class SceneSnapshot {
public:
    SceneSnapshot() = default;
    SceneSnapshot(const SceneSnapshot&) = delete;
    SceneSnapshot& operator=(const SceneSnapshot&) = delete;
    ~SceneSnapshot();

    // The target showing scene as it draws now, or 0 when the renderer can make no target.
    TextureId take(Renderer& renderer, CCNode* scene, const CCAffineTransform& nodeToWorld);
    // Frees the target (only through the renderer that made it, while it is still current).
    void release();

    // How many times take() really drew the scene (for tests and benchmarks).
    int redraws() const { return m_redraws; }

private:
    Renderer* m_owner = nullptr;
    TextureId m_target = 0;
    int m_width = 0;
    int m_height = 0;
    // What the target holds: the scene drawn and its fingerprint, valid only when m_held is set.
    const CCNode* m_scene = nullptr;
    std::uint64_t m_fingerprint = 0;
    bool m_held = false;
    int m_redraws = 0;
};

}  // namespace lirava
