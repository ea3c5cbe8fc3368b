#include <gtest/gtest.h>

#include <string>

#include "WidgetTestSupport.h"
#include "engine/actions/CCScheduler.h"
#include "engine/platform/CCDirector.h"
#include "gui/action/ActionManager.h"
#include "gui/document/CCSGUIReader.h"
#include "gui/document/UIToolbox.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UICCTextField.h"
#include "gui/widgets/UICheckBox.h"
#include "gui/widgets/UIDragPanel.h"
#include "gui/widgets/UILayer.h"
#include "gui/widgets/UILoadingBar.h"
#include "gui/widgets/UIPageView.h"
#include "gui/widgets/UIRootWidget.h"
#include "gui/widgets/UIScrollView.h"
#include "gui/widgets/UISlider.h"
#include "gui/widgets/UITextField.h"
#include "gui/widgets/UITouchRouter.h"
#include "support/EngineEnvironment.h"
#include "support/SettledObjects.h"

namespace lirava {
namespace {

// Containers with inner containers and page lists, per-frame updates and text nodes attached to
// the input method: each tree is dragged, typed into and thrown away.
void buildUseAndDrop(const std::string& image, bool clearFirst) {
    UILayer* layer = UILayer::create();
    UIScrollView* scroll = UIScrollView::create();
    scroll->setSize(CCSize(100, 100));
    scroll->setInnerSize(CCSize(100, 400));
    UIDragPanel* drag = UIDragPanel::create();
    drag->setSize(CCSize(100, 100));
    drag->setInnerSize(CCSize(300, 300));
    drag->setBounceEnabled(true);
    drag->setPosition(CCPoint(200, 0));
    UIPageView* pages = UIPageView::create();
    pages->setSize(CCSize(100, 100));
    pages->setPosition(CCPoint(400, 0));
    for (Layout* container : {static_cast<Layout*>(scroll), static_cast<Layout*>(drag), static_cast<Layout*>(pages)}) {
        UIButton* button = UIButton::create();
        button->loadTextureNormal(image.c_str());
        button->setTouchEnabled(true);
        button->setPosition(CCPoint(50, 50));
        container->addChild(button);
        layer->getRootWidget()->addChild(container);
    }
    UICheckBox* box = UICheckBox::create();
    box->loadTextures(image.c_str(), image.c_str(), image.c_str(), image.c_str(), image.c_str());
    scroll->addChild(box);
    UISlider* slider = UISlider::create();
    slider->setScale9Enabled(true);
    slider->loadBarTexture(image.c_str());
    slider->loadProgressBarTexture(image.c_str());
    drag->addChild(slider);
    UILoadingBar* bar = UILoadingBar::create();
    bar->loadTexture(image.c_str());
    bar->setScale9Enabled(true);
    pages->addChild(bar);
    UITextField* field = UITextField::create();
    field->setPasswordEnabled(true);
    layer->getRootWidget()->addChild(field);
    field->attachWithIME();
    field->getTextFieldRenderer()->insertText("abc", 3);

    UITouchRouter* router = layer->getTouchRouter();
    for (float x : {50.0f, 250.0f, 450.0f}) {
        router->touchBegan(CCPoint(x, 50));
        router->touchMoved(CCPoint(x + 30, 20));
        router->touchMoved(CCPoint(x + 80, 200));
        router->touchEnded(CCPoint(x + 80, 200));
    }
    CCDirector::sharedDirector()->getScheduler()->update(1.0f / 60.0f);
    if (clearFirst) {
        layer->clear();
    }
}

TEST(ScrollingWidgetsLeakTest, TreesThatWereDraggedAndTypedIntoLeaveNothing) {
    const std::string image = test::solidImage("leak_scroll.png", 12, 12, {10, 90, 200, 255});
    const std::size_t before = test::settledObjectCount();
    for (int i = 0; i < 200; ++i) {
        buildUseAndDrop(image, i % 2 == 0);
        test::drainAutoreleasePool();
    }
    EXPECT_EQ(test::settledObjectCount(), before);
}

TEST(ScrollingWidgetsLeakTest, GalleryDocumentReadManyTimesLeavesNothing) {
    // The document singletons come and go with each read; none is counted on either side.
    UIToolbox::purgeToolbox();
    ActionManager::destroyInstance();
    const std::size_t before = test::settledObjectCount();
    for (int i = 0; i < 20; ++i) {
        UILayer* layer = UILayer::create();
        UIWidget* root = CCSGUIReader::sharedReader()->widgetFromFile("gallery/gallery.json");
        ASSERT_NE(root, nullptr);
        layer->getRootWidget()->addChild(root);
        CCDirector::sharedDirector()->getScheduler()->update(1.0f / 60.0f);
        UIToolbox::purgeToolbox();
        ActionManager::destroyInstance();
        test::drainAutoreleasePool();
    }
    EXPECT_EQ(test::settledObjectCount(), before);
}

}  // namespace
}  // namespace lirava
