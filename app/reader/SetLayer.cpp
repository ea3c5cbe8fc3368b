#include "app/reader/SetLayer.h"

#include <string>

#include "app/contents/TestController.h"
#include "app/reader/BookState.h"
#include "app/reader/PageLayer.h"
#include "app/reader/TestLayer1.h"
#include "app/shell/BookScene.h"
#include "app/shell/VisibleArea.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCLog.h"
#include "engine/base/CCString.h"
#include "engine/menu/CCMenu.h"
#include "engine/menu/CCMenuItemFont.h"
#include "engine/platform/CCDirector.h"
#include "engine/transitions/CCTransitionZoomFlipY.h"
#include "gui/document/CCSGUIReader.h"
#include "gui/document/UIToolbox.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UILayer.h"
#include "gui/widgets/UIRootWidget.h"

namespace lirava {

namespace {

const ccColor3B kSelectedTitle = {44, 5, 247};
const ccColor3B kNormalTitle = {25, 24, 25};
const ccColor3B kBlue = {0, 0, 255};

// The flip back to the page is instant: the screen simply gives way to the page.
constexpr float kReturnSeconds = 0.0f;

void setTitleColor(UIWidget* widget, const ccColor3B& color) {
    // Only buttons have a title; a widget of another class under a button's name still acts.
    if (UIButton* button = dynamic_cast<UIButton*>(widget)) {
        button->setTitleColor(color);
    }
}

std::string homeText() {
    CCDictionary* strings = CCDictionary::createWithContentsOfFile("String.xml");
    const CCString* text = strings ? dynamic_cast<const CCString*>(strings->objectForKey("main_page")) : nullptr;
    return text && text->length() > 0 ? text->str() : "Home";
}

}  // namespace

const char* const SetLayer::kButtonNames[SetLayer::kButtonCount] = {"bnmain", "bnpres", "bnaotopage",
                                                                    "bnaoto", "bnok",   "bncancel"};

SetLayer* SetLayer::createLayer() {
    SetLayer* layer = new SetLayer();
    if (!layer->init()) {
        layer->release();
        return nullptr;
    }
    return layer;
}

SetLayer::SetLayer() = default;

SetLayer::~SetLayer() {
    for (UIWidget* button : m_buttons) {
        if (button && book::selectedSetting == button) {
            book::selectedSetting = nullptr;
        }
    }
}

bool SetLayer::init() {
    if (!CCLayer::init()) {
        return false;
    }
    m_pendingMode = book::readingMode;
    book::selectedSetting = nullptr;

    m_uiLayer = UILayer::create();
    if (!m_uiLayer) {
        return false;
    }
    m_uiLayer->scheduleUpdate();
    addChild(m_uiLayer);

    UIToolbox::sharedToolbox();
    UIWidget* root = CCSGUIReader::sharedReader()->widgetFromFile(kDocument);
    m_root = dynamic_cast<Layout*>(root);
    if (root) {
        m_uiLayer->getRootWidget()->addChild(root);
    }

    findButtons();
    // Whatever the current mode, the screen opens with nothing selected.
    if (!hasWayOut()) {
        offerHomeItem();
    }
    setTouchEnabled(true);
    setKeypadEnabled(true);
    return true;
}

void SetLayer::findButtons() {
    UIWidget* root = m_uiLayer->getRootWidget();
    for (int i = 0; i < kButtonCount; ++i) {
        UIWidget* button = root ? UIToolbox::sharedToolbox()->findWidgetByName(root, kButtonNames[i]) : nullptr;
        m_buttons[i] = button;
        if (!button) {
            continue;
        }
        button->setActionTag(i + 1);
        button->addTouchEventListener(this, toucheventselector(SetLayer::onSettingTouched));
    }
}

UIWidget* SetLayer::getButton(int tag) const {
    return tag >= 1 && tag <= kButtonCount ? m_buttons[tag - 1] : nullptr;
}

bool SetLayer::hasWayOut() const {
    for (int tag : {SettingMain, SettingOk, SettingCancel}) {
        const UIWidget* button = getButton(tag);
        if (button && button->isVisible() && button->isEnabled() && button->isTouchEnabled()) {
            return true;
        }
    }
    return false;
}

void SetLayer::offerHomeItem() {
    CCMenuItemFont* item = CCMenuItemFont::create(homeText().c_str(), this, menu_selector(SetLayer::goHome));
    if (!item) {
        return;
    }
    item->setColor(kBlue);
    item->setPosition(CCPoint(VisibleArea::left().x + 60, VisibleArea::bottom().y + 30));
    m_homeMenu = CCMenu::create(item, nullptr);
    m_homeMenu->setPosition(CCPointZero);
    addChild(m_homeMenu, 1);
}

void SetLayer::onEnter() {
    CCLayer::onEnter();
    CCLog("SetLayer  onEnter");
}

void SetLayer::onEnterTransitionDidFinish() {
    CCLayer::onEnterTransitionDidFinish();
    CCLog("SetLayer 2: onEnterTransitionDidFinish");
}

void SetLayer::onExit() {
    CCLayer::onExit();
    CCLog("SetLayer 2 onExit");
}

void SetLayer::onExitTransitionDidStart() {
    CCLayer::onExitTransitionDidStart();
    CCLog("SetLayer 2: onExitTransitionDidStart");
}

void SetLayer::onSettingTouched(CCObject* sender, WidgetTouchEvent event) {
    // The buttons act at touch-down, and the same touch goes on reporting (moved, ended, or
    // cancelled when the transition takes the stage). Once the screen has been replaced those
    // later reports must not build a second page or a second home screen.
    if (m_leaving) {
        return;
    }
    UIWidget* button = dynamic_cast<UIWidget*>(sender);
    if (!button) {
        return;
    }
    select(button);
    switch (button->getActionTag()) {
        case SettingMain:
            leaveForHome();
            break;
        case SettingManual:
            m_pendingMode = ModeManual;
            break;
        case SettingRepeatPage:
            m_pendingMode = ModeRepeatPage;
            break;
        case SettingAutoTurn:
            m_pendingMode = ModeAutoTurn;
            break;
        case SettingOk:
            book::readingMode = m_pendingMode;
            returnToPage();
            break;
        case SettingCancel:
            returnToPage();
            break;
        default:
            break;
    }
}

void SetLayer::select(UIWidget* button) {
    if (UIWidget* previous = book::selectedSetting) {
        setTitleColor(previous, kNormalTitle);
        previous->setBright(true);
    }
    book::selectedSetting = button;
    button->setBright(false);
    setTitleColor(button, kSelectedTitle);
}

void SetLayer::goHome(CCObject* sender) {
    if (!m_leaving) {
        leaveForHome();
    }
}

void SetLayer::leaveForHome() {
    m_leaving = true;
    CCDirector::sharedDirector()->replaceScene(TestController::createScene());
}

void SetLayer::returnToPage() {
    m_leaving = true;
    book::activeSentence = nullptr;

    BookScene* scene = new BookScene();
    PageLayer* page = TestLayer1::createPage();
    if (page) {
        scene->addChild(page);
    }
    CCDirector* director = CCDirector::sharedDirector();
    director->setDepthTest(false);
    CCScene* transition = CCTransitionZoomFlipY::create(kReturnSeconds, scene, kCCTransitionOrientationDownOver);
    director->replaceScene(transition ? transition : static_cast<CCScene*>(scene));
    // The transition and the scene hold them from here on.
    if (page) {
        page->release();
    }
    scene->release();
}

}  // namespace lirava
