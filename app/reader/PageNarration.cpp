// Reading a page: sentences read by touch or by auto-play, their captions and narration.

#include <cmath>
#include <string>

#include "app/reader/BookState.h"
#include "app/reader/CaptionLanguages.h"
#include "app/reader/PageLayer.h"
#include "app/reader/SentenceNames.h"
#include "app/reader/TestLayer2.h"
#include "app/shell/VisibleArea.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCLog.h"
#include "engine/base/CCString.h"
#include "engine/menu/CCMenuItemSprite.h"
#include "engine/nodes/CCLayerColor.h"
#include "engine/nodes/CCSprite.h"
#include "engine/text/CCLabelTTF.h"
#include "gui/document/UIToolbox.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UILabel.h"
#include "gui/widgets/UILayer.h"
#include "gui/widgets/UIRootWidget.h"

namespace lirava {

namespace {

constexpr float kTickInterval = 0.5f;
constexpr float kStartDelay = 0.2f;
constexpr float kCaptionWatchInterval = 0.3f;
// Captions this long or longer are not shown at all.
constexpr unsigned int kLongestCaption = 1599;

bool musicPlaying() {
    return SimpleAudioEngine::sharedEngine()->isBackgroundMusicPlaying();
}

void playNarration(const std::string& logicalName) {
    SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
    audio->setBackgroundMusicSpeed(book::narrationSpeed);
    audio->playBackgroundMusic(sentence::narrationPath(logicalName).c_str());
}

const CCString* tableEntry(const std::string& file, const std::string& key) {
    CCDictionary* texts = CCDictionary::createWithContentsOfFile(file.c_str());
    return texts ? dynamic_cast<const CCString*>(texts->objectForKey(key)) : nullptr;
}

// The caption texts are read afresh for every sentence, so a changed table (or a language
// chosen since) shows at once. A table in another language that lacks the key leaves the
// sentence to the book's own table.
const CCString* captionText(const std::string& key) {
    const std::string& language = book::captionLanguage;
    book::shownCaptionLanguage = language;
    if (language == captions::kOff) {
        return nullptr;
    }
    if (language != captions::kBookLanguage) {
        if (const CCString* text = tableEntry(captions::tableFile(language), key)) {
            return text;
        }
        book::shownCaptionLanguage = captions::kBookLanguage;
    }
    return tableEntry(captions::tableFile(captions::kBookLanguage), key);
}

void showPlayImage(CCObject* item, const char* file) {
    if (CCMenuItemSprite* sprite = dynamic_cast<CCMenuItemSprite*>(item)) {
        sprite->setNormalImage(CCSprite::create(file));
    }
}

}  // namespace

void PageLayer::onSentenceTouched(CCObject* sender, WidgetTouchEvent event) {
    UIWidget* button = dynamic_cast<UIWidget*>(sender);
    if (!button) {
        return;
    }
    // Every event of a touch arrives here; while its own track plays, the sentence only keeps
    // its highlight, so touching it again does not start it over.
    if (UIWidget* active = book::activeSentence) {
        if (active == button && musicPlaying()) {
            active->setFocused(true);
            return;
        }
        active->setFocused(false);
    }
    book::activeSentence = button;
    button->setFocused(true);

    const int page = book::currentPage;
    const int key = button->getActionTag();
    book::nextSentence = sentence::indexAfterKey(page, key);

    const CCString* text = captionText(sentence::textKeyForKey(page, key));
    if (showCaptionFor(button, text) && m_twin.logsPlacedCaption) {
        CCLog("Scene 1: onEnterTransitionDidFinish");
    }
    // A sentence without a caption is still read aloud.
    const std::string narration = sentence::narrationNameForKey(page, key);
    playNarration(narration);
    startReadAlong(narration, text);
}

bool PageLayer::showCaptionFor(UIWidget* button, const CCString* text) {
    CCLabelTTF* caption = book::captionLabel;
    UIButton* plate = book::captionBackground;
    // With captions off the learner reads the page's own words alone: no caption, no plate, and
    // no watcher to show them again.
    if (book::captionLanguage == captions::kOff) {
        unschedule(schedule_selector(PageLayer::watchCaption));
        if (caption) {
            caption->setString("");
            caption->setVisible(false);
        }
        if (plate) {
            plate->setVisible(false);
        }
        return false;
    }
    if (!text) {
        if (caption) {
            caption->setString("");
        }
        if (plate) {
            plate->setSize(CCSizeZero);
        }
        return false;
    }
    if (text->length() > kLongestCaption) {
        if (caption) {
            caption->setString("");
            caption->setVisible(false);
        }
        if (plate) {
            plate->setVisible(false);
        }
        return false;
    }
    placeCaption(button, text->getCString());
    // Already watching (an earlier sentence) keeps the watcher's rhythm.
    schedule(schedule_selector(PageLayer::watchCaption), kCaptionWatchInterval);
    return true;
}

void PageLayer::placeCaption(UIWidget* button, const char* text) {
    CCLabelTTF* caption = book::captionLabel;
    UIButton* plate = book::captionBackground;
    if (!button || !caption) {
        return;
    }
    const CCPoint position = button->getPosition();
    const float scaleX = std::fabs(button->getScaleX());
    const float scaleY = std::fabs(button->getScaleY());
    const CCSize buttonSize = button->getRendererSize();

    const float width = scaleX * buttonSize.width;
    caption->setDimensions(CCSize(width, 0));
    caption->setString(text);

    const CCPoint left = VisibleArea::left();
    const CCPoint right = VisibleArea::right();
    const CCPoint top = VisibleArea::top();
    const CCPoint bottom = VisibleArea::bottom();
    const CCPoint center = VisibleArea::center();

    // The page's sentence panel sits at the centre of the screen, so the button's position in
    // its parent is an offset from the centre.
    const float half = width / 2;
    const float buttonX = center.x + position.x;
    const float visibleWidth = right.x - left.x;
    float x = buttonX;
    if (half > buttonX) {
        x = half;
    } else if (buttonX > visibleWidth - half) {
        x = visibleWidth - half;
    }

    const float margin = (top.y - bottom.y) / 40;
    const float buttonY = center.y + position.y;
    const float lineHeight = caption->getContentSize().height;
    float labelY = 0;
    float plateY = 0;
    if (buttonY > center.y) {
        // Upper half: below the button. Tall buttons get a little more room.
        if (scaleY < 1.4f) {
            labelY = buttonY - (scaleY * buttonSize.height * 0.5f + lineHeight * 0.5f);
        } else {
            labelY = buttonY - (scaleY * buttonSize.height * 6 / 11 + lineHeight * 0.5f);
        }
        plateY = labelY - margin / 2;
    } else {
        labelY = buttonY + scaleY * buttonSize.height * 0.5f + lineHeight * 3 / 5;
        plateY = labelY + margin / 2;
    }
    caption->setPosition(CCPoint(x, labelY));
    if (plate) {
        plate->setPosition(CCPoint(x, plateY));
        plate->setSize(CCSize(caption->getContentSize().width, lineHeight + margin));
    }
    // A speed badge on show steps aside for the caption's new place.
    if (m_speedBadge && m_speedBadge->isVisible()) {
        placeSpeedBadge();
    }
}

void PageLayer::watchCaption(float elapsed) {
    unschedule(schedule_selector(PageLayer::watchCaption));
    if (musicPlaying()) {
        schedule(schedule_selector(PageLayer::watchCaption), kCaptionWatchInterval);
        if (book::captionBackground) {
            book::captionBackground->setVisible(true);
        }
        if (book::captionLabel) {
            book::captionLabel->setVisible(true);
        }
        return;
    }
    if (book::captionBackground) {
        book::captionBackground->setVisible(false);
        if (book::captionLabel) {
            book::captionLabel->setVisible(false);
        }
    }
}

void PageLayer::scheduleTick(float interval) {
    schedule(schedule_selector(PageLayer::autoPlayTick), interval);
}

void PageLayer::autoPlayTick(float elapsed) {
    // Every path below decides when, if at all, the next tick comes.
    unschedule(schedule_selector(PageLayer::autoPlayTick));
    if (musicPlaying()) {
        scheduleTick(kTickInterval);
        return;
    }
    // One silent tick after every sentence.
    if (book::pauseBeat) {
        book::pauseBeat = false;
        scheduleTick(kTickInterval);
        return;
    }
    if (book::nextSentence > book::lastSentence) {
        book::pauseBeat = true;
        if (book::readingMode == ModeRepeatPage) {
            book::nextSentence = 1;
            scheduleTick(kStartDelay);
        } else if (book::readingMode == ModeAutoTurn) {
            // Auto-play turns the page the way a TestLayer1 page does, whichever twin reads:
            // the next page is a TestLayer2. At the last page nothing turns and auto-play rests.
            turnBy(+1, &TestLayer2::createPage);
        } else {
            scheduleTick(kTickInterval);
        }
        return;
    }
    readSentence(book::nextSentence);
    book::nextSentence += 1;
    book::pauseBeat = true;
    scheduleTick(kTickInterval);
}

void PageLayer::readSentence(int index) {
    const int page = book::currentPage;
    if (book::activeSentence) {
        book::activeSentence->setFocused(false);
        book::activeSentence = nullptr;
    }
    UIWidget* root = m_uiLayer ? m_uiLayer->getRootWidget() : nullptr;
    if (root) {
        book::activeSentence =
            UIToolbox::sharedToolbox()->findWidgetByName(root, sentence::buttonName(page, index).c_str());
        if (book::activeSentence) {
            book::activeSentence->setFocused(true);
        }
    }
    const CCString* text = captionText(sentence::textKey(page, index));
    if (book::activeSentence && book::captionLabel && book::captionBackground) {
        showCaptionFor(book::activeSentence, text);
    }
    // A gap in the page's sentences is still narrated, without highlight or caption.
    const std::string narration = sentence::narrationName(page, index);
    playNarration(narration);
    startReadAlong(narration, book::activeSentence ? text : nullptr);
}

bool PageLayer::captionReadsAlong() const {
    return captionInNarrationLanguage();
}

void PageLayer::startReadAlong(const std::string& narrationName, const CCString* text) {
    unschedule(schedule_selector(PageLayer::followVoice));
    m_wordTimings.clear();
    CCLabelTTF* caption = book::captionLabel;
    if (caption) {
        caption->setLitWord(-1);
    }
    // Only a caption showing exactly this sentence's text follows its voice.
    if (!caption || !text || !musicPlaying() || !captionReadsAlong() || text->str() != caption->getString()) {
        return;
    }
    m_wordTimings = wordlabels::load(sentence::narrationPath(narrationName), text->str());
    if (!m_wordTimings.empty()) {
        schedule(schedule_selector(PageLayer::followVoice), 0.0f);
    }
}

void PageLayer::followVoice(float elapsed) {
    CCLabelTTF* caption = book::captionLabel;
    if (!caption || !musicPlaying()) {
        // The track ended or was stopped: nothing stays lit.
        if (caption) {
            caption->setLitWord(-1);
        }
        m_wordTimings.clear();
        unschedule(schedule_selector(PageLayer::followVoice));
        return;
    }
    const double position = SimpleAudioEngine::sharedEngine()->getBackgroundMusicPosition();
    caption->setLitWord(wordlabels::litWordAt(m_wordTimings, position));
}

void PageLayer::togglePlay(CCObject* sender) {
    if (!sender) {
        return;
    }
    book::autoPlay = !book::autoPlay;
    if (book::autoPlay) {
        // Auto-play goes on after the sentence touched last.
        unschedule(schedule_selector(PageLayer::autoPlayTick));
        scheduleTick(kStartDelay);
        showPlayImage(sender, "Images/pause_btn.png");
    } else {
        SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
        audio->setBackgroundMusicVolume(1.0f);
        audio->stopBackgroundMusic();
        showPlayImage(sender, "Images/play_btn.png");
        unschedule(schedule_selector(PageLayer::autoPlayTick));
    }
}

}  // namespace lirava

namespace lirava {

bool PageLayer::captionInNarrationLanguage() {
    return book::shownCaptionLanguage == captions::kBookLanguage;
}

void PageLayer::nextCaptionLanguage() {
    book::captionLanguage = captions::next(book::captionLanguages, book::captionLanguage);
    showBadge(captions::displayName(book::captionLanguages, book::captionLanguage));
    translateHint();
}

void PageLayer::translateHint() {
    const std::string& language = book::captionLanguage;
    const bool translated = language != captions::kBookLanguage && language != captions::kOff;
    // Until a translation replaces it, the document's own text is the hint in the book's language.
    if (!translated && m_hintText.empty()) {
        return;
    }
    UIWidget* root = m_uiLayer ? m_uiLayer->getRootWidget() : nullptr;
    UILabel* hint = root ? dynamic_cast<UILabel*>(UIToolbox::sharedToolbox()->findWidgetByName(root, "hint")) : nullptr;
    if (!hint) {
        return;
    }
    if (m_hintText.empty()) {
        m_hintText = hint->getStringValue();
    }
    const CCString* text =
        translated ? tableEntry(captions::tableFile(language), sentence::hintKey(book::currentPage)) : nullptr;
    hint->setText(text ? text->getCString() : m_hintText.c_str());
}

}  // namespace lirava
