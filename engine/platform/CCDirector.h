#pragma once

#include <cstdint>

#include "engine/base/CCGeometry.h"
#include "engine/base/CCObject.h"
#include "engine/render/DrawList.h"

namespace lirava {

class CCActionManager;
class CCEGLView;
class CCKeypadDispatcher;
class CCScene;
class CCScheduler;
class CCTouchDispatcher;
class Renderer;

// Runs the main loop: one running scene, scene replacement (through transitions), the
// scheduler and action manager, the touch and keypad dispatchers and the frame clock.
//
// Frame order: input (dispatched by the view before the frame), scheduler (actions first, then
// per-frame updates, then interval selectors), scene switch, drawing, autorelease pool drain.
class CCDirector : public CCObject {
public:
    static CCDirector* sharedDirector();
    // Tears the director down (tests and shutdown): the running scene gets its exit hooks and
    // cleanup and is released, a pending scene is dropped, every touch delegate is removed. The
    // next sharedDirector makes a new director. Keypad delegates are removed as well.
    static void purgeDirector();

    CCScene* getRunningScene() const { return m_runningScene; }
    CCScene* getNextScene() const { return m_nextScene; }

    // Seconds per frame; the main loop paces real frames to it and advances virtual time by it.
    double getAnimationInterval() const { return m_animationInterval; }
    void setAnimationInterval(double interval);
    void startAnimation();
    void stopAnimation();
    bool isAnimating() const { return m_animating; }

    CCEGLView* getOpenGLView() const { return m_openGLView; }
    void setOpenGLView(CCEGLView* view);
    Renderer* getRenderer() const;

    // The design size (640 x 960 in the program) once the view has a design resolution.
    CCSize getWinSize() const;
    CCSize getWinSizeInPixels() const;
    CCSize getVisibleSize() const;
    CCPoint getVisibleOrigin() const;

    // The scene becomes the running one at the next frame (with no cleanup of a scene that runs
    // already) and animation starts.
    void runWithScene(CCScene* scene);
    // The scene becomes the running one at the start of the next frame's draw; the old scene
    // gets its exit hooks and cleanup then (unless the new scene is a transition, which takes
    // care of the old one) and is released.
    void replaceScene(CCScene* scene);
    // Ends the main loop after the current frame.
    void end();
    bool isSendCleanupToScene() const { return m_sendCleanupToScene; }

    // Empties the texture cache and the sprite-frame cache (textures in use stay alive with their
    // users).
    void purgeCachedData();
    void setDepthTest(bool on) { m_depthTest = on; }
    bool isDepthTest() const { return m_depthTest; }

    CCScheduler* getScheduler() const { return m_scheduler; }
    CCActionManager* getActionManager() const { return m_actionManager; }
    CCTouchDispatcher* getTouchDispatcher() const { return m_touchDispatcher; }
    CCKeypadDispatcher* getKeypadDispatcher() const { return m_keypadDispatcher; }

    // One frame: scheduler by dt, scene switch, draw and present, pool drain.
    void mainLoop(double dt);
    // The frame without the pool drain.
    void drawScene(double dt);
    // The frame of a loop that rests while nothing moves (window mode): scheduler and scene
    // switch as in drawScene, but the frame is drawn and presented only when its picture
    // differs from the one on show (a fingerprint of the scene's drawing tells; a transition
    // always draws), or when redraw asks for it (the window lost its pixels or changed size).
    // Returns whether it presented. No pool drain.
    // A new picture is drawn in part where the renderer keeps the frame's pixels: only where
    // it differs from the one on show.
    bool drawSceneWhenChanged(double dt, bool redraw);
    // Something drew into the frame between frames (a screenshot of a scene that changed since
    // the last frame): the next resting frame is drawn whole.
    void forgetShownFrame();
    // Whether the next frame may look different with no input and no interval selector due:
    // actions run, a scene change waits, a transition plays, or the last frame's picture was new
    // (a glide that a per-frame update drives goes on until its picture stands still).
    bool isPictureMoving() const;
    // Draws the running scene into the renderer's frame without presenting it or advancing
    // anything (screenshots read it back). False when there is no renderer.
    bool renderFrame();
    float getDeltaTime() const { return m_deltaTime; }
    unsigned int getTotalFrames() const { return m_totalFrames; }
    // Seconds of frame time since the director started (virtual time in headless runs).
    double getElapsedTime() const { return m_elapsedTime; }
    bool isEnded() const { return m_ended; }

private:
    CCDirector();
    ~CCDirector() override;
    void setNextScene();
    void releaseScenes();
    // Time, scheduler and scene switches of one frame.
    void advance(double dt);

    CCScene* m_runningScene = nullptr;
    CCScene* m_nextScene = nullptr;
    CCEGLView* m_openGLView = nullptr;
    CCScheduler* m_scheduler = nullptr;
    CCActionManager* m_actionManager = nullptr;
    CCTouchDispatcher* m_touchDispatcher = nullptr;
    CCKeypadDispatcher* m_keypadDispatcher = nullptr;
    double m_animationInterval = 1.0 / 60.0;
    float m_deltaTime = 0.0f;
    double m_elapsedTime = 0.0;
    unsigned int m_totalFrames = 0;
    bool m_animating = true;
    bool m_sendCleanupToScene = false;
    bool m_depthTest = false;
    bool m_ended = false;
    // What the picture on show was drawn from, when that describes it.
    DrawList m_shown;
    bool m_shownKnown = false;
    bool m_pictureChanged = true;
};

}  // namespace lirava
