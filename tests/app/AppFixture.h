#pragma once

#include <string>

#include "app/contents/ContentsState.h"
#include "app/reader/BookState.h"
#include "engine/base/CCArray.h"
#include "engine/menu/CCMenuItemLabel.h"
#include "engine/nodes/CCScene.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/TouchInput.h"
#include "engine/text/CCLabelTTF.h"
#include "support/HeadlessFixture.h"

namespace lirava::test {

// Runs the reader's screens on the headless director with the book's state as at start-up, and
// touches them the way the mouse does (one frame per touch event).
class AppFixture : public HeadlessFixture {
protected:
    void SetUp() override {
        HeadlessFixture::SetUp();
        book::reset();
        contents::reset();
    }

    void TearDown() override {
        m_touches.cancel();
        HeadlessFixture::TearDown();
        book::reset();
        contents::reset();
    }

    void click(float x, float y) {
        m_touches.press(CCPoint(x, y));
        stepFrames(1);
        m_touches.release(CCPoint(x, y));
        stepFrames(1);
    }

    void press(float x, float y) {
        m_touches.press(CCPoint(x, y));
        stepFrames(1);
    }

    void moveTo(float x, float y) {
        m_touches.move(CCPoint(x, y));
        stepFrames(1);
    }

    void release(float x, float y) {
        m_touches.release(CCPoint(x, y));
        stepFrames(1);
    }

    // Text of a label item; empty for other nodes.
    static std::string itemText(CCObject* item) {
        CCMenuItemLabel* labelItem = dynamic_cast<CCMenuItemLabel*>(item);
        CCLabelTTF* label = labelItem ? dynamic_cast<CCLabelTTF*>(labelItem->getLabel()) : nullptr;
        return label ? label->getString() : std::string();
    }

    static CCNode* child(CCNode* parent, unsigned int index) {
        return static_cast<CCNode*>(parent->getChildren()->objectAtIndex(index));
    }

    // The first child of the running scene of class T, or null.
    template <typename T>
    T* runningChild() const {
        CCScene* scene = CCDirector::sharedDirector()->getRunningScene();
        if (!scene) {
            return nullptr;
        }
        CCArray* children = scene->getChildren();
        for (unsigned int i = 0; i < children->count(); ++i) {
            if (T* found = dynamic_cast<T*>(children->objectAtIndex(i))) {
                return found;
            }
        }
        return nullptr;
    }

private:
    TouchInput m_touches;
};

}  // namespace lirava::test
