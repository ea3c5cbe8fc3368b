#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "WidgetTestSupport.h"
#include "engine/base/CCSet.h"
#include "engine/nodes/CCLayerColor.h"
#include "engine/nodes/CCScene.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/platform/CCTouch.h"
#include "engine/platform/CCTouchDispatcher.h"
#include "engine/render/Image.h"
#include "engine/render/Renderer.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UILabel.h"
#include "gui/widgets/UILayer.h"
#include "gui/widgets/UIRootWidget.h"
#include "support/HeadlessFixture.h"

namespace lirava {
namespace {

// A 24 x 24 frame: an 8-pixel dark border around a transparent middle, so a nine-slice background
// shows its corners unscaled and lets the gradient through.
std::string frameImage() {
    static const std::string path = [] {
        const std::string file = test::solidImage("frame-probe.png", 1, 1, {0, 0, 0, 0});
        const std::string framePath = file.substr(0, file.rfind('/') + 1) + "frame24.png";
        Image image(24, 24);
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                const bool border = x < 8 || x >= 16 || y < 8 || y >= 16;
                std::uint8_t* p = image.pixel(x, y);
                p[0] = 40;
                p[1] = 60;
                p[2] = 120;
                p[3] = border ? 255 : 0;
            }
        }
        EXPECT_TRUE(image.saveToPNG(framePath));
        return framePath;
    }();
    return path;
}

UIButton* makeButton(const char* title, CCPoint position) {
    UIButton* button = UIButton::create();
    button->loadTextures("Images/set_normal.png", "Images/set_pressed.png", "Images/set_selected.png");
    button->setTitleText(title);
    button->setTitleFontSize(22);
    button->setTitleColor(ccc3(40, 60, 120));
    button->setPosition(position);
    button->setTouchEnabled(true);
    return button;
}

UILabel* makeLabel(const char* text, int size, CCPoint position, ccColor3B color) {
    UILabel* label = UILabel::create();
    label->setText(text);
    label->setFontSize(size);
    label->setColor(color);
    label->setPosition(position);
    return label;
}

// The hand-built tree shown in docs/screenshots/widgets.png.
struct Showcase {
    UILayer* layer = nullptr;
    Layout* panel = nullptr;
    UIButton* normal = nullptr;
    UIButton* pressed = nullptr;
    UIButton* disabled = nullptr;
    UIButton* sliced = nullptr;
};

Showcase buildShowcase(CCScene* scene) {
    scene->addChild(CCLayerColor::create(ccc4(236, 236, 240, 255)));
    Showcase show;
    show.layer = UILayer::create();
    scene->addChild(show.layer);

    show.panel = Layout::create();
    show.panel->setSize(CCSize(560, 720));
    show.panel->setPosition(CCPoint(40, 120));
    show.panel->setBackGroundColor(ccc3(255, 236, 179), ccc3(144, 202, 249));
    show.panel->setBackGroundColorType(LAYOUT_COLOR_GRADIENT);
    show.panel->setBackGroundImageScale9Enabled(true);
    show.panel->setBackGroundImage(frameImage().c_str());
    show.panel->setBackGroundImageCapInsets(CCRect(8, 8, 8, 8));
    show.layer->getRootWidget()->addChild(show.panel);

    show.panel->addChild(makeLabel("Widget toolkit", 44, CCPoint(280, 650), ccc3(30, 40, 80)));
    show.panel->addChild(makeLabel("normal, pressed and disabled looks", 22, CCPoint(280, 600), ccc3(60, 70, 110)));

    show.normal = makeButton("Normal", CCPoint(140, 500));
    show.pressed = makeButton("Pressed", CCPoint(280, 500));
    show.disabled = makeButton("Disabled", CCPoint(420, 500));
    show.pressed->setFocused(true);
    show.disabled->setBright(false);
    show.panel->addChild(show.normal);
    show.panel->addChild(show.pressed);
    show.panel->addChild(show.disabled);

    show.sliced = makeButton("Nine-slice, 420 x 90", CCPoint(280, 360));
    show.sliced->setScale9Enabled(true);
    show.sliced->setCapInsets(CCRect(20, 20, 80, 32));
    show.sliced->setSize(CCSize(420, 90));
    show.panel->addChild(show.sliced);

    UIButton* tinted = makeButton("Tinted", CCPoint(140, 220));
    tinted->setColor(ccc3(255, 170, 170));
    show.panel->addChild(tinted);
    UIButton* stretched = makeButton("Stretched", CCPoint(360, 220));
    stretched->setIgnoreSize(false);
    stretched->setSize(CCSize(220, 60));
    show.panel->addChild(stretched);

    UILabel* scaled = makeLabel("a label at scale 1.5", 24, CCPoint(280, 110), ccc3(90, 40, 40));
    scaled->setScale(1.5f);
    show.panel->addChild(scaled);
    return show;
}

ccColor4B imagePixel(const char* name, int x, int y) {
    Image image;
    EXPECT_TRUE(image.initWithFile(CCFileUtils::sharedFileUtils()->fullPathForFilename(name)));
    const std::uint8_t* p = image.pixel(x, y);
    return ccc4(p[0], p[1], p[2], p[3]);
}

void dispatchTouch(void (CCTouchDispatcher::*phase)(CCSet*, CCEvent*), CCTouch* touch, CCPoint point) {
    touch->setTouchInfo(1, point);
    CCSet* touches = CCSet::create();
    touches->addObject(touch);
    (CCDirector::sharedDirector()->getTouchDispatcher()->*phase)(touches, nullptr);
}

class WidgetRenderingTest : public test::HeadlessFixture {
protected:
    // Where LIRAVA_WIDGET_SCREENSHOTS names a folder, the captures are written there (the docs'
    // screenshots come from this).
    void save(const std::string& name) {
        if (const char* dir = std::getenv("LIRAVA_WIDGET_SCREENSHOTS")) {
            EXPECT_TRUE(saveCapture(std::string(dir) + "/" + name));
        }
    }
};

TEST_F(WidgetRenderingTest, PressingAButtonShowsItsPressedImageInTheNextFrame) {
    CCScene* scene = CCScene::create();
    Showcase show = buildShowcase(scene);
    runScene(scene);

    // Left of the title, the button shows the middle of its image.
    const CCPoint probe(40 + 140 - 40, 120 + 500);
    const ccColor4B normalColour = imagePixel("Images/set_normal.png", 20, 36);
    const ccColor4B pressedColour = imagePixel("Images/set_pressed.png", 20, 36);
    ASSERT_FALSE(test::colorNear(normalColour, pressedColour, 8)) << "the two looks must differ to tell them apart";
    EXPECT_TRUE(test::colorNear(capture().atDesign(probe.x, probe.y), normalColour, 3));
    save("widgets.png");

    test::TouchRecorder recorder;
    recorder.listenTo(show.normal);
    CCTouch* touch = new CCTouch();
    dispatchTouch(&CCTouchDispatcher::touchesBegan, touch, probe);
    stepFrames(1);
    EXPECT_TRUE(test::colorNear(capture().atDesign(probe.x, probe.y), pressedColour, 3));
    save("widgets-pressed.png");

    dispatchTouch(&CCTouchDispatcher::touchesEnded, touch, probe);
    stepFrames(1);
    EXPECT_TRUE(test::colorNear(capture().atDesign(probe.x, probe.y), normalColour, 3));
    EXPECT_EQ(recorder.events, (std::vector<WidgetTouchEvent>{TOUCH_EVENT_BEGAN, TOUCH_EVENT_ENDED}));
    touch->release();
}

TEST_F(WidgetRenderingTest, BackgroundsChildrenClippingAndDisabling) {
    CCScene* scene = CCScene::create();
    CCLayerColor* backdrop = CCLayerColor::create(ccc4(0, 0, 0, 255));
    scene->addChild(backdrop);
    UILayer* layer = UILayer::create();
    scene->addChild(layer);
    Layout* panel = Layout::create();
    panel->setSize(CCSize(200, 200));
    panel->setPosition(CCPoint(100, 100));
    panel->setBackGroundColor(ccc3(0, 0, 255));
    panel->setBackGroundColorType(LAYOUT_COLOR_SOLID);
    layer->getRootWidget()->addChild(panel);
    Layout* child = Layout::create();
    child->setSize(CCSize(100, 100));
    child->setPosition(CCPoint(150, 150));  // reaches 50 past the panel's top-right corner
    child->setBackGroundColor(ccc3(255, 0, 0));
    child->setBackGroundColorType(LAYOUT_COLOR_SOLID);
    panel->addChild(child);
    runScene(scene);

    const ccColor4B blue = ccc4(0, 0, 255, 255);
    const ccColor4B red = ccc4(255, 0, 0, 255);
    const ccColor4B black = ccc4(0, 0, 0, 255);
    EXPECT_TRUE(test::colorNear(capture().atDesign(150, 150), blue));
    EXPECT_TRUE(test::colorNear(lastCapture().atDesign(280, 280), red)) << "children draw above the background";
    EXPECT_TRUE(test::colorNear(lastCapture().atDesign(330, 330), red)) << "no clipping yet";

    panel->setClippingEnabled(true);
    EXPECT_TRUE(test::colorNear(capture().atDesign(280, 280), red));
    EXPECT_TRUE(test::colorNear(lastCapture().atDesign(330, 330), black));

    panel->setEnabled(false);
    EXPECT_TRUE(test::colorNear(capture().atDesign(150, 150), black));
    EXPECT_TRUE(test::colorNear(lastCapture().atDesign(280, 280), black));
}

TEST_F(WidgetRenderingTest, NineSliceSpritesShowNoSeamsAtAFractionalWindowScale) {
    // Nine pieces of one opaque colour, stretched to a fractional size, drawn for a window of
    // 683 x 1024: no pixel inside may show the white behind them.
    const ccColor4B plate = {200, 100, 50, 255};
    CCScale9Sprite* sprite = CCScale9Sprite::create(test::solidImage("plate90x30.png", 90, 30, plate).c_str());
    ASSERT_NE(sprite, nullptr);
    sprite->setAnchorPoint(CCPointZero);
    sprite->setPreferredSize(CCSize(301.3f, 95.7f));
    sprite->setPosition(CCPoint(100.6f, 200.3f));
    CCScene* scene = CCScene::create();
    scene->addChild(sprite);
    runScene(scene);

    const int width = 683;
    const int height = 1024;
    Renderer& drawing = renderer();
    const TextureId target = drawing.createRenderTarget(width, height);
    ASSERT_NE(target, 0u);
    drawing.setRenderTarget(target);
    drawing.clear(ccc4(255, 255, 255, 255));
    scene->visit(drawing, CCAffineTransformIdentity);
    test::Frame frame;
    ASSERT_TRUE(drawing.readPixels(frame.rgba, frame.width, frame.height));
    drawing.setRenderTarget(0);
    drawing.destroyTexture(target);

    const float sx = width / 640.0f;
    const float sy = height / 960.0f;
    const int left = static_cast<int>(std::ceil(100.6f * sx)) + 1;
    const int right = static_cast<int>((100.6f + 301.3f) * sx) - 1;
    const int top = static_cast<int>(std::ceil((960 - 200.3f - 95.7f) * sy)) + 1;
    const int bottom = static_cast<int>((960 - 200.3f) * sy) - 1;
    int seamPixels = 0;
    std::string first;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (!test::colorNear(frame.at(x, y), plate, 0) && seamPixels++ == 0) {
                first = std::to_string(x) + "," + std::to_string(y);
            }
        }
    }
    EXPECT_EQ(seamPixels, 0) << "the first at " << first;
}

}  // namespace
}  // namespace lirava
