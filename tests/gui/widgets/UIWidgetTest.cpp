#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WidgetTestSupport.h"
#include "engine/actions/CCScheduler.h"
#include "engine/nodes/CCNode.h"
#include "engine/platform/CCDirector.h"
#include "gui/widgets/GUIRenderer.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/RectClippingNode.h"
#include "gui/widgets/UIWidget.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

// A plain widget of a fixed requested size.
UIWidget* sizedWidget(float w, float h, CCPoint position = CCPointZero) {
    UIWidget* widget = UIWidget::create();
    widget->setIgnoreSize(false);
    widget->setSize(CCSize(w, h));
    widget->setPosition(position);
    return widget;
}

Layout* sizedLayout(float w, float h, CCPoint position = CCPointZero) {
    Layout* layout = Layout::create();
    layout->setSize(CCSize(w, h));
    layout->setPosition(position);
    return layout;
}

// Counts the looks a widget is asked to show.
class LookRecorder : public UIWidget {
public:
    static LookRecorder* create() {
        LookRecorder* widget = new LookRecorder();
        widget->init();
        widget->autorelease();
        return widget;
    }
    std::string looks;

protected:
    void showNormalLook() override { looks += 'N'; }
    void showPressedLook() override { looks += 'P'; }
    void showDisabledLook() override { looks += 'D'; }
};

// A container that logs the child touch phases reaching it, into a log shared with listeners.
class RecordingLayout : public Layout {
public:
    static RecordingLayout* create(std::vector<std::string>* log) {
        RecordingLayout* layout = new RecordingLayout();
        layout->init();
        layout->autorelease();
        layout->m_log = log;
        return layout;
    }
    void onChildTouchEvent(int phase, UIWidget* sender, const CCPoint& point) override {
        m_log->push_back("child " + std::to_string(phase) + " from " + sender->getName());
        Layout::onChildTouchEvent(phase, sender, point);
    }

private:
    std::vector<std::string>* m_log = nullptr;
};

class LoggingListener : public CCObject {
public:
    explicit LoggingListener(std::vector<std::string>* log) : m_log(log) {}
    void onTouch(CCObject* sender, WidgetTouchEvent event) { m_log->push_back("listener " + std::to_string(event)); }

private:
    std::vector<std::string>* m_log;
};

std::vector<int> zOrders(UIWidget* parent) {
    std::vector<int> result;
    for (CCObject* child : *parent->getChildren()) {
        result.push_back(static_cast<UIWidget*>(child)->getZOrder());
    }
    return result;
}

class UIWidgetTest : public ::testing::Test {
protected:
    void TearDown() override { test::drainAutoreleasePool(); }
};

TEST_F(UIWidgetTest, ChildrenStayOrderedByZOrderWithTiesInInsertionOrder) {
    Layout* parent = Layout::create();
    std::vector<UIWidget*> added;
    for (int z : {0, 0, -1, 2, 0}) {
        UIWidget* child = UIWidget::create();
        child->setZOrder(z);
        ASSERT_TRUE(parent->addChild(child));
        added.push_back(child);
    }
    EXPECT_EQ(zOrders(parent), (std::vector<int>{-1, 0, 0, 0, 2}));
    CCArray* children = parent->getChildren();
    EXPECT_EQ(children->objectAtIndex(1), added[0]);
    EXPECT_EQ(children->objectAtIndex(2), added[1]);
    EXPECT_EQ(children->objectAtIndex(3), added[4]);
    // The renderers carry the same z-orders under the parent's renderer.
    EXPECT_EQ(added[3]->getContainerNode()->getParent(), parent->getContainerNode());
    EXPECT_EQ(added[3]->getContainerNode()->getZOrder(), 2);

    // Raising a child re-sorts it behind its new equals.
    added[2]->setZOrder(0);
    EXPECT_EQ(children->lastObject(), added[3]);
    EXPECT_EQ(children->objectAtIndex(3), added[2]);
    EXPECT_EQ(added[2]->getContainerNode()->getZOrder(), 0);
}

TEST_F(UIWidgetTest, AddChildRefusesWhatWouldBreakTheTree) {
    Layout* parent = Layout::create();
    Layout* other = Layout::create();
    Layout* child = Layout::create();
    UIWidget* grandchild = UIWidget::create();
    EXPECT_FALSE(parent->addChild(nullptr));
    EXPECT_FALSE(parent->addChild(parent));
    ASSERT_TRUE(parent->addChild(child));
    EXPECT_FALSE(parent->addChild(child));
    EXPECT_FALSE(other->addChild(child)) << "a widget has one parent";
    ASSERT_TRUE(child->addChild(grandchild));
    EXPECT_FALSE(grandchild->addChild(parent)) << "an ancestor cannot become a descendant";
    EXPECT_EQ(parent->getChildren()->count(), 1u);
    EXPECT_EQ(other->getChildren()->count(), 0u);
    EXPECT_EQ(child->getParent(), parent);
}

TEST_F(UIWidgetTest, RemovingChildrenDetachesThemAndTheirRenderers) {
    Layout* parent = Layout::create();
    UIWidget* a = UIWidget::create();
    UIWidget* b = UIWidget::create();
    UIWidget* stranger = UIWidget::create();
    parent->addChild(a);
    parent->addChild(b);
    a->retain();

    EXPECT_FALSE(parent->removeChild(stranger));
    EXPECT_FALSE(parent->removeChild(nullptr));
    a->removeFromParent();
    EXPECT_EQ(a->getParent(), nullptr);
    EXPECT_EQ(a->getContainerNode()->getParent(), nullptr);
    EXPECT_EQ(parent->getChildren()->count(), 1u);

    parent->removeAllChildren();
    EXPECT_EQ(parent->getChildren()->count(), 0u);
    // Nothing is left under the layout's renderer.
    EXPECT_EQ(parent->getContainerNode()->getChildrenCount(), 0u);
    a->release();
}

TEST_F(UIWidgetTest, SizeFollowsTheRendererWhileIgnoringTheRequest) {
    UIWidget* widget = UIWidget::create();
    EXPECT_TRUE(widget->isIgnoreContentAdaptWithSize());
    widget->setSize(CCSize(80, 40));
    EXPECT_EQ(widget->getSize(), CCSizeZero);
    EXPECT_EQ(widget->getRequestedSize(), CCSize(80, 40));

    widget->setIgnoreSize(false);
    EXPECT_EQ(widget->getSize(), CCSize(80, 40));
    widget->setSize(CCSize(10, 20));
    EXPECT_EQ(widget->getSize(), CCSize(10, 20));

    // A container uses its request from the start.
    Layout* layout = Layout::create();
    EXPECT_FALSE(layout->isIgnoreContentAdaptWithSize());
    layout->setSize(CCSize(30, 60));
    EXPECT_EQ(layout->getSize(), CCSize(30, 60));
}

TEST_F(UIWidgetTest, PercentagesAreKeptOnlyWhileRunning) {
    Layout* parent = sizedLayout(200, 100);
    UIWidget* child = sizedWidget(50, 25, CCPoint(100, 50));
    parent->addChild(child);

    child->setSizePercent(CCPoint(0.5f, 0.5f));
    EXPECT_EQ(child->getSize(), CCSize(50, 25)) << "not running: the percentage is only stored";

    parent->onEnter();
    EXPECT_TRUE(child->isRunning());
    EXPECT_FLOAT_EQ(child->getSizePercent().x, 0.25f);
    EXPECT_FLOAT_EQ(child->getPositionPercent().x, 0.5f);
    EXPECT_FLOAT_EQ(child->getPositionPercent().y, 0.5f);

    child->setSizePercent(CCPoint(0.5f, 0.5f));
    EXPECT_EQ(child->getSize(), CCSize(100, 50));
    EXPECT_EQ(child->getRequestedSize(), CCSize(100, 50));
    child->setSize(CCSize(20, 10));
    EXPECT_FLOAT_EQ(child->getSizePercent().x, 0.1f);
    EXPECT_FLOAT_EQ(child->getSizePercent().y, 0.1f);

    // A percent-sized widget entering later takes its share of the parent.
    UIWidget* late = sizedWidget(1, 1);
    late->setSizeType(SIZE_PERCENT);
    late->setSizePercent(CCPoint(0.25f, 1.0f));
    parent->addChild(late);
    EXPECT_EQ(late->getSize(), CCSize(50, 100));

    // A parent without a size gives fractions of zero, not infinities.
    Layout* empty = Layout::create();
    empty->onEnter();
    UIWidget* orphan = sizedWidget(10, 10, CCPoint(5, 5));
    empty->addChild(orphan);
    EXPECT_EQ(orphan->getSizePercent(), CCPointZero);
    EXPECT_EQ(orphan->getPositionPercent(), CCPointZero);

    parent->onExit();
    EXPECT_FALSE(child->isRunning());
    empty->onExit();
}

TEST_F(UIWidgetTest, HitTestIncludesEdgesAndFollowsTheAnchor) {
    UIWidget* widget = sizedWidget(100, 50, CCPoint(200, 200));
    EXPECT_TRUE(widget->hitTest(CCPoint(150, 175)));
    EXPECT_TRUE(widget->hitTest(CCPoint(250, 225)));
    EXPECT_FALSE(widget->hitTest(CCPoint(250.5f, 200)));
    EXPECT_FALSE(widget->hitTest(CCPoint(200, 174.5f)));

    widget->setAnchorPoint(CCPointZero);
    EXPECT_TRUE(widget->hitTest(CCPoint(300, 250)));
    EXPECT_FALSE(widget->hitTest(CCPoint(199, 200)));

    // The parent's transform counts.
    Layout* parent = sizedLayout(400, 400, CCPoint(1000, 0));
    parent->addChild(widget);
    EXPECT_FALSE(widget->hitTest(CCPoint(250, 225)));
    EXPECT_TRUE(widget->hitTest(CCPoint(1250, 225)));

    // A container's rectangle starts at its lower-left corner whatever its anchor.
    Layout* layout = sizedLayout(100, 100, CCPoint(50, 50));
    layout->setAnchorPoint(CCPoint(0.5f, 0.5f));
    EXPECT_TRUE(layout->hitTest(CCPoint(0, 0)));
    EXPECT_TRUE(layout->hitTest(CCPoint(100, 100)));
    EXPECT_FALSE(layout->hitTest(CCPoint(101, 50)));
}

TEST_F(UIWidgetTest, ClippingContainersBoundWhereAWidgetCanBeHit) {
    Layout* outer = sizedLayout(300, 300);
    Layout* inner = sizedLayout(100, 100, CCPoint(50, 50));
    UIWidget* child = sizedWidget(40, 40, CCPoint(90, 90));  // spans 70..110 inside inner
    outer->addChild(inner);
    inner->addChild(child);
    const CCPoint sticking(155, 155);  // inside child, outside inner
    ASSERT_TRUE(child->hitTest(sticking));
    EXPECT_TRUE(child->isClipAncestorHit(sticking)) << "no clipping yet";

    inner->setClippingEnabled(true);
    EXPECT_FALSE(child->isClipAncestorHit(sticking));
    EXPECT_TRUE(child->isClipAncestorHit(CCPoint(140, 140)));

    // Every clipping ancestor counts, not only the nearest.
    inner->setClippingEnabled(false);
    outer->setClippingEnabled(true);
    outer->setPosition(CCPoint(100, 100));  // outer now spans 100..400
    EXPECT_FALSE(child->isClipAncestorHit(CCPoint(95, 95)));
    inner->setClippingEnabled(true);
    EXPECT_TRUE(child->isClipAncestorHit(CCPoint(240, 240)));
    EXPECT_FALSE(child->isClipAncestorHit(CCPoint(255, 255)));
}

TEST_F(UIWidgetTest, EdgesInParentDependOnTheKindOfWidget) {
    UIWidget* widget = sizedWidget(100, 50, CCPoint(200, 100));
    EXPECT_FLOAT_EQ(widget->getLeftInParent(), 150);
    EXPECT_FLOAT_EQ(widget->getRightInParent(), 250);
    EXPECT_FLOAT_EQ(widget->getBottomInParent(), 75);
    EXPECT_FLOAT_EQ(widget->getTopInParent(), 125);

    Layout* layout = sizedLayout(100, 50, CCPoint(200, 100));
    layout->setAnchorPoint(CCPoint(0.5f, 0.5f));
    EXPECT_FLOAT_EQ(layout->getLeftInParent(), 200);
    EXPECT_FLOAT_EQ(layout->getTopInParent(), 150);
}

TEST_F(UIWidgetTest, PressDragOffAndReleaseIsReportedAsCancelled) {
    LookRecorder* widget = LookRecorder::create();
    widget->setIgnoreSize(false);
    widget->setSize(CCSize(100, 100));
    widget->setPosition(CCPoint(50, 50));
    widget->looks.clear();
    test::TouchRecorder recorder;
    recorder.listenTo(widget);

    widget->onTouchBegan(CCPoint(50, 50));
    EXPECT_TRUE(widget->isFocused());
    widget->onTouchMoved(CCPoint(300, 50));
    EXPECT_FALSE(widget->isFocused());
    widget->onTouchMoved(CCPoint(60, 60));
    EXPECT_TRUE(widget->isFocused()) << "dragging back in restores the focus";
    widget->onTouchMoved(CCPoint(300, 50));
    widget->onTouchEnded(CCPoint(300, 50));
    EXPECT_EQ(recorder.events, (std::vector<WidgetTouchEvent>{TOUCH_EVENT_BEGAN, TOUCH_EVENT_MOVED, TOUCH_EVENT_MOVED,
                                                              TOUCH_EVENT_MOVED, TOUCH_EVENT_CANCELED}));
    EXPECT_EQ(widget->looks, "PNPN");
    EXPECT_EQ(recorder.senders.front(), widget);
    EXPECT_EQ(widget->getTouchStartPos(), CCPoint(50, 50));
    EXPECT_EQ(widget->getTouchEndPos(), CCPoint(300, 50));

    recorder.events.clear();
    widget->onTouchBegan(CCPoint(50, 50));
    widget->onTouchEnded(CCPoint(99, 99));
    EXPECT_EQ(recorder.events, (std::vector<WidgetTouchEvent>{TOUCH_EVENT_BEGAN, TOUCH_EVENT_ENDED}));

    recorder.events.clear();
    widget->onTouchBegan(CCPoint(50, 50));
    widget->onTouchCancelled(CCPoint(50, 50));
    EXPECT_EQ(recorder.events, (std::vector<WidgetTouchEvent>{TOUCH_EVENT_BEGAN, TOUCH_EVENT_CANCELED}));
    EXPECT_FALSE(widget->isFocused());
}

TEST_F(UIWidgetTest, ChildTouchPhasesClimbToTheRootBeforeTheListenerHears) {
    std::vector<std::string> log;
    RecordingLayout* root = RecordingLayout::create(&log);
    Layout* panel = sizedLayout(200, 200);
    UIWidget* button = sizedWidget(50, 50, CCPoint(25, 25));
    button->setName("button");
    root->addChild(panel);
    panel->addChild(button);
    LoggingListener listener(&log);
    button->addTouchEventListener(&listener, toucheventselector(LoggingListener::onTouch));

    button->onTouchBegan(CCPoint(25, 25));
    button->onTouchMoved(CCPoint(30, 30));
    button->onTouchEnded(CCPoint(30, 30));
    button->onTouchCancelled(CCPoint(30, 30));
    EXPECT_EQ(log, (std::vector<std::string>{"child 0 from button", "listener 0", "child 1 from button", "listener 1",
                                             "child 2 from button", "listener 2", "listener 3"}));

    // A second listener replaces the first.
    test::TouchRecorder recorder;
    recorder.listenTo(button);
    log.clear();
    button->onTouchBegan(CCPoint(25, 25));
    EXPECT_EQ(log, (std::vector<std::string>{"child 0 from button"}));
    EXPECT_EQ(recorder.events.size(), 1u);
}

TEST_F(UIWidgetTest, BrightnessDecidesWhichLookFocusShows) {
    LookRecorder* widget = LookRecorder::create();
    EXPECT_EQ(widget->looks, "N") << "init shows the normal look";
    EXPECT_EQ(widget->getBrightStyle(), BRIGHT_NORMAL);
    widget->setFocused(true);
    widget->setFocused(true);
    widget->setFocused(false);
    EXPECT_EQ(widget->looks, "NPN");

    widget->setBright(false);
    widget->setFocused(true);
    widget->setFocused(false);
    EXPECT_EQ(widget->looks, "NPNDDD");
    widget->setBright(true);
    EXPECT_EQ(widget->looks, "NPNDDDN");
    EXPECT_EQ(widget->getBrightStyle(), BRIGHT_NORMAL);
}

TEST_F(UIWidgetTest, DisablingAContainerStopsDrawingItsWholeSubtree) {
    Layout* panel = Layout::create();
    UIWidget* child = UIWidget::create();
    panel->addChild(child);
    panel->setEnabled(false);
    EXPECT_FALSE(child->isEnabled());
    EXPECT_FALSE(static_cast<RectClippingNode*>(panel->getContainerNode())->isDrawEnabled());
    EXPECT_FALSE(static_cast<GUIRenderer*>(child->getContainerNode())->isDrawEnabled());
    EXPECT_TRUE(child->getContainerNode()->isVisible()) << "visibility belongs to setVisible";

    panel->setEnabled(true);
    child->setVisible(false);
    EXPECT_TRUE(static_cast<GUIRenderer*>(child->getContainerNode())->isDrawEnabled());
    EXPECT_FALSE(child->getContainerNode()->isVisible());
}

TEST_F(UIWidgetTest, RemovalStopsPerFrameUpdatesOfTheRemovedSubtree) {
    CCScheduler* scheduler = CCDirector::sharedDirector()->getScheduler();
    Layout* root = Layout::create();
    Layout* branch = Layout::create();
    UIWidget* leaf = UIWidget::create();
    UIWidget* keeper = UIWidget::create();
    root->addChild(branch);
    root->addChild(keeper);
    branch->addChild(leaf);
    for (UIWidget* widget : {static_cast<UIWidget*>(branch), leaf, keeper}) {
        scheduler->scheduleUpdateForTarget(widget, 0, false);
    }
    branch->retain();
    root->removeChild(branch);
    EXPECT_FALSE(scheduler->isUpdateScheduledForTarget(branch));
    EXPECT_FALSE(scheduler->isUpdateScheduledForTarget(leaf));
    EXPECT_TRUE(scheduler->isUpdateScheduledForTarget(keeper));
    branch->release();

    keeper->releaseResources();
    EXPECT_FALSE(scheduler->isUpdateScheduledForTarget(keeper));
}

TEST_F(UIWidgetTest, ForwardersReachTheRenderer) {
    UIWidget* widget = UIWidget::create();
    widget->setScaleX(2.0f);
    widget->setScaleY(3.0f);
    widget->setRotation(45.0f);
    widget->setColor(ccc3(10, 20, 30));
    widget->setOpacity(40);
    CCNode* renderer = widget->getContainerNode();
    EXPECT_FLOAT_EQ(renderer->getScaleX(), 2.0f);
    EXPECT_FLOAT_EQ(renderer->getScaleY(), 3.0f);
    EXPECT_FLOAT_EQ(widget->getRotation(), 45.0f);
    EXPECT_EQ(widget->getColor(), ccc3(10, 20, 30));
    EXPECT_EQ(widget->getOpacity(), 40);
    EXPECT_TRUE(widget->isCascadeColorEnabled());

    // A container's renderer has no colour of its own; the layout keeps what it was given.
    Layout* layout = Layout::create();
    layout->setColor(ccc3(1, 2, 3));
    layout->setOpacity(9);
    EXPECT_EQ(layout->getColor(), ccc3(1, 2, 3));
    EXPECT_EQ(layout->getOpacity(), 9);
    EXPECT_FALSE(layout->isCascadeOpacityEnabled());
}

}  // namespace
}  // namespace lirava
