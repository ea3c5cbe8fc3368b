#include "app/reader/SetLayer.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/contents/TestController.h"
#include "app/reader/BookState.h"
#include "app/reader/CaptionLanguages.h"
#include "app/reader/PageLayer.h"
#include "app/reader/TestLayer1.h"
#include "app/shell/BookScene.h"
#include "app/shell/VisibleArea.h"
#include "engine/base/CCAffineTransform.h"
#include "engine/base/CCArray.h"
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

// The row of caption languages.
constexpr unsigned int kLanguageFontSize = 30;
constexpr float kLanguageRowHeight = 40.0f;
constexpr float kLanguageRowGap = 45.0f;
constexpr float kLanguageSpacing = 36.0f;

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
    buildLanguageRow();
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

void SetLayer::buildLanguageRow() {
    std::vector<std::string> tags = book::captionLanguages;
    tags.push_back(captions::kOff);
    m_languageMenu = CCMenu::create();
    for (std::size_t i = 0; i < tags.size(); ++i) {
        const std::string name = captions::displayName(book::captionLanguages, tags[i]);
        CCMenuItemFont* item =
            CCMenuItemFont::create(name.c_str(), this, menu_selector(SetLayer::chooseCaptionLanguage));
        if (!item) {
            continue;
        }
        item->setFontSizeObj(kLanguageFontSize);
        item->setTag(static_cast<int>(i));
        m_languageMenu->addChild(item);
    }
    m_languageMenu->setPosition(CCPointZero);

    // Below the lowest of the reading modes and of OK and Cancel, whose touches it must not take.
    float below = VisibleArea::center().y;
    for (int tag : {SettingManual, SettingRepeatPage, SettingAutoTurn, SettingOk, SettingCancel}) {
        if (UIWidget* button = getButton(tag)) {
            const CCSize size = button->getSize();
            const CCPoint anchor = button->getAnchorPoint();
            const CCRect box = CCRectApplyAffineTransform(
                CCRect(-anchor.x * size.width, -anchor.y * size.height, size.width, size.height),
                button->getContainerNode()->nodeToWorldTransform());
            below = std::min(below, box.getMinY());
        }
    }
    const float y = std::max(VisibleArea::bottom().y + kLanguageRowHeight, below - kLanguageRowGap);

    // The items side by side, centred, each as wide as its name.
    CCArray* items = m_languageMenu->getChildren();
    float total = 0;
    for (unsigned int i = 0; i < items->count(); ++i) {
        total += static_cast<CCNode*>(items->objectAtIndex(i))->getContentSize().width + (i > 0 ? kLanguageSpacing : 0);
    }
    float x = VisibleArea::center().x - total / 2;
    for (unsigned int i = 0; i < items->count(); ++i) {
        CCNode* item = static_cast<CCNode*>(items->objectAtIndex(i));
        const float width = item->getContentSize().width;
        item->setPosition(CCPoint(x + width / 2, y));
        x += width + kLanguageSpacing;
    }
    showChosenLanguage();
    addChild(m_languageMenu, 1);
}

void SetLayer::showChosenLanguage() {
    CCArray* items = m_languageMenu->getChildren();
    const std::vector<std::string>& tags = book::captionLanguages;
    for (unsigned int i = 0; i < items->count(); ++i) {
        CCMenuItemFont* item = static_cast<CCMenuItemFont*>(items->objectAtIndex(i));
        const std::size_t index = static_cast<std::size_t>(item->getTag());
        const std::string tag = index < tags.size() ? tags[index] : std::string(captions::kOff);
        item->setColor(tag == book::captionLanguage ? kSelectedTitle : kNormalTitle);
    }
}

void SetLayer::chooseCaptionLanguage(CCObject* sender) {
    CCNode* item = dynamic_cast<CCNode*>(sender);
    if (!item || m_leaving) {
        return;
    }
    const std::size_t index = static_cast<std::size_t>(item->getTag());
    book::captionLanguage = index < book::captionLanguages.size() ? book::captionLanguages[index] : captions::kOff;
    showChosenLanguage();
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
