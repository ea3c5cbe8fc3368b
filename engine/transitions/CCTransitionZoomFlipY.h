#pragma once

#include <vector>

#include "engine/render/Renderer.h"
#include "engine/transitions/CCTransitionScene.h"
#include "engine/transitions/SceneSnapshot.h"

namespace lirava {

// Flips the screen about its horizontal axis while zooming out: the out scene shrinks and
// turns edge-on during the first half, then the in scene turns back from edge-on to full
// size. "Down over" (1) turns the top edge away from the viewer first; "up over" (0) the
// bottom edge.
class CCTransitionZoomFlipY : public CCTransitionScene {
public:
    static CCTransitionZoomFlipY* create(float duration, CCScene* scene, tOrientation orientation);
    static CCTransitionZoomFlipY* create(float duration, CCScene* scene, int orientation);
    using CCTransitionScene::initWithDuration;
    virtual bool initWithDuration(float duration, CCScene* scene, tOrientation orientation);
    ~CCTransitionZoomFlipY() override;

    tOrientation getOrientation() const { return m_orientation; }

    void draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) override;

    // The render target of the scene on show (for tests and benchmarks).
    const SceneSnapshot& shownScene() const { return m_shownScene; }

private:
    tOrientation m_orientation = kCCTransitionOrientationUpOver;
    SceneSnapshot m_shownScene;
    // One quad for each pixel row the turned page covers.
    std::vector<Vertex> m_rows;
    std::vector<int> m_indices;
};

}  // namespace lirava
