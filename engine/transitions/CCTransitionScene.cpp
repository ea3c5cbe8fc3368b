#include "engine/transitions/CCTransitionScene.h"

#include <cmath>

#include "engine/platform/CCDirector.h"
#include "engine/platform/CCTouchDispatcher.h"
#include "engine/render/Renderer.h"

namespace lirava {

namespace {
void setDispatching(bool on) {
    if (CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher()) {
        dispatcher->setDispatchEvents(on);
    }
}
}  // namespace

CCTransitionScene* CCTransitionScene::create(float duration, CCScene* scene) {
    CCTransitionScene* transition = new CCTransitionScene();
    if (transition->initWithDuration(duration, scene)) {
        transition->autorelease();
        return transition;
    }
    delete transition;
    return nullptr;
}

bool CCTransitionScene::initWithDuration(float duration, CCScene* scene) {
    // A transition into the scene that already runs would exit and enter one scene at once.
    CCScene* running = CCDirector::sharedDirector()->getRunningScene();
    if (!scene || scene == running || !CCScene::init()) {
        return false;
    }
    m_duration = duration;
    m_inScene = scene;
    m_inScene->retain();
    // With nothing running yet, an empty scene stands in for the outgoing one.
    m_outScene = running ? running : CCScene::create();
    m_outScene->retain();
    sceneOrder();
    return true;
}

CCTransitionScene::~CCTransitionScene() {
    CC_SAFE_RELEASE(m_inScene);
    CC_SAFE_RELEASE(m_outScene);
}

void CCTransitionScene::sceneOrder() {
    m_isInSceneOnTop = true;
}

void CCTransitionScene::onEnter() {
    CCScene::onEnter();
    // No touches while the scenes move; they come back when the in scene has finished entering.
    setDispatching(false);
    m_outScene->onExitTransitionDidStart();
    m_inScene->onEnter();
    m_elapsed = 0.0f;
    m_progress = 0.0f;
    m_finished = false;
    updateProgress(0.0f);
    startAnimation();
    // A per-frame update runs from the very next frame, so a zero-length transition swaps then.
    scheduleUpdate();
}

void CCTransitionScene::update(float dt) {
    // Once another scene (another transition) has taken the stage, this one stays where it is
    // and must not hand the stage to its own in scene.
    if (m_finished || CCDirector::sharedDirector()->getRunningScene() != this) {
        return;
    }
    m_elapsed += dt;
    if (m_duration <= 0.0f || m_elapsed >= m_duration) {
        m_progress = 1.0f;
        updateProgress(1.0f);
        finish();
        return;
    }
    m_progress = m_elapsed / m_duration;
    updateProgress(m_progress);
}

void CCTransitionScene::resetScenes() {
    for (CCScene* scene : {m_inScene, m_outScene}) {
        scene->setVisible(true);
        scene->setPosition(CCPointZero);
        scene->setScale(1.0f);
        scene->setRotation(0.0f);
    }
}

CCPoint CCTransitionScene::snapToPixel(const CCPoint& point, Renderer& renderer) {
    const CCSize design = renderer.getDesignSize();
    if (design.width <= 0.0f || design.height <= 0.0f) {
        return point;
    }
    const float sx = static_cast<float>(renderer.targetWidth()) / design.width;
    const float sy = static_cast<float>(renderer.targetHeight()) / design.height;
    return CCPoint(std::round(point.x * sx) / sx, std::round(point.y * sy) / sy);
}

void CCTransitionScene::finish() {
    if (m_finished) {
        return;
    }
    m_finished = true;
    unscheduleUpdate();
    resetScenes();
    CCDirector::sharedDirector()->replaceScene(m_inScene);
}

void CCTransitionScene::hideOutShowIn() {
    m_inScene->setVisible(true);
    m_outScene->setVisible(false);
}

void CCTransitionScene::onExit() {
    CCScene::onExit();
    setDispatching(true);
    m_outScene->onExit();
    if (m_finished) {
        m_inScene->onEnterTransitionDidFinish();
    } else {
        // Replaced before it finished: the in scene never gets the stage and leaves with us,
        // so that nothing of it (touch delegates, timers) stays behind.
        m_inScene->onExitTransitionDidStart();
        m_inScene->onExit();
    }
}

void CCTransitionScene::cleanup() {
    CCScene::cleanup();
    // The director cleans the transition up when it replaces it; the out scene leaves with it,
    // and so does an in scene that never got the stage.
    m_outScene->cleanup();
    if (!m_finished) {
        m_inScene->cleanup();
    }
}

void CCTransitionScene::draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) {
    if (m_isInSceneOnTop) {
        m_outScene->visit(renderer, nodeToWorld);
        m_inScene->visit(renderer, nodeToWorld);
    } else {
        m_inScene->visit(renderer, nodeToWorld);
        m_outScene->visit(renderer, nodeToWorld);
    }
}

}  // namespace lirava
