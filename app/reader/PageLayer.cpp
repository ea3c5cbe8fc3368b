#include "app/reader/PageLayer.h"

#include <string>

#include "app/contents/TestController.h"
#include "app/reader/BookState.h"
#include "app/reader/SentenceNames.h"
#include "app/reader/SetLayer.h"
#include "app/shell/BookScene.h"
#include "app/shell/VisibleArea.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCLog.h"
#include "engine/base/CCString.h"
#include "engine/menu/CCMenu.h"
#include "engine/menu/CCMenuItemFont.h"
#include "engine/menu/CCMenuItemImage.h"
#include "engine/nodes/CCSprite.h"
#include "engine/platform/CCDirector.h"
#include "engine/text/CCLabelTTF.h"
#include "engine/transitions/CCTransitionZoomFlipY.h"
#include "gui/document/CCSGUIReader.h"
#include "gui/document/UIToolbox.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UILayer.h"
#include "gui/widgets/UIRootWidget.h"

namespace lirava {

namespace {

constexpr float kCaptionFontSize = 22.0f;
constexpr int kMenuFontSize = 45;
const ccColor3B kBlue = {0, 0, 255};
constexpr float kSettingsFlipSeconds = 0.5f;

// A string table entry, or fallback when the table lacks it. An empty entry counts as missing
// where a label needs text to be touchable at all.
std::string tableText(CCDictionary* table, const char* key, const char* fallback, bool emptyIsMissing) {
    const CCString* text = table ? dynamic_cast<const CCString*>(table->objectForKey(key)) : nullptr;
    if (!text || (emptyIsMissing && text->length() == 0)) {
        return fallback;
    }
    return text->str();
}

void setImage(CCMenuItemImage* item, const char* file) {
    if (item) {
        item->setNormalImage(CCSprite::create(file));
    }
}

}  // namespace

PageLayer::PageLayer(const PageTwin& twin) : m_twin(twin) {}

PageLayer::~PageLayer() {
    // The book state points at the newest page's caption and at the sentence being read; when
    // this page goes, nothing may keep pointing into it.
    if (book::captionLabel == m_caption) {
        book::captionLabel = nullptr;
    }
    if (book::captionBackground == m_plate) {
        book::captionBackground = nullptr;
    }
    for (UIWidget* button : m_sentences) {
        if (button && book::activeSentence == button) {
            book::activeSentence = nullptr;
        }
    }
}

bool PageLayer::init() {
    if (!CCLayer::init()) {
        return false;
    }
    m_touchStart = CCPointZero;

    // The previous page's narration stops when this page is built, not when it shows.
    SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
    audio->setBackgroundMusicVolume(1.0f);
    audio->stopBackgroundMusic();

    m_uiLayer = UILayer::create();
    m_uiLayer->scheduleUpdate();
    if (m_twin.addsWidgetLayerFirst) {
        addChild(m_uiLayer, 0);
    }

    CCDictionary* strings = CCDictionary::createWithContentsOfFile("String.xml");
    // Without these texts the items would have no size and could not be touched: the reader
    // must always be able to get home.
    const std::string settingsText = tableText(strings, "setmenu_set", "Settings", true);
    const std::string mainText = tableText(strings, "main_page", "Home", true);
    const std::string startCaption = tableText(strings, "bntext", "", false);

    buildCaption(startCaption.c_str());
    if (!m_twin.addsWidgetLayerFirst) {
        addChild(m_uiLayer, 0);
    }
    addChild(m_caption, m_twin.captionZOrder);

    buildMenu(mainText.c_str(), settingsText.c_str());
    loadPageDocument();
    translateHint();
    buildPlate();
    wireSentenceButtons();
    book::nextSentence = 1;
    book::shownCaptionLanguage = book::captionLanguage;
    startOrStopAutoPlay();

    book::activeSentence = nullptr;
    setTouchEnabled(true);
    setTouchMode(kCCTouchesAllAtOnce);
    setKeypadEnabled(true);
    return true;
}

void PageLayer::buildCaption(const char* text) {
    m_caption = CCLabelTTF::create(text, "Arial", kCaptionFontSize);
    book::captionLabel = m_caption;
    const float width = VisibleArea::right().x - VisibleArea::left().x;
    m_caption->setDimensions(CCSize(width / 4, 0));
    m_caption->setHorizontalAlignment(kCCTextAlignmentCenter);
    const float height = VisibleArea::top().y - VisibleArea::bottom().y;
    m_caption->setPosition(CCPoint(VisibleArea::center().x, VisibleArea::bottom().y + height / 24));
    m_caption->setColor(kBlue);
}

void PageLayer::buildMenu(const char* mainText, const char* settingsText) {
    m_previousItem =
        CCMenuItemImage::create("Images/up1.png", "Images/up2.png", this, menu_selector(PageLayer::previousPage));
    m_playItem = CCMenuItemImage::create("Images/play_btn.png", "Images/pause_btn.png", this,
                                         menu_selector(PageLayer::togglePlay));
    m_nextItem =
        CCMenuItemImage::create("Images/next1.png", "Images/next2.png", this, menu_selector(PageLayer::nextPage));
    m_mainItem = CCMenuItemFont::create(mainText, this, menu_selector(PageLayer::showMainPage));
    m_settingsItem = CCMenuItemFont::create(settingsText, this, menu_selector(PageLayer::showSettings));
    // The size is set only once both font items exist, so they keep the size in force when they
    // were made; it becomes the default for every font item made afterwards.
    CCMenuItemFont::setFontSize(kMenuFontSize);
    m_mainItem->setColor(kBlue);
    CCMenuItemFont::setFontSize(kMenuFontSize);
    m_settingsItem->setColor(kBlue);

    m_menu = CCMenu::create(m_previousItem, m_playItem, m_nextItem, m_mainItem, m_settingsItem, nullptr);
    m_menu->setPosition(CCPointZero);

    const CCPoint left = VisibleArea::left();
    const CCPoint right = VisibleArea::right();
    const CCPoint bottom = VisibleArea::bottom();
    const CCPoint center = VisibleArea::center();
    const CCSize play = m_playItem ? m_playItem->getContentSize() : CCSizeZero;
    m_settingsItem->setPosition(CCPoint(right.x - 60, bottom.y + 30));
    m_mainItem->setPosition(CCPoint(left.x + 60, bottom.y + 30));
    if (m_previousItem) {
        m_previousItem->setPosition(CCPoint(center.x - play.width / 2, bottom.y + play.height / 2 + 6));
    }
    if (m_playItem) {
        m_playItem->setPosition(CCPoint(right.x - 60, bottom.y + 40));
    }
    if (m_nextItem) {
        m_nextItem->setPosition(CCPoint(center.x + play.width / 2, bottom.y + play.height / 2 + 6));
    }
    addChild(m_menu, m_twin.menuZOrder);

    // Pages never open the settings screen themselves; an invisible item takes no touches.
    m_settingsItem->setVisible(false);
    if (book::readingMode == ModeManual && m_playItem) {
        m_playItem->setVisible(false);
    }
}

void PageLayer::loadPageDocument() {
    UIToolbox::sharedToolbox();
    const std::string document = sentence::pageDocument(book::currentPage);
    UIWidget* root = CCSGUIReader::sharedReader()->widgetFromFile(document.c_str());
    // A page without a document still shows its items, so the reader can turn on or go home.
    m_pageRoot = dynamic_cast<Layout*>(root);
    if (root) {
        m_uiLayer->getRootWidget()->addChild(root);
    }
}

void PageLayer::buildPlate() {
    m_plate = UIButton::create();
    book::captionBackground = m_plate;
    m_plate->setTouchEnabled(false);
    m_plate->setScale9Enabled(true);
    m_plate->loadTextureNormal("Images/bnchback1.png", UI_TEX_TYPE_LOCAL);
    m_plate->loadTexturePressed("Images/bnchback1.png", UI_TEX_TYPE_LOCAL);
    m_plate->loadTextureDisabled("", UI_TEX_TYPE_LOCAL);
    m_plate->setPosition(CCPoint(VisibleArea::center().x, VisibleArea::top().y));
    const float height = m_plate->getRendererSize().height;
    m_plate->setSize(CCSize(150, height * 1.5f));
    m_plate->setVisible(false);
    m_uiLayer->getRootWidget()->addChild(m_plate);
}

void PageLayer::wireSentenceButtons() {
    const int page = book::currentPage;
    UIWidget* root = m_uiLayer->getRootWidget();
    m_sentences.assign(sentence::kLastIndex + 1, nullptr);
    for (int i = sentence::kFirstIndex; i <= sentence::kLastIndex; ++i) {
        UIWidget* button =
            root ? UIToolbox::sharedToolbox()->findWidgetByName(root, sentence::buttonName(page, i).c_str()) : nullptr;
        if (!button) {
            continue;
        }
        // The word-list cards keep their own pictures; every other sentence gets the reader's
        // sentence look. A widget of another class under a sentence name is read all the same
        // but keeps its looks, which only buttons have.
        if (!sentence::isWordPage(page)) {
            if (UIButton* look = dynamic_cast<UIButton*>(button)) {
                look->setOpacity(255);
                look->loadTextureNormal("Images/bnren1.png", UI_TEX_TYPE_LOCAL);
                look->loadTexturePressed("Images/bnren2.png", UI_TEX_TYPE_LOCAL);
            }
        }
        button->addTouchEventListener(this, toucheventselector(PageLayer::onSentenceTouched));
        button->setActionTag(sentence::keyFor(page, i));
        m_sentences[i] = button;
        book::lastSentence = i;
    }
}

void PageLayer::startOrStopAutoPlay() {
    if (book::autoPlay && book::readingMode == ModeAutoTurn) {
        if (m_twin.logsAutoPlayResume) {
            CCLog("---------------------------------0000000000000");
            unscheduleAllSelectors();
        }
        scheduleTick(0.2f);
        setImage(m_playItem, "Images/pause_btn.png");
    } else {
        book::autoPlay = false;
        setImage(m_playItem, "Images/play_btn.png");
        unscheduleAllSelectors();
    }
}

void PageLayer::onEnter() {
    CCLayer::onEnter();
    CCLog("Scene %d onEnter", m_twin.sceneNumber);
}

void PageLayer::onEnterTransitionDidFinish() {
    CCLayer::onEnterTransitionDidFinish();
    CCLog("Scene %d: onEnterTransitionDidFinish", m_twin.sceneNumber);
}

void PageLayer::onExit() {
    CCLayer::onExit();
    CCLog("Scene %d onExit", m_twin.sceneNumber);
}

void PageLayer::onExitTransitionDidStart() {
    CCLayer::onExitTransitionDidStart();
    CCLog("Scene %d: onExitTransitionDidStart", m_twin.sceneNumber);
}

void PageLayer::showMainPage(CCObject* sender) {
    unscheduleAllSelectors();
    CCDirector::sharedDirector()->replaceScene(TestController::createScene());
}

void PageLayer::showSettings(CCObject* sender) {
    // The page's timers stop, its narration does not: a sentence being read goes on through the
    // flip and on the settings screen.
    unscheduleAllSelectors();
    BookScene* scene = new BookScene();
    SetLayer* settings = SetLayer::createLayer();
    if (settings) {
        scene->addChild(settings);
    }
    CCDirector* director = CCDirector::sharedDirector();
    director->setDepthTest(false);
    CCScene* transition = CCTransitionZoomFlipY::create(kSettingsFlipSeconds, scene, kCCTransitionOrientationDownOver);
    director->replaceScene(transition ? transition : static_cast<CCScene*>(scene));
    // The transition and the scene hold them from here on.
    if (settings) {
        settings->release();
    }
    scene->release();
}

}  // namespace lirava
