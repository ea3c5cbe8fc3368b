#pragma once

// Pages of the sample book as the reader shows them: a page layer (TestLayer1) for a page number
// in its page scene, on the headless director with narration on the virtual audio back end.

#include "app/reader/BookState.h"
#include "app/reader/PageLayer.h"
#include "app/reader/TestLayer1.h"
#include "app/shell/BookScene.h"
#include "bench/BenchSupport.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/base/CCAutoreleasePool.h"
#include "gui/action/ActionManager.h"
#include "gui/document/DictionaryAccessor.h"
#include "gui/document/UIToolbox.h"

namespace lirava::bench {

inline CCDirector* readerDirector() {
    CCDirector* director = headlessDirector();
    SimpleAudioEngine::sharedEngine()->selectBackend(AudioBackendKind::Virtual);
    return director;
}

// A page layer for the page, with the one reference the maker owns (null when init fails).
inline PageLayer* buildPage(int page) {
    book::currentPage = page;
    return TestLayer1::createPage();
}

// What a page scene drops when it leaves the stage.
inline void dropDocumentSingletons() {
    DictionaryAccessor::purge();
    UIToolbox::purgeToolbox();
    ActionManager::destroyInstance();
}

// A page scene holding a new page layer, with one reference.
inline CCScene* pageScene(int page) {
    auto* scene = new BookScene();
    if (PageLayer* layer = buildPage(page)) {
        scene->addChild(layer);
        layer->release();
    }
    return scene;
}

// The page layer the running scene holds, or null (also while a transition runs).
inline PageLayer* runningPage(CCDirector* director) {
    CCScene* scene = director->getRunningScene();
    CCArray* children = scene ? scene->getChildren() : nullptr;
    for (unsigned int i = 0; children && i < children->count(); ++i) {
        if (auto* page = dynamic_cast<PageLayer*>(children->objectAtIndex(i))) {
            return page;
        }
    }
    return nullptr;
}

inline void finish() {
    SimpleAudioEngine::sharedEngine()->stopBackgroundMusic();
    CCDirector::purgeDirector();
    dropDocumentSingletons();
    CCPoolManager::sharedPoolManager()->drainAll();
    book::reset();
}

}  // namespace lirava::bench
