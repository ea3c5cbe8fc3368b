// Any bytes as a UI document: read through the document reader into a widget tree, put on a
// widget layer, drawn, touched, drawn again and released. Nothing may crash, hang, touch memory it
// does not own, or leave an engine object behind once the document singletons are gone.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/base/CCAffineTransform.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/nodes/CCScene.h"
#include "engine/nodes/CCSpriteFrameCache.h"
#include "engine/platform/CCTouch.h"
#include "fuzz/FuzzSupport.h"
#include "gui/action/ActionManager.h"
#include "gui/document/CCSGUIReader.h"
#include "gui/document/DictionaryAccessor.h"
#include "gui/document/UIToolbox.h"
#include "gui/widgets/UILayer.h"
#include "gui/widgets/UIRootWidget.h"
#include "gui/widgets/UIWidget.h"

using namespace lirava;

namespace {

void touchAt(UILayer* layer, float x, float y) {
    CCTouch* touch = new CCTouch();
    touch->setTouchInfo(0, CCPoint(x, y));
    if (layer->ccTouchBegan(touch, nullptr)) {
        touch->setTouchInfo(0, CCPoint(x + 30.0f, y - 30.0f));
        layer->ccTouchMoved(touch, nullptr);
        layer->ccTouchEnded(touch, nullptr);
    }
    touch->release();
}

void runOnce(const std::uint8_t* data, std::size_t size, bool checkLeaks) {
    const std::string& root = fuzz::setUpEngine();
    fuzz::CheckingRenderer& renderer = fuzz::checkingRenderer();
    static const std::string document = "english5down/fuzz.json";
    if (!fuzz::writeFile(root + "/" + document, data, size)) {
        return;
    }
    const std::size_t before = fuzz::liveNonTextureObjects();

    CCPoolManager::sharedPoolManager()->push();
    {
        CCScene* scene = CCScene::create();
        UILayer* layer = UILayer::create();
        scene->addChild(layer);
        scene->onEnter();
        if (UIWidget* widget = CCSGUIReader::sharedReader()->widgetFromFile(document.c_str())) {
            layer->getRootWidget()->addChild(widget);
            UIToolbox::sharedToolbox()->findWidgetByName(widget, "bn021");
            scene->visit(renderer, CCAffineTransformMakeIdentity());
            renderer.expectClipsClosed();
            touchAt(layer, 320.0f, 480.0f);
            touchAt(layer, 100.0f, 100.0f);
            scene->visit(renderer, CCAffineTransformMakeIdentity());
            renderer.expectClipsClosed();
        }
        scene->onExit();
        scene->cleanup();
    }
    CCPoolManager::sharedPoolManager()->pop();

    // What a page scene does when it leaves the stage (the toolbox takes the reader with it),
    // plus the frames its sheets added.
    DictionaryAccessor::purge();
    UIToolbox::purgeToolbox();
    ActionManager::destroyInstance();
    CCSpriteFrameCache::sharedSpriteFrameCache()->removeSpriteFrames();
    CCSpriteFrameCache::purgeSharedSpriteFrameCache();
    CCPoolManager::sharedPoolManager()->drainAll();
    if (checkLeaks) {
        fuzz::expectNoObjectLeak(before, "UI document");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::runAfterWarmUp(&runOnce, data, size);
    return 0;
}
