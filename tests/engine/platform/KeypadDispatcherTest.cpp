#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/base/CCAutoreleasePool.h"
#include "engine/nodes/CCLayer.h"
#include "engine/nodes/CCScene.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCKeypadDispatcher.h"
#include "engine/platform/KeyInput.h"
#include "engine/render/Renderer.h"
#include "engine/text/CCIMEDelegate.h"
#include "engine/text/CCIMEDispatcher.h"
#include "engine/transitions/CCTransitionScene.h"
#include "support/NullRenderer.h"

namespace lirava {
namespace {

using Log = std::vector<std::string>;

// A layer that records its keys as "name:Key" (or "name:Key+" for a repeat, "name:^Key" for a
// release) and uses the keys it is told to.
class KeyLayer : public CCLayer {
public:
    static KeyLayer* create(Log& log, std::string name, std::vector<std::string> uses = {}) {
        KeyLayer* layer = new KeyLayer(log, std::move(name), std::move(uses));
        layer->init();
        layer->autorelease();
        return layer;
    }

    bool keyPressed(const std::string& key, bool repeat) override {
        m_log.push_back(m_name + ":" + key + (repeat ? "+" : ""));
        if (onKey) {
            onKey();
        }
        for (const std::string& used : m_uses) {
            if (used == key) {
                return true;
            }
        }
        return false;
    }
    void keyReleased(const std::string& key) override { m_log.push_back(m_name + ":^" + key); }

    std::function<void()> onKey;
    static inline int s_alive = 0;

private:
    KeyLayer(Log& log, std::string name, std::vector<std::string> uses)
        : m_log(log), m_name(std::move(name)), m_uses(std::move(uses)) {
        ++s_alive;
    }
    ~KeyLayer() override { --s_alive; }
    Log& m_log;
    std::string m_name;
    std::vector<std::string> m_uses;
};

using test::NullRenderer;

class KeypadTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = Renderer::current();
        Renderer::setCurrent(&renderer);
        director = CCDirector::sharedDirector();
        keypad = director->getKeypadDispatcher();
        before = CCObject::liveObjectCount();
    }
    void TearDown() override {
        CCDirector::purgeDirector();
        CCPoolManager::sharedPoolManager()->drainAll();
        CCDirector::sharedDirector();
        Renderer::setCurrent(previous);
    }
    void frame() { director->mainLoop(1.0 / 60.0); }

    // A running scene holding the given layers.
    CCScene* stage(std::initializer_list<CCLayer*> layers) {
        CCScene* scene = CCScene::create();
        for (CCLayer* layer : layers) {
            layer->setKeypadEnabled(true);
            scene->addChild(layer);
        }
        director->replaceScene(scene);
        frame();
        return scene;
    }

    Log log;
    NullRenderer renderer;
    Renderer* previous = nullptr;
    CCDirector* director = nullptr;
    CCKeypadDispatcher* keypad = nullptr;
    std::size_t before = 0;
};

TEST_F(KeypadTest, NewestLayerFirstUntilOneUsesTheKeyAndEveryoneHearsTheRelease) {
    KeyLayer* back = KeyLayer::create(log, "back", {"Space"});
    KeyLayer* front = KeyLayer::create(log, "front", {"Left"});
    stage({back, front});
    EXPECT_EQ(keypad->delegateCount(), 2u);

    EXPECT_TRUE(dispatchKeyPress("Left", false));
    EXPECT_TRUE(dispatchKeyPress("Space", true));
    EXPECT_FALSE(dispatchKeyPress("Up", false));
    dispatchKeyRelease("Left");
    EXPECT_EQ(log,
              (Log{"front:Left", "front:Space+", "back:Space+", "front:Up", "back:Up", "front:^Left", "back:^Left"}));
}

TEST_F(KeypadTest, LayersListenOnlyWhileOnStageAndEnabled) {
    KeyLayer* layer = KeyLayer::create(log, "layer");
    layer->setKeypadEnabled(true);
    EXPECT_FALSE(keypad->isRegistered(layer));  // not on stage yet
    CCScene* scene = stage({layer});
    EXPECT_TRUE(keypad->isRegistered(layer));

    layer->setKeypadEnabled(false);
    dispatchKeyPress("Left", false);
    EXPECT_TRUE(log.empty());
    layer->setKeypadEnabled(true);
    dispatchKeyPress("Left", false);
    EXPECT_EQ(log, (Log{"layer:Left"}));

    // Removed from the stage: no more keys, and the dispatcher lets go of it.
    layer->retain();
    scene->removeChild(layer, true);
    EXPECT_FALSE(keypad->isRegistered(layer));
    layer->release();
    log.clear();
    dispatchKeyPress("Left", false);
    EXPECT_TRUE(log.empty());
}

TEST_F(KeypadTest, NoKeysWhileASceneChangeWaitsOrATransitionRuns) {
    KeyLayer* out = KeyLayer::create(log, "out");
    stage({out});

    CCScene* next = CCScene::create();
    KeyLayer* in = KeyLayer::create(log, "in");
    in->setKeypadEnabled(true);
    next->addChild(in);
    director->replaceScene(CCTransitionScene::create(0.1f, next));
    EXPECT_FALSE(dispatchKeyPress("Right", false));  // the change waits for the next frame
    frame();
    EXPECT_FALSE(keypad->isAcceptingKeys());
    EXPECT_FALSE(dispatchKeyPress("Right", false));  // the page curls
    EXPECT_TRUE(log.empty());

    for (int i = 0; i < 20 && director->getRunningScene() != next; ++i) {
        frame();
    }
    ASSERT_EQ(director->getRunningScene(), next);
    dispatchKeyPress("Right", false);
    EXPECT_EQ(log, (Log{"in:Right"}));
    EXPECT_FALSE(keypad->isRegistered(out));
}

TEST_F(KeypadTest, AKeyThatChangesTheSceneGoesNoFurther) {
    KeyLayer* back = KeyLayer::create(log, "back");
    KeyLayer* front = KeyLayer::create(log, "front");
    stage({back, front});
    // The front layer asks for a new scene and does not say it used the key.
    front->onKey = [this] { director->replaceScene(CCScene::create()); };
    EXPECT_FALSE(dispatchKeyPress("Home", false));
    EXPECT_EQ(log, (Log{"front:Home"}));
}

TEST_F(KeypadTest, ADelegateRemovedDuringADispatchIsSkippedAndNothingLeaks) {
    const int alive = KeyLayer::s_alive;
    KeyLayer* back = KeyLayer::create(log, "back");
    KeyLayer* front = KeyLayer::create(log, "front");
    CCScene* scene = stage({back, front});
    front->onKey = [scene, back] { scene->removeChild(back, true); };
    dispatchKeyPress("Down", false);
    EXPECT_EQ(log, (Log{"front:Down"}));
    EXPECT_EQ(keypad->delegateCount(), 1u);

    director->replaceScene(CCScene::create());
    frame();
    EXPECT_EQ(keypad->delegateCount(), 0u);
    CCPoolManager::sharedPoolManager()->pop();
    EXPECT_EQ(KeyLayer::s_alive, alive);  // registrations kept no layer alive
}

// A text field stand-in that has the keyboard while it lives.
class TypingField : public CCIMEDelegate {
public:
    TypingField() { attachWithIME(); }
    ~TypingField() override { detachWithIME(); }
    bool canAttachWithIME() override { return true; }
    bool canDetachWithIME() override { return true; }
    void insertText(const char* text, int len) override { typed.append(text, static_cast<std::size_t>(len)); }
    void deleteBackward() override { typed += "<"; }
    std::string typed;
};

TEST_F(KeypadTest, ATextFieldWithTheKeyboardKeepsEveryKey) {
    KeyLayer* layer = KeyLayer::create(log, "layer");
    stage({layer});
    {
        TypingField field;
        ASSERT_TRUE(CCIMEDispatcher::sharedDispatcher()->hasAttachedDelegate());
        EXPECT_TRUE(dispatchKeyPress("Backspace", false));
        EXPECT_TRUE(dispatchKeyPress("Return", false));
        EXPECT_TRUE(dispatchKeyPress("Left", false));  // moves nothing on the page behind
        dispatchKeyRelease("Left");
        EXPECT_EQ(field.typed, "<\n");
        EXPECT_TRUE(log.empty());
    }
    dispatchKeyPress("Return", false);
    EXPECT_EQ(log, (Log{"layer:Return"}));
}

}  // namespace
}  // namespace lirava
