#pragma once

#include "engine/nodes/CCScene.h"

namespace lirava {

class Renderer;

// Which way a flip transition turns; the program asks for "down over" (1).
enum tOrientation {
    kCCTransitionOrientationLeftOver = 0,
    kCCTransitionOrientationRightOver = 1,
    kCCTransitionOrientationUpOver = 0,
    kCCTransitionOrientationDownOver = 1,
};

// A scene that animates from the running scene (out) to a new one (in) and then hands the
// stage to the new scene. Both scenes are retained until the transition is destroyed.
//
// Hooks, with the director's part: the director makes the transition the running scene
// without calling exit hooks on the out scene; the transition's onEnter switches touches off,
// calls the out scene's onExitTransitionDidStart and the in scene's onEnter, and starts the
// animation. When the animation ends, finish() puts both scenes back in their resting state
// and replaces the transition by the in scene; the director then calls the transition's
// onExitTransitionDidStart and onExit, whose onExit switches touches back on and calls the out
// scene's onExit and the in scene's onEnterTransitionDidFinish. A zero-length transition
// finishes on its first frame.
class CCTransitionScene : public CCScene {
public:
    static CCTransitionScene* create(float duration, CCScene* scene);
    virtual bool initWithDuration(float duration, CCScene* scene);
    ~CCTransitionScene() override;

    CCScene* getInScene() const { return m_inScene; }
    CCScene* getOutScene() const { return m_outScene; }
    float getDuration() const { return m_duration; }
    bool isInSceneOnTop() const { return m_isInSceneOnTop; }
    // 0 when started, 1 when the animation is over.
    float getProgress() const { return m_progress; }

    // Ends the animation and hands the stage to the in scene (called once).
    void finish();
    void hideOutShowIn();

    void onEnter() override;
    void onExit() override;
    void cleanup() override;
    // Advances the animation; runs once a frame while the transition is on stage.
    void update(float dt) override;
    void draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) override;

protected:
    // Which scene is drawn on top; the default puts the in scene above.
    virtual void sceneOrder();
    // Progress p in 0..1 each frame while the transition runs; subclasses move their scenes.
    virtual void updateProgress(float progress) {}
    // Called from onEnter after the scenes' hooks, when the animation starts.
    virtual void startAnimation() {}
    // Restores both scenes' visibility and transform once the animation is over.
    virtual void resetScenes();
    // A design point moved onto the nearest pixel corner of the renderer's current target.
    // Meshes whose shared corners land on whole pixels leave no hairline gaps between their
    // triangles in a software rasteriser.
    static CCPoint snapToPixel(const CCPoint& point, Renderer& renderer);

    CCScene* m_inScene = nullptr;
    CCScene* m_outScene = nullptr;
    float m_duration = 0.0f;
    float m_elapsed = 0.0f;
    float m_progress = 0.0f;
    bool m_finished = false;
    bool m_isInSceneOnTop = true;
    bool m_sendCleanupToScene = false;
};

}  // namespace lirava
