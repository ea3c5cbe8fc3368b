// A program on the engine alone whose frame is known pixel by pixel. The headless end-to-end tests
// drive it with scripts: it exercises the launch options, the main loop, the script commands,
// the mapping of mouse positions to touches, clipping and render targets.
//
// Layout (design units, origin bottom-left):
//   background        (30, 60, 90)
//   red square        40..240 x 40..240
//   clipped square    green, 400..600 x 700..900, clipped to 400..500: the right half shows the background
//   pad               40..240 x 500..650, grey; each tap that ends on it toggles it to yellow and back
//   render target     a blue 64 x 64 target shown scaled at 300..428 x 300..428, with a white
//                     16 x 16 target pixel block in its lower-left corner (drawn at 300..332 x 300..332)
//   colour layer      magenta CCLayerColor, 500..600 x 100..200
//   sprite            "probe-sprite.png" from the resource root (when there), centred on (520, 400) at
//                     scale 2
//   label             white "Lirava" in Arial 48, centred on (420, 600)

#include <cstdio>
#include <string>
#include <vector>

#include "engine/nodes/CCLayer.h"
#include "engine/nodes/CCLayerColor.h"
#include "engine/nodes/CCScene.h"
#include "engine/nodes/CCSprite.h"
#include "engine/platform/CCApplication.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/CCTouch.h"
#include "engine/platform/JsonWriter.h"
#include "engine/platform/ScriptDriver.h"
#include "engine/render/Renderer.h"
#include "engine/text/CCLabelTTF.h"

namespace {

using namespace lirava;

void fillRect(Renderer& renderer, const CCAffineTransform& toWorld, float w, float h, const ccColor4B& color,
              TextureId texture = 0) {
    const CCPoint p[4] = {
        CCPointApplyAffineTransform(CCPoint(0, 0), toWorld), CCPointApplyAffineTransform(CCPoint(w, 0), toWorld),
        CCPointApplyAffineTransform(CCPoint(0, h), toWorld), CCPointApplyAffineTransform(CCPoint(w, h), toWorld)};
    const Vertex v[4] = {{p[0].x, p[0].y, color, 0, 1},
                         {p[1].x, p[1].y, color, 1, 1},
                         {p[2].x, p[2].y, color, 0, 0},
                         {p[3].x, p[3].y, color, 1, 0}};
    renderer.drawQuad(texture, v);
}

class ColorQuad : public CCNode {
public:
    static ColorQuad* create(const CCRect& rect, const ccColor4B& color) {
        ColorQuad* node = new ColorQuad();
        node->setPosition(rect.origin);
        node->setContentSize(rect.size);
        node->m_color = color;
        node->autorelease();
        return node;
    }
    void draw(Renderer& renderer, const CCAffineTransform& toWorld) override {
        fillRect(renderer, toWorld, m_contentSize.width, m_contentSize.height, m_color);
    }
    ccColor4B m_color = {0, 0, 0, 255};
};

// Clips its children to its own rectangle.
class ClipNode : public CCNode {
public:
    static ClipNode* create(const CCRect& rect) {
        ClipNode* node = new ClipNode();
        node->setPosition(rect.origin);
        node->setContentSize(rect.size);
        node->autorelease();
        return node;
    }
    void visit(Renderer& renderer, const CCAffineTransform& parentToWorld) override {
        const CCAffineTransform world = CCAffineTransformConcat(nodeToParentTransform(), parentToWorld);
        renderer.pushClip(CCRectApplyAffineTransform(CCRect(0, 0, m_contentSize.width, m_contentSize.height), world));
        CCNode::visit(renderer, parentToWorld);
        renderer.popClip();
    }
};

// Draws into a small render target, then shows the target scaled up.
class TargetNode : public CCNode {
public:
    static TargetNode* create() {
        TargetNode* node = new TargetNode();
        node->setPosition(300, 300);
        node->setContentSize(CCSize(128, 128));
        node->autorelease();
        return node;
    }
    ~TargetNode() override {
        if (m_target && Renderer::current()) {
            Renderer::current()->destroyTexture(m_target);
        }
    }
    void draw(Renderer& renderer, const CCAffineTransform& toWorld) override {
        if (!m_target) {
            m_target = renderer.createRenderTarget(64, 64);
        }
        renderer.setRenderTarget(m_target);
        renderer.clear(ccc4(0, 0, 255, 255));
        // The design area maps onto the whole target: 640 x 960 design units over 64 x 64 pixels.
        fillRect(renderer, CCAffineTransformIdentity, 160, 240, ccc4(255, 255, 255, 255));
        renderer.setRenderTarget(0);
        fillRect(renderer, toWorld, m_contentSize.width, m_contentSize.height, ccc4(255, 255, 255, 255), m_target);
    }
    TextureId m_target = 0;
};

int g_taps = 0;
CCPoint g_lastTouch;

class TouchPad : public CCLayer {
public:
    static TouchPad* create() {
        TouchPad* pad = new TouchPad();
        pad->init();
        pad->setPosition(40, 500);
        pad->setContentSize(CCSize(200, 150));
        pad->setTouchMode(kCCTouchesOneByOne);
        pad->setTouchEnabled(true);
        pad->autorelease();
        return pad;
    }
    bool ccTouchBegan(CCTouch* touch, CCEvent*) override {
        g_lastTouch = touch->getLocation();
        return boundingBox().containsPoint(touch->getLocation());
    }
    void ccTouchMoved(CCTouch* touch, CCEvent*) override { g_lastTouch = touch->getLocation(); }
    void ccTouchEnded(CCTouch* touch, CCEvent*) override {
        g_lastTouch = touch->getLocation();
        if (boundingBox().containsPoint(touch->getLocation())) {
            ++g_taps;
        }
    }
    void draw(Renderer& renderer, const CCAffineTransform& toWorld) override {
        const ccColor4B color = g_taps % 2 ? ccc4(250, 220, 0, 255) : ccc4(128, 128, 128, 255);
        fillRect(renderer, toWorld, m_contentSize.width, m_contentSize.height, color);
    }
};

class ProbeApp : public CCApplication {
public:
    bool applicationDidFinishLaunching() override {
        CCDirector* director = CCDirector::sharedDirector();
        director->setOpenGLView(CCEGLView::sharedOpenGLView());
        CCEGLView::sharedOpenGLView()->setDesignResolutionSize(640, 960, kResolutionExactFit);
        director->setAnimationInterval(1.0 / 60);

        CCScene* scene = CCScene::create();
        scene->addChild(ColorQuad::create(CCRect(0, 0, 640, 960), ccc4(30, 60, 90, 255)), -1);
        scene->addChild(ColorQuad::create(CCRect(40, 40, 200, 200), ccc4(220, 40, 40, 255)));
        ClipNode* clip = ClipNode::create(CCRect(400, 700, 100, 200));
        clip->addChild(ColorQuad::create(CCRect(0, 0, 200, 200), ccc4(40, 200, 60, 255)));
        scene->addChild(clip);
        scene->addChild(TouchPad::create());
        scene->addChild(TargetNode::create());
        CCLayerColor* layer = CCLayerColor::create(ccc4(200, 0, 200, 255), 100, 100);
        layer->setPosition(500, 100);
        scene->addChild(layer);
        if (CCSprite* sprite = CCSprite::create("probe-sprite.png")) {
            sprite->setPosition(520, 400);
            sprite->setScale(2.0f);
            scene->addChild(sprite);
        }
        CCLabelTTF* label = CCLabelTTF::create("Lirava", "Arial", 48);
        label->setPosition(420, 600);
        scene->addChild(label);
        director->runWithScene(scene);
        return true;
    }
};

}  // namespace

int main(int argc, char** argv) {
    ProbeApp app;
    LaunchOptions options;
    int status = 0;
    if (!parseLaunchOptions(argc, argv, {"."}, options, status)) {
        return status;
    }
    app.setLaunchOptions(options);
    ScriptDriver::addStateProvider([](JsonWriter& writer) {
        writer.beginObject("probe");
        writer.member("taps", g_taps);
        writer.beginArray("lastTouch").value(g_lastTouch.x).value(g_lastTouch.y).endArray();
        writer.endObject();
    });
    ScriptDriver::registerCommand("expect-taps", [](const std::vector<std::string>& args, ScriptHost&) {
        if (args.size() != 1) {
            return ScriptCommandResult::fail("expect-taps takes 1 argument");
        }
        if (std::to_string(g_taps) != args[0]) {
            return ScriptCommandResult::fail("expected " + args[0] + " taps, saw " + std::to_string(g_taps), 3);
        }
        return ScriptCommandResult::ok();
    });
    CCEGLView::sharedOpenGLView()->setViewName("probe");
    return CCApplication::sharedApplication()->run();
}
