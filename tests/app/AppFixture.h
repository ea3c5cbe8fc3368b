#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/contents/ContentsState.h"
#include "app/reader/BookState.h"
#include "engine/base/CCArray.h"
#include "engine/menu/CCMenuItemLabel.h"
#include "engine/nodes/CCScene.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/platform/TouchInput.h"
#include "engine/text/CCLabelTTF.h"
#include "support/HeadlessFixture.h"

namespace lirava::test {

// Runs the reader's screens on the headless director with the book's state as at start-up, and
// touches them the way the mouse does (one frame per touch event).
//
// The resource root is a scratch folder of links to the book's entries: the home screen leaves
// its first-run marker in the resource root, and that must never be the repository's book.
class AppFixture : public HeadlessFixture {
protected:
    void SetUp() override {
        HeadlessFixture::SetUp();
        CCFileUtils::sharedFileUtils()->setResourceRoot(scratchBook());
        book::reset();
        contents::reset();
    }

    void TearDown() override {
        m_touches.cancel();
        HeadlessFixture::TearDown();
        CCFileUtils::sharedFileUtils()->setResourceRoot(LIRAVA_SOURCE_DIR "/book");
        book::reset();
        contents::reset();
    }

    // Made once per process and removed when it ends.
    static const std::string& scratchBook() {
        namespace fs = std::filesystem;
        struct Folder {
            fs::path path = fs::temp_directory_path() / ("lirava-app-tests-" + std::to_string(::getpid()));
            Folder() {
                fs::remove_all(path);
                fs::create_directories(path);
                for (const fs::directory_entry& entry : fs::directory_iterator(LIRAVA_SOURCE_DIR "/book")) {
                    if (entry.path().filename() != "ft.xml") {
                        fs::create_symlink(entry.path(), path / entry.path().filename());
                    }
                }
            }
            ~Folder() {
                std::error_code ignored;
                fs::remove_all(path, ignored);
            }
        };
        static const Folder folder;
        static const std::string root = folder.path.string();
        return root;
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
