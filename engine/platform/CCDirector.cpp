#include "engine/platform/CCDirector.h"

#include <utility>

#include "engine/actions/CCActionManager.h"
#include "engine/actions/CCScheduler.h"
#include "engine/base/CCAffineTransform.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/nodes/CCScene.h"
#include "engine/nodes/CCSpriteFrameCache.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/CCKeypadDispatcher.h"
#include "engine/platform/CCTouchDispatcher.h"
#include "engine/render/CCTextureCache.h"
#include "engine/render/DamageRenderer.h"
#include "engine/render/FontRasterizer.h"
#include "engine/render/Renderer.h"
#include "engine/transitions/CCTransitionScene.h"

namespace lirava {

namespace {

CCDirector* g_director = nullptr;

// A scene that calls replaceScene from its enter hooks would otherwise switch forever.
constexpr int kMaxSceneSwitchesPerFrame = 8;

const ccColor4B kFrameClearColor = {0, 0, 0, 255};

bool isTransition(CCScene* scene) {
    return dynamic_cast<CCTransitionScene*>(scene) != nullptr;
}

// Whether next was entered already by the transition it replaces: a transition enters its in
// scene itself. Any other scene after a transition (say, a second transition that replaced an
// unfinished one) still has to be entered.
bool enteredByTransition(CCScene* old, CCScene* next) {
    CCTransitionScene* transition = dynamic_cast<CCTransitionScene*>(old);
    return transition && transition->getInScene() == next;
}

}  // namespace

CCDirector* CCDirector::sharedDirector() {
    if (!g_director) {
        g_director = new CCDirector();
    }
    return g_director;
}

void CCDirector::purgeDirector() {
    if (!g_director) {
        return;
    }
    CCDirector* director = g_director;
    director->releaseScenes();
    director->m_touchDispatcher->removeAllDelegates();
    director->m_keypadDispatcher->removeAllDelegates();
    // Nodes that outlive the director keep their (retained) scheduler; make sure it calls no one.
    director->m_scheduler->unscheduleAll();
    director->m_actionManager->removeAllActions();
    g_director = nullptr;
    director->release();
}

CCDirector::CCDirector() {
    m_scheduler = new CCScheduler();
    m_actionManager = new CCActionManager();
    m_scheduler->scheduleUpdateForTarget(m_actionManager, kCCPrioritySystem, false);
    m_touchDispatcher = new CCTouchDispatcher();
    m_keypadDispatcher = new CCKeypadDispatcher();
}

CCDirector::~CCDirector() {
    releaseScenes();
    delete m_keypadDispatcher;
    m_touchDispatcher->release();
    m_scheduler->unscheduleAll();
    m_actionManager->release();
    m_scheduler->release();
}

void CCDirector::releaseScenes() {
    if (m_runningScene) {
        CCScene* scene = m_runningScene;
        m_runningScene = nullptr;
        if (scene->isRunning()) {
            scene->onExitTransitionDidStart();
            scene->onExit();
        }
        scene->cleanup();
        scene->release();
    }
    CC_SAFE_RELEASE_NULL(m_nextScene);
}

void CCDirector::setAnimationInterval(double interval) {
    // Zero, negative or absurd intervals would stall or spin the loop.
    if (interval > 0.0 && interval <= 1.0) {
        m_animationInterval = interval;
    }
}

void CCDirector::startAnimation() {
    m_animating = true;
}

void CCDirector::stopAnimation() {
    m_animating = false;
}

void CCDirector::setOpenGLView(CCEGLView* view) {
    m_openGLView = view;
}

Renderer* CCDirector::getRenderer() const {
    if (m_openGLView) {
        if (Renderer* renderer = m_openGLView->getRenderer()) {
            return renderer;
        }
    }
    return Renderer::current();
}

CCSize CCDirector::getWinSize() const {
    const CCEGLView* view = m_openGLView ? m_openGLView : CCEGLView::sharedOpenGLView();
    return view->getDesignResolutionSize();
}

CCSize CCDirector::getWinSizeInPixels() const {
    const CCEGLView* view = m_openGLView ? m_openGLView : CCEGLView::sharedOpenGLView();
    return view->getFrameSize();
}

CCSize CCDirector::getVisibleSize() const {
    const CCEGLView* view = m_openGLView ? m_openGLView : CCEGLView::sharedOpenGLView();
    return view->getVisibleSize();
}

CCPoint CCDirector::getVisibleOrigin() const {
    const CCEGLView* view = m_openGLView ? m_openGLView : CCEGLView::sharedOpenGLView();
    return view->getVisibleOrigin();
}

void CCDirector::runWithScene(CCScene* scene) {
    if (!scene) {
        return;
    }
    scene->retain();
    CC_SAFE_RELEASE(m_nextScene);
    m_nextScene = scene;
    m_sendCleanupToScene = false;
    startAnimation();
}

void CCDirector::replaceScene(CCScene* scene) {
    if (!scene) {
        return;
    }
    // A second replacement in the same frame wins; the first scene never enters.
    scene->retain();
    CC_SAFE_RELEASE(m_nextScene);
    m_nextScene = scene;
    m_sendCleanupToScene = true;
}

void CCDirector::setNextScene() {
    CCScene* next = m_nextScene;
    m_nextScene = nullptr;  // the director's reference moves to m_runningScene below
    CCScene* old = m_runningScene;
    const bool newIsTransition = isTransition(next);
    const bool alreadyEntered = enteredByTransition(old, next);

    // A transition takes care of the old scene's exit itself.
    if (!newIsTransition && old) {
        old->onExitTransitionDidStart();
        old->onExit();
        if (m_sendCleanupToScene) {
            old->cleanup();
        }
    }
    m_runningScene = next;
    if (old) {
        old->release();
    }
    if (!alreadyEntered && next) {
        next->onEnter();
        next->onEnterTransitionDidFinish();
    }
}

void CCDirector::end() {
    m_ended = true;
    if (m_openGLView) {
        m_openGLView->end();
    }
}

void CCDirector::purgeCachedData() {
    // Frames first: they hold textures the texture cache would otherwise keep alive.
    CCSpriteFrameCache::purgeSharedSpriteFrameCache();
    CCTextureCache::purgeSharedTextureCache();
    // Fonts for other scripts are large; they open again when text needs them.
    FontRasterizer::releaseSharedFallbacks();
}

void CCDirector::mainLoop(double dt) {
    drawScene(dt);
    CCPoolManager::sharedPoolManager()->pop();
}

void CCDirector::advance(double dt) {
    m_deltaTime = static_cast<float>(dt);
    m_elapsedTime += dt;
    m_scheduler->update(m_deltaTime);
    for (int i = 0; m_nextScene && i < kMaxSceneSwitchesPerFrame; ++i) {
        setNextScene();
    }
}

void CCDirector::drawScene(double dt) {
    advance(dt);
    m_shownKnown = false;
    if (renderFrame()) {
        getRenderer()->present();
    }
    ++m_totalFrames;
}

bool CCDirector::drawSceneWhenChanged(double dt, bool redraw) {
    advance(dt);
    ++m_totalFrames;
    Renderer* renderer = getRenderer();
    if (!renderer) {
        return false;
    }
    // A transition moves every frame, and its render targets would leave the list nothing to
    // vouch for.
    DrawList drawing;
    if (!isTransition(m_runningScene)) {
        DamageRenderer record(*renderer);
        record.clear(kFrameClearColor);
        if (m_runningScene) {
            m_runningScene->visit(record, CCAffineTransformIdentity);
        }
        drawing = record.takeDrawList();
    } else {
        drawing.markUnreliable();
    }
    const bool comparable = m_shownKnown && drawing.isReliable();
    m_pictureChanged = !comparable || !drawing.sameDrawing(m_shown);
    if (!m_pictureChanged && !redraw) {
        return false;
    }
    // Where the frame on show and the new one are both known, only what differs is drawn (by a
    // renderer that keeps its pixels); everywhere else the pixels on show are already the new
    // frame's.
    if (comparable && !redraw) {
        renderer->limitFrameTo(drawing.changedSince(m_shown));
    }
    m_shown = std::move(drawing);
    m_shownKnown = m_shown.isReliable();
    renderFrame();
    renderer->present();
    return true;
}

void CCDirector::forgetShownFrame() {
    m_shownKnown = false;
}

bool CCDirector::isPictureMoving() const {
    return m_nextScene || isTransition(m_runningScene) || m_pictureChanged || m_actionManager->hasRunningActions();
}

bool CCDirector::renderFrame() {
    Renderer* renderer = getRenderer();
    if (!renderer) {
        return false;
    }
    renderer->setRenderTarget(0);
    renderer->clear(kFrameClearColor);
    if (m_runningScene) {
        m_runningScene->visit(*renderer, CCAffineTransformIdentity);
    }
    return true;
}

}  // namespace lirava
