#include <gtest/gtest.h>

#include <memory>

#include "engine/actions/CCFadeTo.h"
#include "engine/actions/CCMoveTo.h"
#include "engine/actions/CCRotateTo.h"
#include "engine/actions/CCScaleTo.h"
#include "engine/actions/CCTintTo.h"
#include "engine/base/CCArray.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/nodes/CCNodeRGBA.h"
#include "gui/action/ActionFadeFrame.h"
#include "gui/action/ActionManager.h"
#include "gui/action/ActionMoveFrame.h"
#include "gui/action/ActionNode.h"
#include "gui/action/ActionObject.h"
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

std::unique_ptr<JsonDictionary> parse(const char* text) {
    auto dict = std::make_unique<JsonDictionary>();
    dict->loadText(text);
    return dict;
}

class ActionManagerTest : public ::testing::Test {
protected:
    void SetUp() override { ActionManager::destroyInstance(); }
    void TearDown() override {
        ActionManager::destroyInstance();
        UIToolbox::purgeToolbox();
        test::drainAutoreleasePool();
    }
};

TEST_F(ActionManagerTest, FramesBuildToActionsOfTheirKind) {
    CCNodeRGBA* target = CCNodeRGBA::create();
    ActionMoveFrame* move = ActionMoveFrame::create();
    move->setPosition(CCPoint(10, 20));
    CCFiniteTimeAction* action = move->getAction(0.0f);
    ASSERT_NE(dynamic_cast<CCMoveTo*>(action), nullptr);
    action->startWithTarget(target);
    action->update(1.0f);
    EXPECT_EQ(target->getPositionX(), 10.0f);

    EXPECT_NE(dynamic_cast<CCScaleTo*>(ActionScaleFrame::create()->getAction(1.0f)), nullptr);
    EXPECT_NE(dynamic_cast<CCRotateTo*>(ActionRotationFrame::create()->getAction(1.0f)), nullptr);

    ActionTintFrame* tint = ActionTintFrame::create();
    tint->setColor(ccc3(1, 2, 3));
    action = tint->getAction(0.5f);
    ASSERT_NE(dynamic_cast<CCTintTo*>(action), nullptr);
    EXPECT_EQ(action->getDuration(), 0.5f);
    action->startWithTarget(target);
    action->update(1.0f);
    EXPECT_EQ(target->getColor(), ccc3(1, 2, 3));

    ActionFadeFrame* fade = ActionFadeFrame::create();
    fade->setOpacity(300.9f);
    action = fade->getAction(0.0f);
    ASSERT_NE(dynamic_cast<CCFadeTo*>(action), nullptr);
    action->startWithTarget(target);
    action->update(1.0f);
    EXPECT_EQ(target->getOpacity(), 44);
    fade->setOpacity(-1.0f);
    EXPECT_EQ(fade->getTargetOpacity(), 255);
    fade->setOpacity(1e30f);  // far outside any integer: no undefined conversion
    fade->getTargetOpacity();

    ::testing::internal::CaptureStdout();
    EXPECT_EQ(ActionFrame::create()->getAction(1.0f), nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Need a definition of <getAction> for ActionFrame\n");
}

TEST_F(ActionManagerTest, AnimationsAreReadInDocumentOrderAndBound) {
    Layout* root = Layout::create();
    Layout* child = Layout::create();
    child->setActionTag(9001);
    root->addChild(child);

    ActionManager::instance()->loadDocumentAnimations("english5down/page2.json",
                                                      parse(R"({"actionlist": [
        {"name": "first", "loop": true, "unittime": 0.1, "actionnodelist": [
            {"ActionTag": 9001, "actionframelist": [{"frameid": 0, "positionx": 1}, {"frameid": 10, "positionx": 2}]},
            {"ActionTag": 5}]},
        {"name": 3, "actionnodelist": [{"ActionTag": 9001, "actionframelist": [
            {"frameid": 0, "positionx": 1}, {"frameid": 10, "positionx": 2}]}]},
        12]})")
                                                          .get(),
                                                      root);
    CCArray* list = ActionManager::instance()->getAnimationsForDocument("page2.json");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 3u);

    auto* first = static_cast<ActionObject*>(list->objectAtIndex(0));
    EXPECT_EQ(first->getName(), "first");
    EXPECT_TRUE(first->getLoop());
    EXPECT_FLOAT_EQ(first->getUnitTime(), 0.1f);
    ASSERT_EQ(first->getNodes()->count(), 2u);
    auto* bound = static_cast<ActionNode*>(first->getNodes()->objectAtIndex(0));
    EXPECT_EQ(bound->getTarget(), child);
    EXPECT_FLOAT_EQ(bound->getUnitTime(), 0.1f);
    ASSERT_NE(bound->getSpawnAction(), nullptr);
    EXPECT_FLOAT_EQ(static_cast<CCFiniteTimeAction*>(bound->getSpawnAction())->getDuration(), 1.0f);
    auto* unbound = static_cast<ActionNode*>(first->getNodes()->objectAtIndex(1));
    EXPECT_EQ(unbound->getTarget(), nullptr);
    EXPECT_EQ(unbound->getSpawnAction(), nullptr);

    // No unittime: every step lasts 0 s (the construction default 0.1 is replaced).
    auto* second = static_cast<ActionObject*>(list->objectAtIndex(1));
    EXPECT_EQ(second->getName(), "");
    EXPECT_FALSE(second->getLoop());
    EXPECT_EQ(second->getUnitTime(), 0.0f);
    auto* timeless = static_cast<ActionNode*>(second->getNodes()->objectAtIndex(0));
    EXPECT_EQ(static_cast<CCFiniteTimeAction*>(timeless->getSpawnAction())->getDuration(), 0.0f);

    // A record that is not an object reads as an empty animation.
    auto* empty = static_cast<ActionObject*>(list->objectAtIndex(2));
    EXPECT_EQ(empty->getName(), "");
    EXPECT_EQ(empty->getNodes()->count(), 0u);

    // applyUnitTime rebuilds every node.
    first->applyUnitTime(0.2f);
    EXPECT_FLOAT_EQ(static_cast<CCFiniteTimeAction*>(bound->getSpawnAction())->getDuration(), 2.0f);
}

TEST_F(ActionManagerTest, DocumentsAreFiledByFileNameAndReplaced) {
    ActionManager* registry = ActionManager::instance();
    registry->loadDocumentAnimations("a/page.json", parse(R"({"actionlist": [{}, {}]})").get(), nullptr);
    registry->loadDocumentAnimations("b/page.json", parse(R"({"actionlist": [{}]})").get(), nullptr);
    EXPECT_EQ(registry->documentCount(), 1u);
    EXPECT_EQ(registry->getAnimationsForDocument("page.json")->count(), 1u);

    registry->loadDocumentAnimations("plain.json", nullptr, nullptr);
    registry->loadDocumentAnimations("odd.json", parse(R"({"actionlist": 4})").get(), nullptr);
    registry->loadDocumentAnimations(nullptr, nullptr, nullptr);
    EXPECT_EQ(registry->getAnimationsForDocument("plain.json")->count(), 0u);
    EXPECT_EQ(registry->getAnimationsForDocument("odd.json")->count(), 0u);
    EXPECT_EQ(registry->getAnimationsForDocument("missing.json"), nullptr);
    EXPECT_EQ(ActionManager::fileNameKey("x\\y/z.json"), "z.json");
    EXPECT_EQ(ActionManager::fileNameKey("x\\y.json"), "x\\y.json");  // only "/" separates
}

TEST_F(ActionManagerTest, DestroyingTheRegistryReleasesEverythingAndItComesBack) {
    const std::size_t before = test::settledObjectCount();
    Layout* root = Layout::create();
    root->retain();
    ActionManager::instance()->loadDocumentAnimations("p.json",
                                                      parse(R"({"actionlist": [{"unittime": 0.1,
        "actionnodelist": [{"actionframelist": [{"frameid": 0, "positionx": 1, "opacity": 3},
                                                {"frameid": 4, "positionx": 2, "opacity": 9}]}]}]})")
                                                          .get(),
                                                      root);
    test::drainAutoreleasePool();
    ActionManager::destroyInstance();
    ActionManager::destroyInstance();
    EXPECT_FALSE(ActionManager::exists());
    root->release();
    UIToolbox::purgeToolbox();
    EXPECT_EQ(test::settledObjectCount(), before);

    EXPECT_EQ(ActionManager::instance()->documentCount(), 0u);
}

}  // namespace
}  // namespace lirava
