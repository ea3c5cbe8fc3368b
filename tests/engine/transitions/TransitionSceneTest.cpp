#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/nodes/CCLayerColor.h"
#include "engine/nodes/CCScene.h"
#include "engine/nodes/CCSprite.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCTouchDispatcher.h"
#include "engine/render/SdlRenderer.h"
#include "engine/transitions/CCTransitionPageTurn.h"
#include "engine/transitions/CCTransitionZoomFlipY.h"
#include "support/HeadlessFixture.h"
#include "support/TestImages.h"

namespace lirava {
namespace {

// A scene that writes its hooks into a shared log and notes its destruction.
class RecordingScene : public CCScene {
public:
    static RecordingScene* create(const std::string& name, std::vector<std::string>* log, const ccColor4B& fill,
                                  bool* destroyed = nullptr) {
        RecordingScene* scene = new RecordingScene();
        scene->init();
        scene->m_name = name;
        scene->m_log = log;
        scene->m_destroyed = destroyed;
        scene->addChild(CCLayerColor::create(fill));
        scene->autorelease();
        return scene;
    }
    ~RecordingScene() override {
        if (m_destroyed) {
            *m_destroyed = true;
        }
    }
    void onEnter() override {
        m_log->push_back(m_name + " enter");
        CCScene::onEnter();
    }
    void onEnterTransitionDidFinish() override {
        m_log->push_back(m_name + " entered");
        CCScene::onEnterTransitionDidFinish();
    }
    void onExitTransitionDidStart() override {
        m_log->push_back(m_name + " leaving");
        CCScene::onExitTransitionDidStart();
    }
    void onExit() override {
        m_log->push_back(m_name + " exit");
        CCScene::onExit();
    }
    void cleanup() override {
        m_log->push_back(m_name + " cleanup");
        CCScene::cleanup();
    }

private:
    std::string m_name;
    std::vector<std::string>* m_log = nullptr;
    bool* m_destroyed = nullptr;
};

const ccColor4B kRed = ccc4(220, 20, 20, 255);
const ccColor4B kBlue = ccc4(20, 20, 220, 255);

class TransitionScene : public test::HeadlessFixture {
protected:
    using Log = std::vector<std::string>;

    CCDirector* director() { return CCDirector::sharedDirector(); }
    bool dispatching() { return director()->getTouchDispatcher()->isDispatchEvents(); }
    // Steps until the transition has handed over, at most a generous number of frames.
    int framesUntil(CCScene* scene) {
        int frames = 0;
        while (director()->getRunningScene() != scene && frames < 600) {
            stepFrames(1);
            ++frames;
        }
        return frames;
    }

    Log log;
};

TEST_F(TransitionScene, HooksRunInTheEngineOrderAndTheOutSceneGoes) {
    bool outDestroyed = false;
    runScene(RecordingScene::create("A", &log, kRed, &outDestroyed));
    EXPECT_EQ(log, (Log{"A enter", "A entered"}));
    log.clear();

    RecordingScene* in = RecordingScene::create("B", &log, kBlue);
    CCTransitionPageTurn* turn = CCTransitionPageTurn::create(0.5f, in, false);
    ASSERT_NE(turn, nullptr);
    EXPECT_EQ(turn->getInScene(), in);
    director()->replaceScene(turn);
    stepFrames(1);
    EXPECT_EQ(director()->getRunningScene(), turn);
    EXPECT_EQ(log, (Log{"A leaving", "B enter"}));
    EXPECT_FALSE(dispatching());

    // 0.5 s at 60 frames a second.
    const int frames = framesUntil(in);
    EXPECT_GE(frames, 29);
    EXPECT_LE(frames, 32);
    EXPECT_EQ(log, (Log{"A leaving", "B enter", "A exit", "B entered", "A cleanup"}));
    EXPECT_TRUE(dispatching());
    stepFrames(1);
    EXPECT_TRUE(outDestroyed);
    EXPECT_EQ(log.size(), 5u);
}

TEST_F(TransitionScene, AZeroLengthTransitionSwapsOnItsFirstStep) {
    runScene(RecordingScene::create("A", &log, kRed));
    log.clear();
    RecordingScene* in = RecordingScene::create("B", &log, kBlue);
    director()->replaceScene(CCTransitionZoomFlipY::create(0.0f, in, 1));
    stepFrames(1);
    EXPECT_NE(director()->getRunningScene(), in);
    stepFrames(1);
    EXPECT_EQ(director()->getRunningScene(), in);
    EXPECT_EQ(log, (Log{"A leaving", "B enter", "A exit", "B entered", "A cleanup"}));
    EXPECT_TRUE(dispatching());
}

TEST_F(TransitionScene, ATransitionReplacedBeforeItEndsTakesItsScenesAlong) {
    bool aGone = false;
    bool bGone = false;
    runScene(RecordingScene::create("A", &log, kRed, &aGone));
    RecordingScene* b = RecordingScene::create("B", &log, kBlue, &bGone);
    director()->replaceScene(CCTransitionPageTurn::create(0.5f, b, false));
    stepFrames(5);
    log.clear();
    // A second page turn starts while the first one runs (auto-play can do that).
    RecordingScene* c = RecordingScene::create("C", &log, kRed);
    director()->replaceScene(CCTransitionPageTurn::create(0.5f, c, false));
    EXPECT_GT(framesUntil(c), 25);
    stepFrames(40);
    EXPECT_EQ(director()->getRunningScene(), c);
    EXPECT_EQ(log, (Log{"C enter", "A exit", "B leaving", "B exit", "C entered", "A cleanup", "B cleanup"}));
    EXPECT_TRUE(dispatching());
    EXPECT_TRUE(aGone);
    EXPECT_TRUE(bGone);
}

TEST_F(TransitionScene, FirstSceneAndBadArguments) {
    // With nothing running, an empty scene stands in for the outgoing one.
    RecordingScene* first = RecordingScene::create("A", &log, kRed);
    CCTransitionScene* transition = CCTransitionPageTurn::create(0.1f, first, true);
    ASSERT_NE(transition, nullptr);
    EXPECT_NE(transition->getOutScene(), nullptr);
    runScene(transition);
    EXPECT_EQ(framesUntil(first) > 0, true);
    EXPECT_EQ(log, (Log{"A enter", "A entered"}));

    EXPECT_EQ(CCTransitionPageTurn::create(0.5f, nullptr, false), nullptr);
    EXPECT_EQ(CCTransitionZoomFlipY::create(0.5f, first, 1), nullptr);  // already running
}

TEST_F(TransitionScene, PageTurnHalfWayShowsBothPages) {
    runScene(RecordingScene::create("A", &log, kRed));
    RecordingScene* in = RecordingScene::create("B", &log, kBlue);
    director()->replaceScene(CCTransitionPageTurn::create(1.0f, in, false));
    stepFrames(31);  // half a second into the curl
    const test::Frame& frame = capture();
    saveCapture(::testing::TempDir() + "page-turn-forward-half.png");
    // The left of the outgoing page still lies flat; the lower right corner has lifted and
    // shows the incoming page below.
    EXPECT_TRUE(test::colorNear(frame.atDesign(30, 900), kRed, 4));
    EXPECT_TRUE(test::colorNear(frame.atDesign(630, 10), kBlue, 4));
    // The turned-over part shows the paper's back, darker towards the fold.
    int paper = 0;
    bool shaded = false;
    for (float x = 0; x < 640; x += 2) {
        const ccColor4B c = frame.atDesign(x, 480);
        if (std::abs(c.r - c.g) < 20 && std::abs(c.g - c.b) < 24) {
            paper += c.r > 210 ? 1 : 0;
            shaded = shaded || (c.r > 100 && c.r < 200);
        }
    }
    EXPECT_GT(paper, 20);
    EXPECT_TRUE(shaded);
    EXPECT_EQ(framesUntil(in) > 0, true);
    EXPECT_TRUE(test::colorNear(capture().atDesign(320, 480), kBlue, 4));
}

TEST_F(TransitionScene, BackwardPageTurnLaysTheIncomingPageDown) {
    runScene(RecordingScene::create("A", &log, kRed));
    RecordingScene* in = RecordingScene::create("B", &log, kBlue);
    CCTransitionPageTurn* turn = CCTransitionPageTurn::create(1.0f, in, true);
    EXPECT_TRUE(turn->isInSceneOnTop());
    director()->replaceScene(turn);
    stepFrames(2);
    // At the start the incoming page is still turned away: the outgoing one fills the screen.
    EXPECT_TRUE(test::colorNear(capture().atDesign(320, 480), kRed, 4));
    stepFrames(45);
    const test::Frame& frame = capture();
    saveCapture(::testing::TempDir() + "page-turn-backward.png");
    EXPECT_TRUE(test::colorNear(frame.atDesign(630, 10), kRed, 4));
    int blue = 0;
    for (float x = 8; x < 640; x += 16) {
        blue += frame.atDesign(x, 900).b > 120 ? 1 : 0;
    }
    EXPECT_GT(blue, 10);  // the incoming page has come down over the upper left
    framesUntil(in);
    EXPECT_TRUE(test::colorNear(capture().atDesign(630, 10), kBlue, 4));
}

TEST_F(TransitionScene, ZoomFlipShrinksAndTurnsOneSceneThenTheOther) {
    runScene(RecordingScene::create("A", &log, kRed));
    RecordingScene* in = RecordingScene::create("B", &log, kBlue);
    director()->replaceScene(CCTransitionZoomFlipY::create(1.0f, in, kCCTransitionOrientationDownOver));
    stepFrames(16);  // a quarter: the out scene, shrunk and tilted
    const test::Frame& early = capture();
    saveCapture(::testing::TempDir() + "zoom-flip-quarter.png");
    EXPECT_GT(early.atDesign(320, 480).r, 150);
    EXPECT_LT(early.atDesign(320, 480).b, 60);
    EXPECT_TRUE(test::colorNear(early.atDesign(10, 950), ccc4(0, 0, 0, 255), 2));
    EXPECT_TRUE(test::colorNear(early.atDesign(630, 10), ccc4(0, 0, 0, 255), 2));
    stepFrames(30);  // three quarters: the in scene on its way back
    const test::Frame& late = capture();
    EXPECT_GT(late.atDesign(320, 480).b, 150);
    EXPECT_LT(late.atDesign(320, 480).r, 60);
    framesUntil(in);
    EXPECT_TRUE(test::colorNear(capture().atDesign(10, 950), kBlue, 4));
}

TEST_F(TransitionScene, AStillPageIsDrawnIntoItsTargetOnceAndAgainWhenItChanges) {
    RecordingScene* out = RecordingScene::create("A", &log, kRed);
    CCLayerColor* fill = CCLayerColor::create(kRed);
    out->addChild(fill);
    // A picture too: its texture must stay uploaded once, however often the page is looked at.
    CCSprite* picture = CCSprite::create(test::writeQuadrants("still-page.png", 64, 64).c_str());
    ASSERT_NE(picture, nullptr);
    picture->setPosition(ccp(320, 300));
    out->addChild(picture);
    runScene(out);
    SdlRenderer& sdl = dynamic_cast<SdlRenderer&>(renderer());
    const std::size_t textures = sdl.textureCount();
    RecordingScene* in = RecordingScene::create("B", &log, kBlue);
    CCTransitionPageTurn* turn = CCTransitionPageTurn::create(1.0f, in, false);
    director()->replaceScene(turn);
    stepFrames(20);
    EXPECT_EQ(turn->curledPage().redraws(), 1);
    EXPECT_EQ(turn->pageBelow().redraws(), 1);
    EXPECT_EQ(sdl.textureCount(), textures + 2);  // the targets of the two pages
    EXPECT_TRUE(test::colorNear(capture().atDesign(305, 315), test::kRed, 4));
    EXPECT_TRUE(test::colorNear(capture().atDesign(30, 900), kRed, 4));
    // The leaving page changes halfway through the curl: the next frame shows it.
    const ccColor4B green = ccc4(20, 200, 20, 255);
    fill->setColor(ccc3(green.r, green.g, green.b));
    stepFrames(1);
    EXPECT_EQ(turn->curledPage().redraws(), 2);
    EXPECT_TRUE(test::colorNear(capture().atDesign(30, 900), green, 4));
    stepFrames(10);
    EXPECT_EQ(turn->curledPage().redraws(), 2);
    EXPECT_TRUE(test::colorNear(capture().atDesign(30, 900), green, 4));
    framesUntil(in);
}

TEST_F(TransitionScene, ZoomFlipDrawsEachStillSceneIntoItsTargetOnce) {
    runScene(RecordingScene::create("A", &log, kRed));
    RecordingScene* in = RecordingScene::create("B", &log, kBlue);
    CCTransitionZoomFlipY* flip = CCTransitionZoomFlipY::create(1.0f, in, kCCTransitionOrientationDownOver);
    director()->replaceScene(flip);
    stepFrames(25);
    EXPECT_EQ(flip->shownScene().redraws(), 1);
    stepFrames(20);  // past the middle: the in scene is on show
    EXPECT_EQ(flip->shownScene().redraws(), 2);
    EXPECT_GT(capture().atDesign(320, 480).b, 150);
    framesUntil(in);
}

}  // namespace
}  // namespace lirava
