#pragma once

#include <json/json.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>

#include "app/reader/ReaderFixture.h"
#include "app/reader/SetLayer.h"
#include "engine/menu/CCMenu.h"
#include "engine/transitions/CCTransitionZoomFlipY.h"
#include "gui/widgets/UIButton.h"
#include "support/DocumentFolder.h"

namespace lirava::test {

inline bool sameColor(const ccColor3B& a, const ccColor3B& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

inline const ccColor3B kSelectedTitle = {44, 5, 247};
inline const ccColor3B kNormalTitle = {25, 24, 25};

// The settings screen over the sample book, reached from a page the way the page layer opens it.
class SettingsFixture : public ReaderFixture {
protected:
    SetLayer* settings() const { return runningChild<SetLayer>(); }
    CCScene* runningScene() const { return CCDirector::sharedDirector()->getRunningScene(); }
    CCTransitionZoomFlipY* runningFlip() const { return dynamic_cast<CCTransitionZoomFlipY*>(runningScene()); }

    // Opens the page, then the settings screen from it, and waits for the flip to end.
    SetLayer* openSettingsFrom(int page) {
        openPage(page)->showSettings(nullptr);
        runUntil([this] { return settings() != nullptr; }, 1.0);
        return settings();
    }

    UIWidget* button(int tag) const { return settings() ? settings()->getButton(tag) : nullptr; }
    UIButton* textButton(int tag) const { return dynamic_cast<UIButton*>(button(tag)); }

    // The middle of a widget's rectangle on the screen, whatever its anchor.
    static CCPoint middle(UIWidget* widget) {
        const CCPoint anchor = screenPoint(widget);
        const CCSize size = widget->getSize();
        return CCPoint(anchor.x + (0.5f - widget->getAnchorPoint().x) * size.width,
                       anchor.y + (0.5f - widget->getAnchorPoint().y) * size.height);
    }

    void clickButton(int tag) {
        UIWidget* widget = button(tag);
        ASSERT_NE(widget, nullptr) << SetLayer::kButtonNames[tag - 1];
        const CCPoint at = middle(widget);
        click(at.x, at.y);
    }

    // Touch-down only; returns where, for the release.
    CCPoint pressButton(int tag) {
        UIWidget* widget = button(tag);
        EXPECT_NE(widget, nullptr) << SetLayer::kButtonNames[tag - 1];
        const CCPoint at = widget ? middle(widget) : CCPoint();
        press(at.x, at.y);
        return at;
    }

    // The page that "OK" or "Cancel" leads to, once the flip back is over.
    PageLayer* pageAfterReturn() {
        runUntil([this] { return runningPage() != nullptr; }, 0.2);
        return runningPage();
    }
};

// Settings documents with parts missing, beside the rest of the book.
class DamagedSettingsFixture : public SettingsFixture {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        namespace fs = std::filesystem;
        for (const fs::directory_entry& entry : fs::directory_iterator(LIRAVA_SOURCE_DIR "/book")) {
            const std::string name = entry.path().filename().string();
            if (name != "3age" && name != "ft.xml") {
                fs::create_symlink(entry.path(), fs::path(m_book.path()) / name);
            }
        }
        CCFileUtils::sharedFileUtils()->setResourceRoot(m_book.path());
        withoutDrawing();
    }

    // The book's settings document, each widget below the root passed to edit first: edit may
    // change it, and drops it by returning false.
    void writeSettings(const std::function<bool(Json::Value& widget)>& edit) {
        std::ifstream in(LIRAVA_SOURCE_DIR "/book/3age/pageset.json");
        Json::Value document;
        in >> document;
        Json::Value& children = document["widgetTree"]["children"];
        Json::Value kept(Json::arrayValue);
        for (Json::Value& child : children) {
            if (edit(child)) {
                kept.append(child);
            }
        }
        children = kept;
        m_book.write("3age/pageset.json", Json::writeString(Json::StreamWriterBuilder(), document));
    }

    void writeSettingsWithout(const std::set<std::string>& missing) {
        writeSettings([&](Json::Value& widget) { return !missing.count(widget["options"]["name"].asString()); });
    }

    void clickHomeItem() {
        CCMenu* menu = settings()->getHomeMenu();
        ASSERT_NE(menu, nullptr);
        CCNode* item = static_cast<CCNode*>(menu->getChildren()->objectAtIndex(0));
        const CCPoint at = menu->convertToWorldSpace(item->getPosition());
        click(at.x, at.y);
        stepFrames(1);
    }

    DocumentFolder m_book;
};

}  // namespace lirava::test
