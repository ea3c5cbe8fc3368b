#pragma once

#include <string>
#include <vector>

#include "app/reader/WordLabels.h"
#include "engine/nodes/CCLayer.h"
#include "gui/widgets/UIWidget.h"

namespace lirava {

class CCLabelTTF;
class CCLayerColor;
class CCMenu;
class CCMenuItemFont;
class CCMenuItemImage;
class CCString;
class Layout;
class UIButton;
class UILayer;

// What tells the two page layer classes apart. Everything else they share.
struct PageTwin {
    // N in the stage-hook log lines "Scene N onEnter" and so on.
    int sceneNumber;
    int captionZOrder;
    int menuZOrder;
    // The widget layer goes in before the strings are read, instead of after the caption.
    bool addsWidgetLayerFirst;
    // Resuming auto-play on build logs a marker line and clears the layer's timers first.
    bool logsAutoPlayResume;
    // The sentence listener logs a line after placing a caption.
    bool logsPlacedCaption;
};

// One page of the book: the page's widget tree read from its UI document, a caption for the
// sentence being read on a plate beside it, and a menu with previous, play/pause, next and
// home items. Touching a sentence button reads it (highlight, caption, narration); auto-play
// reads the sentences one after another and, by the reading mode, stops, starts the page again
// or turns to the next page. A swipe or the previous/next items turn the page.
//
// Two classes derive from this one, TestLayer1 and TestLayer2; a page turn on either builds a
// page of the other, so the pages on both sides of a page curl are of different classes (the
// one exception is auto-play, see autoPlayTick).
//
// The process-wide book state (app/reader/BookState.h) carries what outlives a page: the page
// number, the reading mode, auto-play and the caption of the newest page.
//
// Made with new and init() (by a twin's createPage): the maker owns the one reference.
class PageLayer : public CCLayer {
public:
    // Allocates and initialises a page for book::currentPage; one reference, or null.
    using PageMaker = PageLayer* (*)();

    ~PageLayer() override;
    bool init() override;

    void onEnter() override;
    void onEnterTransitionDidFinish() override;
    void onExit() override;
    void onExitTransitionDidStart() override;

    // Swipe: a horizontal travel of 50 units or more turns the page while the finger moves.
    void ccTouchesBegan(CCSet* touches, CCEvent* event) override;
    void ccTouchesMoved(CCSet* touches, CCEvent* event) override;

    // Keys, each through the menu item a click would use: Left and Right turn the page, Space
    // plays or pauses while the play item shows, Home and Escape go home. Minus makes the
    // narration slower, plus (or =) faster, on the main keys and the keypad alike.
    bool keyPressed(const std::string& name, bool repeat) override;

    // --- menu callbacks
    void previousPage(CCObject* sender);
    void nextPage(CCObject* sender);
    void togglePlay(CCObject* sender);
    void showMainPage(CCObject* sender);
    // Opens the settings screen (SetLayer) through a 0.5 s zoom flip. The page's timers stop;
    // its narration goes on. The settings item itself stays hidden, so only the driver script's
    // "settings" command calls this.
    void showSettings(CCObject* sender);

    // --- narration
    // Listener of every sentence button, for every touch event it reports.
    void onSentenceTouched(CCObject* sender, WidgetTouchEvent event);
    // Scheduled: one auto-play step (every 0.5 s, 0.2 s to start).
    void autoPlayTick(float elapsed);
    // Scheduled every 0.3 s while a caption shows: hides the caption once the narration ends.
    void watchCaption(float elapsed);
    // Scheduled every frame while a sentence with word timings is read: lights the caption's
    // word that the narration has reached, by the audio engine's own position in the track.
    void followVoice(float elapsed);
    // Whether the caption on show is the narration's own words, so that word timings apply
    // to it (a caption in another language than the voice gets no lit word).
    bool captionReadsAlong() const;
    // Sizes the caption to the button's width and puts it, with its plate, just below the
    // button when the button is in the upper half of the screen, else just above it, always
    // inside the visible width. Does not show them.
    void placeCaption(UIWidget* button, const char* text);

    // --- narration speed
    // One step slower (direction < 0) or faster (> 0) from the next sentence on, then the new
    // speed shows for a moment; at either end the speed stays and shows all the same.
    void changeNarrationSpeed(int direction);
    // Where the speed shows after a change: a small plate with its text, clear of the
    // sentences, the caption and the items. Null until the first change. The caption language
    // shows in it too.
    CCLayerColor* getSpeedBadge() const { return m_speedBadge; }

    // --- caption language
    // The next of the book's caption languages (then no captions, then the first again) from the
    // next sentence on; the badge shows the language's own name. The caption on show and the
    // page stay as they are, but for the hint line, which speaks the new language at once.
    void nextCaptionLanguage();
    // Whether the caption of the sentence being read, or of the next one, is in the narration's
    // language (the book's own table), so that a word lit in time with the voice is a word of
    // the caption. False for a translated caption and with captions off.
    static bool captionInNarrationLanguage();

    // --- parts, for the driver script and tests
    const PageTwin& twin() const { return m_twin; }
    UILayer* getUILayer() const { return m_uiLayer; }
    // Root of the page document when it is a Layout, else null.
    Layout* getPageRoot() const { return m_pageRoot; }
    CCLabelTTF* getCaption() const { return m_caption; }
    UIButton* getPlate() const { return m_plate; }
    CCMenu* getMenu() const { return m_menu; }
    CCMenuItemImage* getPreviousItem() const { return m_previousItem; }
    CCMenuItemImage* getPlayItem() const { return m_playItem; }
    CCMenuItemImage* getNextItem() const { return m_nextItem; }
    CCMenuItemFont* getMainItem() const { return m_mainItem; }
    CCMenuItemFont* getSettingsItem() const { return m_settingsItem; }
    // The sentence buttons found on the page, by index (null where the page has a gap).
    const std::vector<UIWidget*>& getSentenceButtons() const { return m_sentences; }
    const CCPoint& getTouchStart() const { return m_touchStart; }

protected:
    explicit PageLayer(const PageTwin& twin);

    // The page that a turn from this page builds.
    virtual PageMaker twinMaker() const = 0;

private:
    void buildWidgetLayer();
    void buildCaption(const char* text);
    void buildMenu(const char* mainText, const char* settingsText);
    void loadPageDocument();
    void buildPlate();
    void wireSentenceButtons();
    void startOrStopAutoPlay();

    // The three caption cases: no text, a text too long to show, a text placed by the button.
    // Returns true when the text was placed.
    bool showCaptionFor(UIWidget* button, const CCString* text);
    void readSentence(int index);
    // Starts following the voice of the narration just started when its track has sound word
    // timings for the caption on show; otherwise puts out any lit word.
    void startReadAlong(const std::string& narrationName, const CCString* text);
    // Puts the speed badge where it hides nothing the reader needs, as far as it can.
    void placeSpeedBadge();
    // Shows the text in the speed badge for a moment.
    void showBadge(const std::string& text);
    // The page's hint line in the caption language, where the language's table has one.
    void translateHint();

    // One page forwards or backwards (+1 / -1) within the book's bounds, building the page with
    // make; false at the bounds.
    bool turnBy(int direction, PageMaker make);
    void turnPage(PageMaker make);

    // The tick comes back in interval seconds, counted from now.
    void scheduleTick(float interval);

    PageTwin m_twin;
    UILayer* m_uiLayer = nullptr;
    CCPoint m_touchStart;
    Layout* m_pageRoot = nullptr;

    CCLabelTTF* m_caption = nullptr;
    UIButton* m_plate = nullptr;
    CCMenu* m_menu = nullptr;
    CCMenuItemImage* m_previousItem = nullptr;
    CCMenuItemImage* m_playItem = nullptr;
    CCMenuItemImage* m_nextItem = nullptr;
    CCMenuItemFont* m_mainItem = nullptr;
    CCMenuItemFont* m_settingsItem = nullptr;
    CCLayerColor* m_speedBadge = nullptr;
    CCLabelTTF* m_speedText = nullptr;
    // The hint line's text in the page document, once a translation has replaced it.
    std::string m_hintText;
    // Not owning: the widgets live in the page's tree, which this layer owns through m_uiLayer.
    std::vector<UIWidget*> m_sentences;
    // Word timings of the sentence being read, empty when it is read as a whole.
    std::vector<wordlabels::Word> m_wordTimings;
};

}  // namespace lirava
