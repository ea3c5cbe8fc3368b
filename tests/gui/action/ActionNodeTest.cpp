#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/actions/CCActionInterval.h"
#include "engine/actions/CCActionManager.h"
#include "engine/actions/CCMoveTo.h"
#include "engine/base/CCArray.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/nodes/CCNode.h"
#include "engine/platform/CCDirector.h"
#include "gui/action/ActionFadeFrame.h"
#include "gui/action/ActionMoveFrame.h"
#include "gui/action/ActionNode.h"
#include "gui/action/ActionRotationFrame.h"
#include "gui/action/ActionScaleFrame.h"
#include "gui/action/ActionTintFrame.h"
#include "gui/document/JsonDictionary.h"
#include "gui/document/UIToolbox.h"
#include "gui/widgets/Layout.h"
#include "support/EngineEnvironment.h"
#include "support/SettledObjects.h"

namespace lirava {
namespace {

// A move frame that remembers the durations its actions were asked for.
class RecordingMoveFrame : public ActionMoveFrame {
public:
    static RecordingMoveFrame* create(int index, std::vector<float>* durations) {
        RecordingMoveFrame* frame = new RecordingMoveFrame();
        frame->setFrameIndex(index);
        frame->m_durations = durations;
        frame->autorelease();
        return frame;
    }
    CCFiniteTimeAction* getAction(float duration) override {
        m_durations->push_back(duration);
        return ActionMoveFrame::getAction(duration);
    }

private:
    std::vector<float>* m_durations = nullptr;
};

std::unique_ptr<JsonDictionary> parse(const char* text) {
    auto dict = std::make_unique<JsonDictionary>();
    dict->loadText(text);
    return dict;
}

ActionFrame* frameAt(ActionNode* node, int kind, unsigned int index) {
    return static_cast<ActionFrame*>(node->getFrameList(kind)->objectAtIndex(index));
}

class ActionNodeTest : public ::testing::Test {
protected:
    void TearDown() override {
        UIToolbox::purgeToolbox();
        test::drainAutoreleasePool();
    }
    // Steps the engine's actions as the director does between frames.
    static void step(float seconds) { CCDirector::sharedDirector()->getActionManager()->update(seconds); }
};

TEST_F(ActionNodeTest, OneRecordMakesAFrameOfEveryKindItNames) {
    ActionNode* node = ActionNode::create();
    node->readFromDictionary(parse(R"({"ActionTag": 12, "actionframelist": [
        {"frameid": 3, "positionx": 5, "positiony": 6, "opacity": 300},
        {"frameid": 4, "scalex": 2},
        {"frameid": 5, "rotation": 45, "colorr": 300, "colorg": -1},
        {"positionx": null},
        7]})")
                                 .get(),
                             nullptr);
    EXPECT_EQ(node->getActionTag(), 12);
    ASSERT_EQ(node->getFrameList(kFrameKindMove)->count(), 2u);
    auto* move = static_cast<ActionMoveFrame*>(frameAt(node, kFrameKindMove, 0));
    EXPECT_EQ(move->getFrameIndex(), 3);
    EXPECT_EQ(move->getPosition().x, 5.0f);
    EXPECT_EQ(move->getPosition().y, 6.0f);
    // A null "positionx" still counts as present; its values read as 0.
    EXPECT_EQ(frameAt(node, kFrameKindMove, 1)->getFrameIndex(), 0);

    auto* fade = static_cast<ActionFadeFrame*>(frameAt(node, kFrameKindFade, 0));
    EXPECT_EQ(fade->getFrameIndex(), 3);
    EXPECT_EQ(fade->getOpacity(), 300.0f);
    EXPECT_EQ(fade->getTargetOpacity(), 44);

    auto* scale = static_cast<ActionScaleFrame*>(frameAt(node, kFrameKindScale, 0));
    EXPECT_EQ(scale->getScaleX(), 2.0f);
    EXPECT_EQ(scale->getScaleY(), 0.0f);  // not the frame's own default of 1

    auto* tint = static_cast<ActionTintFrame*>(frameAt(node, kFrameKindTint, 0));
    EXPECT_EQ(tint->getColor(), ccc3(44, 255, 0));
    EXPECT_EQ(static_cast<ActionRotationFrame*>(frameAt(node, kFrameKindRotation, 0))->getRotation(), 45.0f);
}

TEST_F(ActionNodeTest, StepDurationsComeFromFrameIndicesInDocumentOrder) {
    std::vector<float> durations;
    ActionNode* node = ActionNode::create();
    node->setTarget(CCNode::create());
    node->addFrame(RecordingMoveFrame::create(0, &durations));
    node->addFrame(RecordingMoveFrame::create(10, &durations));
    node->addFrame(RecordingMoveFrame::create(0, &durations));
    node->setUnitTime(0.1f);
    CCAction* spawn = node->rebuildActions();
    ASSERT_NE(spawn, nullptr);
    ASSERT_EQ(durations.size(), 2u);
    EXPECT_FLOAT_EQ(durations[0], 1.0f);
    EXPECT_FLOAT_EQ(durations[1], -1.0f);  // nothing sorts the frames

    // Indices at the ends of the integer range do not overflow.
    durations.clear();
    ActionNode* wide = ActionNode::create();
    wide->setTarget(CCNode::create());
    wide->addFrame(RecordingMoveFrame::create(-2147483647 - 1, &durations));
    wide->addFrame(RecordingMoveFrame::create(2147483647, &durations));
    wide->setUnitTime(1.0f);
    wide->rebuildActions();
    ASSERT_EQ(durations.size(), 1u);
    EXPECT_FLOAT_EQ(durations[0], 4294967295.0f);
}

TEST_F(ActionNodeTest, SpawnGathersOneSequencePerKindWithMoreThanOneFrame) {
    ActionNode* node = ActionNode::create();
    CCNode* target = CCNode::create();
    node->setTarget(target);
    node->readFromDictionary(parse(R"({"actionframelist": [
        {"frameid": 0, "positionx": 0, "positiony": 0, "rotation": 0},
        {"frameid": 10, "positionx": 100, "positiony": 50},
        {"frameid": 20, "positionx": 0, "positiony": 0}]})")
                                 .get(),
                             nullptr);
    node->setUnitTime(0.1f);
    auto* spawn = static_cast<CCFiniteTimeAction*>(node->rebuildActions());
    ASSERT_NE(spawn, nullptr);
    EXPECT_FLOAT_EQ(spawn->getDuration(), 2.0f);  // the single rotation frame adds nothing

    // A node with only single frames builds nothing.
    ActionNode* single = ActionNode::create();
    single->setTarget(target);
    single->readFromDictionary(parse(R"({"actionframelist": [{"frameid": 0, "positionx": 3}]})").get(), nullptr);
    EXPECT_EQ(single->rebuildActions(), nullptr);
    EXPECT_EQ(single->getSpawnAction(), nullptr);

    // An unbound node builds nothing and keeps what it had.
    ActionNode* unbound = ActionNode::create();
    unbound->addFrame(ActionMoveFrame::create());
    unbound->addFrame(ActionMoveFrame::create());
    EXPECT_EQ(unbound->rebuildActions(), nullptr);
}

TEST_F(ActionNodeTest, BindsByActionTagBelowAWidgetRootOnly) {
    Layout* root = Layout::create();
    Layout* child = Layout::create();
    child->setActionTag(7);
    root->addChild(child);

    ActionNode* tagged = ActionNode::create();
    tagged->readFromDictionary(parse(R"({"ActionTag": 7})").get(), root);
    EXPECT_EQ(tagged->getTarget(), child);
    EXPECT_EQ(tagged->targetNode(), child->getRenderer());

    ActionNode* untagged = ActionNode::create();
    untagged->readFromDictionary(nullptr, root);
    EXPECT_EQ(untagged->getTarget(), root);  // tag 0 finds the root, whose tag is the default 0

    ActionNode* missing = ActionNode::create();
    missing->readFromDictionary(parse(R"({"ActionTag": 8})").get(), root);
    EXPECT_EQ(missing->getTarget(), nullptr);

    ::testing::internal::CaptureStdout();
    ActionNode* onNode = ActionNode::create();
    onNode->readFromDictionary(nullptr, CCNode::create());
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Need a definition of <initActionNodeFromRoot> for gameObject\n");
    EXPECT_EQ(onNode->getTarget(), nullptr);
}

TEST_F(ActionNodeTest, PlaybackRunsTheSpawnOnTheTarget) {
    CCNode* target = CCNode::create();
    target->onEnter();
    ActionNode* node = ActionNode::create();
    node->setTarget(target);
    node->readFromDictionary(parse(R"({"actionframelist": [
        {"frameid": 0, "positionx": 0, "positiony": 0}, {"frameid": 10, "positionx": 100, "positiony": 0}]})")
                                 .get(),
                             nullptr);
    node->setUnitTime(0.1f);
    node->rebuildActions();

    node->startPlayback(false);
    ASSERT_NE(node->getPlayAction(), nullptr);
    EXPECT_EQ(target->numberOfRunningActions(), 1u);
    step(0.0f);
    step(0.5f);
    EXPECT_NEAR(target->getPositionX(), 50.0f, 0.01f);
    node->haltPlayback();
    EXPECT_EQ(target->numberOfRunningActions(), 0u);

    node->startPlayback(true);
    step(0.0f);
    step(1.0f);
    step(0.25f);
    EXPECT_EQ(target->numberOfRunningActions(), 1u);  // forever
    node->haltPlayback();

    // A rebuild drops the play action along with the spawn.
    node->rebuildActions();
    EXPECT_EQ(node->getPlayAction(), nullptr);
    target->onExit();
}

TEST_F(ActionNodeTest, SeekPosesEachKindBetweenItsFrames) {
    CCNode* target = CCNode::create();
    ActionNode* node = ActionNode::create();
    node->setTarget(target);
    node->readFromDictionary(parse(R"({"actionframelist": [
        {"frameid": 10, "positionx": 100, "positiony": 0, "rotation": 90},
        {"frameid": 20, "positionx": 200, "positiony": 40}]})")
                                 .get(),
                             nullptr);
    node->setUnitTime(0.1f);

    EXPECT_TRUE(node->seekToTime(1.5f));
    EXPECT_NEAR(target->getPositionX(), 150.0f, 0.01f);
    EXPECT_NEAR(target->getPositionY(), 20.0f, 0.01f);
    EXPECT_EQ(target->getRotation(), 0.0f);  // the only rotation frame lies before the time

    // Exactly on a frame.
    EXPECT_TRUE(node->seekToTime(2.0f));
    EXPECT_NEAR(target->getPositionX(), 200.0f, 0.01f);

    // Before the first frame: the first frame is applied, and the last kind reports false.
    EXPECT_FALSE(node->seekToTime(0.5f));
    EXPECT_NEAR(target->getPositionX(), 100.0f, 0.01f);
    EXPECT_NEAR(target->getRotation(), 90.0f, 0.01f);

    node->applyFrameAt(1.0f, 0.5f, ActionMoveFrame::create());
    EXPECT_NEAR(target->getPositionX(), 50.0f, 0.01f);
    node->applyFrameAt(1.0f, 0.5f, nullptr);
}

TEST_F(ActionNodeTest, NodesLeaveNothingBehind) {
    const std::size_t before = test::settledObjectCount();
    {
        CCNode* target = CCNode::create();
        target->onEnter();
        ActionNode* node = ActionNode::create();
        node->setTarget(target);
        node->readFromDictionary(parse(R"({"actionframelist": [
            {"frameid": 0, "positionx": 0, "scalex": 1, "opacity": 0, "colorr": 0},
            {"frameid": 5, "positionx": 9, "scalex": 2, "opacity": 255, "colorr": 255}]})")
                                     .get(),
                                 nullptr);
        node->rebuildActions();
        node->startPlayback(true);
        node->startPlayback(false);
        node->rebuildActions();
        node->startPlayback(true);
        target->stopAllActions();
        target->onExit();
    }
    EXPECT_EQ(test::settledObjectCount(), before);
}

}  // namespace
}  // namespace lirava
