#pragma once

#include <functional>
#include <string>

#include "app/AppFixture.h"
#include "app/reader/PageLayer.h"
#include "app/reader/SentenceNames.h"
#include "app/reader/TestLayer1.h"
#include "app/shell/BookScene.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/audio/VirtualAudioBackend.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/platform/ScriptDriver.h"
#include "engine/render/Renderer.h"
#include "gui/action/ActionManager.h"
#include "gui/document/DictionaryAccessor.h"
#include "gui/document/UIToolbox.h"
#include "gui/widgets/UIWidget.h"

namespace lirava::test {

// Pages of the sample book on the headless director, with narration on the virtual audio back
// end: a track "plays" for its real length on the frame clock, so timing is exact and repeatable.
class ReaderFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        SimpleAudioEngine::sharedEngine()->selectBackend(AudioBackendKind::Virtual);
        SimpleAudioEngine::sharedEngine()->stopBackgroundMusic();
    }

    void TearDown() override {
        SimpleAudioEngine::sharedEngine()->stopBackgroundMusic();
        AppFixture::TearDown();
        // Pages built off stage never leave a scene, which is what drops these.
        DictionaryAccessor::purge();
        UIToolbox::purgeToolbox();
        ActionManager::destroyInstance();
    }

    // Nothing is drawn from here to the end of the test: the scene graph, timers, transitions
    // and touches run as usual, much faster. The next test's set-up attaches the window again.
    static void withoutDrawing() {
        CCEGLView::sharedOpenGLView()->attachWindow(nullptr);
        Renderer::setCurrent(nullptr);
    }

    // Shows a TestLayer1 page the way the unit page list does, and runs one frame.
    PageLayer* openPage(int page) {
        book::currentPage = page;
        BookScene* scene = new BookScene();
        PageLayer* layer = TestLayer1::createPage();
        scene->addChild(layer);
        layer->release();
        runScene(scene);
        scene->release();
        return runningPage();
    }

    // The page layer of the running scene, or null (also while a transition runs).
    PageLayer* runningPage() const { return runningChild<PageLayer>(); }

    static std::string className(const CCObject* object) { return ScriptDriver::className(object); }

    // Where a widget's anchor point is on the screen.
    static CCPoint screenPoint(UIWidget* widget) {
        CCNode* node = widget->getContainerNode();
        return node->getParent() ? node->getParent()->convertToWorldSpace(node->getPosition()) : node->getPosition();
    }

    void touch(UIWidget* widget) {
        const CCPoint at = screenPoint(widget);
        click(at.x, at.y);
    }

    static std::string music() { return SimpleAudioEngine::sharedEngine()->playingMusicPath(); }

    static std::string narrationOf(int page, int index) {
        return sentence::narrationPath(sentence::narrationName(page, index));
    }

    // Seconds a narration file plays for; negative when it is missing.
    static double trackSeconds(const std::string& path) {
        static VirtualAudioBackend probe;
        return probe.trackDuration(CCFileUtils::sharedFileUtils()->fullPathForFilename(path.c_str()));
    }

    static double now() { return CCDirector::sharedDirector()->getElapsedTime(); }

    // Runs frames until done() holds or the time is up; false when the time ran out.
    bool runUntil(const std::function<bool()>& done, double seconds) {
        const int frames = static_cast<int>(seconds * 60.0) + 1;
        for (int i = 0; i < frames; ++i) {
            if (done()) {
                return true;
            }
            stepFrames(1);
        }
        return done();
    }

    void runSeconds(double seconds) { stepFrames(static_cast<int>(seconds * 60.0 + 0.5)); }
};

}  // namespace lirava::test
