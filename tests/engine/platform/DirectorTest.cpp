#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/actions/CCDelayTime.h"
#include "engine/actions/CCScheduler.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/base/CCSet.h"
#include "engine/nodes/CCLayerColor.h"
#include "engine/nodes/CCScene.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/CCTouch.h"
#include "engine/platform/CCTouchDelegate.h"
#include "engine/platform/CCTouchDispatcher.h"
#include "engine/render/Renderer.h"
#include "engine/transitions/CCTransitionScene.h"
#include "support/EngineEnvironment.h"
#include "support/NullRenderer.h"

namespace lirava {
namespace {

using Log = std::vector<std::string>;

// Records its hooks and draws as "name:hook".
class RecordingScene : public CCScene {
public:
    static RecordingScene* create(Log& log, const std::string& name) {
        RecordingScene* scene = new RecordingScene(log, name);
        scene->init();
        scene->autorelease();
        return scene;
    }
    RecordingScene(Log& log, std::string name) : m_log(log), m_name(std::move(name)) {}
    ~RecordingScene() override { m_log.push_back(m_name + ":destroyed"); }

    void onEnter() override {
        m_log.push_back(m_name + ":onEnter");
        CCScene::onEnter();
    }
    void onEnterTransitionDidFinish() override {
        m_log.push_back(m_name + ":onEnterTransitionDidFinish");
        CCScene::onEnterTransitionDidFinish();
    }
    void onExitTransitionDidStart() override {
        m_log.push_back(m_name + ":onExitTransitionDidStart");
        CCScene::onExitTransitionDidStart();
    }
    void onExit() override {
        m_log.push_back(m_name + ":onExit");
        CCScene::onExit();
    }
    void cleanup() override {
        m_log.push_back(m_name + ":cleanup");
        CCScene::cleanup();
    }
    void draw(Renderer&, const CCAffineTransform&) override { m_log.push_back(m_name + ":draw"); }
    void update(float) override {
        m_log.push_back(m_name + ":update");
        if (onUpdate) {
            onUpdate();
        }
    }
    std::function<void()> onUpdate;

private:
    Log& m_log;
    std::string m_name;
};

using test::NullRenderer;

class DirectorTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = Renderer::current();
        Renderer::setCurrent(&renderer);
        director = CCDirector::sharedDirector();
        before = CCObject::liveObjectCount();
    }
    void TearDown() override {
        CCDirector::purgeDirector();
        CCPoolManager::sharedPoolManager()->drainAll();
        CCDirector::sharedDirector();
        Renderer::setCurrent(previous);
    }
    void frame() { director->mainLoop(1.0 / 60.0); }

    Log log;
    NullRenderer renderer;
    Renderer* previous = nullptr;
    CCDirector* director = nullptr;
    std::size_t before = 0;
};

TEST_F(DirectorTest, SceneEntersOnTheNextFrameAndReplacementExitsCleansAndReleasesTheOld) {
    RecordingScene* first = RecordingScene::create(log, "first");
    director->runWithScene(first);
    EXPECT_EQ(director->getRunningScene(), nullptr);
    frame();
    EXPECT_EQ(director->getRunningScene(), first);
    EXPECT_EQ(log, (Log{"first:onEnter", "first:onEnterTransitionDidFinish", "first:draw"}));
    EXPECT_EQ(renderer.presented, 1);

    log.clear();
    director->replaceScene(RecordingScene::create(log, "second"));
    frame();
    EXPECT_EQ(log, (Log{"first:onExitTransitionDidStart", "first:onExit", "first:cleanup", "first:destroyed",
                        "second:onEnter", "second:onEnterTransitionDidFinish", "second:draw"}));
}

TEST_F(DirectorTest, FrameRunsSchedulerThenSwitchesScenesThenDrawsThenDrainsThePool) {
    RecordingScene* first = RecordingScene::create(log, "first");
    director->runWithScene(first);
    frame();
    first->scheduleUpdate();
    std::size_t countAfterUpdate = 0;
    first->onUpdate = [&] {
        (new CCObject())->autorelease();
        countAfterUpdate = CCObject::liveObjectCount();
        director->replaceScene(RecordingScene::create(log, "second"));
        first->onUpdate = nullptr;
    };
    log.clear();
    frame();
    EXPECT_EQ(log, (Log{"first:update", "first:onExitTransitionDidStart", "first:onExit", "first:cleanup",
                        "first:destroyed", "second:onEnter", "second:onEnterTransitionDidFinish", "second:draw"}));
    // Everything autoreleased during the frame is gone once it ends.
    EXPECT_LT(CCObject::liveObjectCount(), countAfterUpdate);
}

TEST_F(DirectorTest, SecondReplacementInOneFrameWinsAndNothingLeaks) {
    director->runWithScene(RecordingScene::create(log, "a"));
    frame();
    director->replaceScene(RecordingScene::create(log, "b"));
    director->replaceScene(RecordingScene::create(log, "c"));
    director->replaceScene(nullptr);  // ignored
    log.clear();
    frame();
    // b never entered; it goes with the frame's autorelease pool.
    EXPECT_EQ(log, (Log{"a:onExitTransitionDidStart", "a:onExit", "a:cleanup", "a:destroyed", "c:onEnter",
                        "c:onEnterTransitionDidFinish", "c:draw", "b:destroyed"}));
    CCDirector::purgeDirector();
    director = CCDirector::sharedDirector();
    CCPoolManager::sharedPoolManager()->pop();
    // The purge let the running scene exit and dropped it; the new director is counted in
    // `before` as the old one was.
    EXPECT_EQ(log.back(), "c:destroyed");
    EXPECT_EQ(CCObject::liveObjectCount(), before);
}

TEST_F(DirectorTest, ReplacedSceneStopsItsScheduledWork) {
    RecordingScene* first = RecordingScene::create(log, "first");
    first->retain();  // kept past its replacement, as a transition would
    director->runWithScene(first);
    frame();
    first->scheduleUpdate();
    director->replaceScene(RecordingScene::create(log, "second"));
    frame();
    log.clear();
    frame();
    frame();
    EXPECT_EQ(log, (Log{"second:draw", "second:draw"}));
    EXPECT_FALSE(director->getScheduler()->isUpdateScheduledForTarget(first));
    first->release();
}

// Hooks only: drawing depends on how the transition renders its scenes.
Log hooksOf(const Log& log) {
    Log hooks;
    for (const std::string& entry : log) {
        if (entry.find(":draw") == std::string::npos && entry.find(":update") == std::string::npos) {
            hooks.push_back(entry);
        }
    }
    return hooks;
}

class Claimer : public CCObject, public CCTouchDelegate {
public:
    explicit Claimer(Log& log) : m_log(log) {}
    bool ccTouchBegan(CCTouch*, CCEvent*) override { return true; }
    void ccTouchEnded(CCTouch*, CCEvent*) override { m_log.push_back("touch:ended"); }
    void ccTouchCancelled(CCTouch*, CCEvent*) override { m_log.push_back("touch:cancelled"); }

private:
    Log& m_log;
};

TEST_F(DirectorTest, TransitionEntersBothScenesThenHandsTheStageToTheNewOne) {
    RecordingScene* out = RecordingScene::create(log, "out");
    director->runWithScene(out);
    frame();
    Claimer* claimer = new Claimer(log);
    director->getTouchDispatcher()->addTargetedDelegate(claimer, 0, true);
    claimer->release();
    CCTouch* touch = new CCTouch();
    CCSet* touches = new CCSet();  // kept across frames, past the autorelease pool
    touches->addObject(touch);
    touch->release();
    director->getTouchDispatcher()->touchesBegan(touches, nullptr);  // down as the page turns

    RecordingScene* in = RecordingScene::create(log, "in");
    CCTransitionScene* transition = CCTransitionScene::create(0.1f, in);
    director->replaceScene(transition);
    log.clear();
    frame();
    EXPECT_EQ(director->getRunningScene(), transition);
    EXPECT_FALSE(director->getTouchDispatcher()->isDispatchEvents());
    EXPECT_EQ(hooksOf(log), (Log{"touch:cancelled", "out:onExitTransitionDidStart", "in:onEnter"}));
    director->getTouchDispatcher()->touchesEnded(touches, nullptr);  // the finger lifts: dropped

    log.clear();
    for (int i = 0; i < 10 && director->getRunningScene() != in; ++i) {
        frame();
    }
    EXPECT_EQ(director->getRunningScene(), in);
    EXPECT_TRUE(director->getTouchDispatcher()->isDispatchEvents());
    EXPECT_EQ(hooksOf(log), (Log{"out:onExit", "in:onEnterTransitionDidFinish", "out:cleanup", "out:destroyed"}));
    EXPECT_TRUE(in->isRunning());
    touches->release();
}

TEST_F(DirectorTest, ZeroLengthTransitionSwapsAtOnceAndLeaksNothing) {
    director->runWithScene(RecordingScene::create(log, "out"));
    frame();
    RecordingScene* in = RecordingScene::create(log, "in");
    director->replaceScene(CCTransitionScene::create(0.0f, in));
    frame();
    frame();
    EXPECT_EQ(director->getRunningScene(), in);
    EXPECT_EQ(hooksOf(log),
              (Log{"out:onEnter", "out:onEnterTransitionDidFinish", "out:onExitTransitionDidStart", "in:onEnter",
                   "out:onExit", "in:onEnterTransitionDidFinish", "out:cleanup", "out:destroyed"}));
    CCDirector::purgeDirector();
    director = CCDirector::sharedDirector();
    CCPoolManager::sharedPoolManager()->drainAll();
    EXPECT_EQ(CCObject::liveObjectCount(), before);
}

TEST_F(DirectorTest, SizesComeFromTheViewAndBadIntervalsAreRefused) {
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setDesignResolutionSize(640, 960, kResolutionExactFit);
    director->setOpenGLView(view);
    EXPECT_EQ(director->getWinSize(), CCSize(640, 960));
    EXPECT_EQ(director->getVisibleSize(), CCSize(640, 960));
    EXPECT_EQ(director->getVisibleOrigin(), CCPointZero);
    EXPECT_EQ(CCScene::create()->getContentSize(), CCSize(640, 960));

    director->setAnimationInterval(1.0 / 60.0);
    director->setAnimationInterval(0.0);
    director->setAnimationInterval(-1.0);
    EXPECT_DOUBLE_EQ(director->getAnimationInterval(), 1.0 / 60.0);
    director->stopAnimation();
    EXPECT_FALSE(director->isAnimating());
    director->startAnimation();
    EXPECT_TRUE(director->isAnimating());
    director->setDepthTest(true);
    EXPECT_TRUE(director->isDepthTest());
}

TEST_F(DirectorTest, ElapsedTimeAndFramesFollowTheSteps) {
    for (int i = 0; i < 60; ++i) {
        frame();
    }
    EXPECT_EQ(director->getTotalFrames(), 60u);
    EXPECT_NEAR(director->getElapsedTime(), 1.0, 1e-9);
    EXPECT_FLOAT_EQ(director->getDeltaTime(), 1.0f / 60.0f);
}

TEST_F(DirectorTest, RestingFramesPresentOnlyANewPictureAndTellWhetherItStillMoves) {
    CCScene* scene = CCScene::create();
    CCLayerColor* layer = CCLayerColor::create(ccc4(10, 20, 30, 255), 100, 100);
    scene->addChild(layer);
    director->runWithScene(scene);
    const double dt = 1.0 / 60.0;
    EXPECT_TRUE(director->drawSceneWhenChanged(dt, false));
    EXPECT_TRUE(director->isPictureMoving());  // the last picture was new
    EXPECT_FALSE(director->drawSceneWhenChanged(dt, false));
    EXPECT_FALSE(director->isPictureMoving());
    EXPECT_EQ(renderer.presented, 1);
    EXPECT_TRUE(director->drawSceneWhenChanged(dt, true));  // the window lost its pixels
    layer->setColor(ccc3(200, 20, 30));
    EXPECT_TRUE(director->drawSceneWhenChanged(dt, false));
    EXPECT_EQ(renderer.presented, 3);

    // A running action keeps frames coming even while it changes nothing that shows.
    EXPECT_FALSE(director->drawSceneWhenChanged(dt, false));
    layer->runAction(CCDelayTime::create(0.1f));
    int frames = 0;
    while (director->isPictureMoving() && frames < 100) {
        EXPECT_FALSE(director->drawSceneWhenChanged(dt, false));
        ++frames;
    }
    EXPECT_GE(frames, 6);  // 0.1 s of 1/60 s frames
    EXPECT_LE(frames, 7);
    EXPECT_EQ(renderer.presented, 3);
}

}  // namespace
}  // namespace lirava
