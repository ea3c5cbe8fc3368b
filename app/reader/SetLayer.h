#pragma once

#include "engine/nodes/CCLayer.h"
#include "gui/widgets/UIWidget.h"

namespace lirava {

class CCMenu;
class Layout;
class UILayer;

namespace book {
// Not owning: the settings button shown as selected, on the settings screen on show. Null when a
// settings screen is built; a settings screen that goes away while it points into its tree sets
// it back to null.
inline UIWidget* selectedSetting = nullptr;
}  // namespace book

// The settings screen: the reader picks a reading mode and confirms it, or goes home. The screen
// is laid out by the document "3age/pageset.json"; six of its buttons are found by name and act
// as soon as they are touched (touch-down, no release needed):
//
//   bnmain      home screen, at once
//   bnpres      pick ModeManual
//   bnaotopage  pick ModeRepeatPage
//   bnaoto      pick ModeAutoTurn
//   bnok        apply the picked mode, then back to the page
//   bncancel    back to the page, the mode unchanged
//
// "Back to the page" builds a new TestLayer1 page of book::currentPage, behind a zero-length
// zoom flip. The last button touched shows its disabled look (the document's disabled image is
// the selected look) and a blue title; the one selected before goes back to normal with a dark
// title.
//
// Below the reading modes the screen draws a row of its own: the book's caption languages, each
// by its own name, and "Off". Touching one chooses it at once, for the next sentence read; the
// chosen one has the blue title.
//
// A missing document or button leaves the rest working. When none of the three ways out
// (bnmain, bnok, bncancel) can be touched, the screen offers a plain home item of its own, so a
// reader is never shut in.
//
// Made with new and init() (or createLayer): the maker owns the one reference.
class SetLayer : public CCLayer {
public:
    // The action tags the buttons get, in the order of their names in kButtonNames.
    enum Setting {
        SettingMain = 1,
        SettingManual = 2,
        SettingRepeatPage = 3,
        SettingAutoTurn = 4,
        SettingOk = 5,
        SettingCancel = 6,
    };
    static constexpr int kButtonCount = 6;
    static constexpr const char* kDocument = "3age/pageset.json";
    // Button names by action tag - 1.
    static const char* const kButtonNames[kButtonCount];

    // A new, initialised settings screen with one reference; null if its initialiser failed.
    static SetLayer* createLayer();

    SetLayer();
    ~SetLayer() override;
    bool init() override;

    void onEnter() override;
    void onEnterTransitionDidFinish() override;
    void onExit() override;
    void onExitTransitionDidStart() override;

    // Listener of the six buttons, for every touch event they report.
    void onSettingTouched(CCObject* sender, WidgetTouchEvent event);
    // Menu callback of the home item offered when the document has no way out.
    void goHome(CCObject* sender);
    // Home and Escape go home the way a touch would: through "bnmain" while it takes touches,
    // else through the home item when the screen offers one; otherwise they do nothing.
    bool keyPressed(const std::string& name, bool repeat) override;

    // --- parts, for the driver script and tests
    int getPendingMode() const { return m_pendingMode; }
    UILayer* getUILayer() const { return m_uiLayer; }
    // Root of the settings document when it is a Layout, else null.
    Layout* getRoot() const { return m_root; }
    // The button with the action tag (1 to 6), or null where the document lacks it.
    UIWidget* getButton(int tag) const;
    // The plain home menu, or null when the document has a way out of its own.
    CCMenu* getHomeMenu() const { return m_homeMenu; }
    // The row of caption languages: one font item per language, then one for "off", in the
    // order of book::captionLanguages.
    CCMenu* getLanguageMenu() const { return m_languageMenu; }
    // Menu callback of the language items.
    void chooseCaptionLanguage(CCObject* sender);
    // True once a button (or the home item) has replaced the scene; the screen then takes no
    // further touches.
    bool isLeaving() const { return m_leaving; }

private:
    void findButtons();
    bool hasWayOut() const;
    void offerHomeItem();
    void buildLanguageRow();
    void showChosenLanguage();
    void select(UIWidget* button);
    void leaveForHome();
    void returnToPage();

    UILayer* m_uiLayer = nullptr;
    int m_pendingMode = 0;
    Layout* m_root = nullptr;

    // Not owning: widgets of the document's tree, which this layer owns through m_uiLayer.
    UIWidget* m_buttons[kButtonCount] = {};
    CCMenu* m_homeMenu = nullptr;  // a child of the layer
    CCMenu* m_languageMenu = nullptr;  // a child of the layer
    bool m_leaving = false;
};

}  // namespace lirava
