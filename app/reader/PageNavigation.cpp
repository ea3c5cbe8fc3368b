// Moving through the book: the previous and next items, the swipe, and the page curl.

#include "app/reader/BookState.h"
#include "app/reader/PageLayer.h"
#include "app/reader/SentenceNames.h"
#include "app/shell/BookScene.h"
#include "engine/base/CCSet.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCTouch.h"
#include "engine/transitions/CCTransitionPageTurn.h"

namespace lirava {

namespace {

// Horizontal travel, in design units, at which a swipe turns the page.
constexpr float kSwipeDistance = 50.0f;
constexpr float kPageTurnSeconds = 0.5f;

CCTouch* firstTouch(CCSet* touches) {
    return touches ? dynamic_cast<CCTouch*>(touches->anyObject()) : nullptr;
}

}  // namespace

void PageLayer::previousPage(CCObject* sender) {
    turnBy(-1, twinMaker());
}

void PageLayer::nextPage(CCObject* sender) {
    turnBy(+1, twinMaker());
}

bool PageLayer::turnBy(int direction, PageMaker make) {
    if (direction > 0 && book::currentPage >= sentence::kLastPage) {
        return false;
    }
    if (direction < 0 && book::currentPage <= sentence::kFirstPage) {
        return false;
    }
    // This page takes no more swipes: one turn per page.
    setTouchEnabled(false);
    book::currentPage += direction;
    book::turnDirection = direction;
    turnPage(make);
    return true;
}

void PageLayer::ccTouchesBegan(CCSet* touches, CCEvent* event) {
    if (CCTouch* touch = firstTouch(touches)) {
        m_touchStart = touch->getLocation();
    }
}

void PageLayer::ccTouchesMoved(CCSet* touches, CCEvent* event) {
    CCTouch* touch = firstTouch(touches);
    if (!touch) {
        return;
    }
    // Only the horizontal travel counts, and the page turns as soon as it is far enough: the
    // release is not waited for.
    const float x = touch->getLocation().x;
    int direction = 0;
    if (x > m_touchStart.x) {
        if (x - m_touchStart.x >= kSwipeDistance && book::currentPage > sentence::kFirstPage) {
            direction = -1;
        }
    } else if (m_touchStart.x > x) {
        if (m_touchStart.x - x >= kSwipeDistance && book::currentPage < sentence::kLastPage) {
            direction = +1;
        }
    }
    if (direction == 0) {
        return;
    }
    setTouchEnabled(false);
    book::currentPage += direction;
    book::turnDirection = direction;
    m_touchStart.x = x;
    turnPage(twinMaker());
}

void PageLayer::turnPage(PageMaker make) {
    unscheduleAllSelectors();
    book::activeSentence = nullptr;

    BookScene* scene = new BookScene();
    // The new page is built now, before the curl starts: its initialiser stops this page's
    // narration and, in the auto-turn mode, already schedules its own reading.
    PageLayer* page = make ? make() : nullptr;
    if (page) {
        scene->addChild(page);
    }

    CCDirector* director = CCDirector::sharedDirector();
    director->setDepthTest(false);
    CCScene* next = scene;
    if (book::turnDirection == -1) {
        director->setDepthTest(true);
        next = CCTransitionPageTurn::create(kPageTurnSeconds, scene, true);
    } else if (book::turnDirection == 1) {
        director->setDepthTest(true);
        next = CCTransitionPageTurn::create(kPageTurnSeconds, scene, false);
    }
    director->replaceScene(next ? next : scene);
    // The transition and the scene hold them from here on.
    if (page) {
        page->release();
    }
    scene->release();
}

}  // namespace lirava
