#pragma once

#include <string>
#include <vector>

namespace lirava {

class CCLabelTTF;
class UIButton;
class UIWidget;

// Reading modes: what auto-play does when it has read the last sentence of a page.
enum ReadingMode {
    ModeManual = 1,      // nothing; sentences are read by touch, the play item is hidden
    ModeRepeatPage = 2,  // start again at the first sentence
    ModeAutoTurn = 3,    // turn to the next page and keep reading
};

// The state the page layers share. It lives for the whole run, is never saved and is touched
// only on the main thread.
namespace book {

// The page shown or being built (2 to 96). The unit page list sets it before it builds a page;
// afterwards only page changes write it.
inline int currentPage = 0;
// +1 after a forward turn, -1 after a backward one; picks the transition.
inline int turnDirection = 0;
// One of ReadingMode; only the settings layer changes it.
inline int readingMode = ModeAutoTurn;
inline bool autoPlay = false;
// Auto-play's one-tick pause between two sentences.
inline bool pauseBeat = false;
// Highest sentence index found on the page being built.
inline int lastSentence = 0;
// The sentence auto-play reads next.
inline int nextSentence = 0;
// Tempo of the narration, one of kNarrationSpeeds; a change applies from the next sentence.
// The page's - and + keys step it, --speed sets where it starts.
inline float narrationSpeed = 1.0f;
// The caption language: a tag of captionLanguages or "off" (app/reader/CaptionLanguages.h). A
// change applies from the next sentence read. --captions or the environment set where it starts;
// the page's L key and the settings screen change it.
inline std::string captionLanguage = "en";
// The book's caption languages, its own first; read once when the book opens.
inline std::vector<std::string> captionLanguages = {"en"};
// The language of the caption on show: captionLanguage, but the book's own where the chosen
// table lacks the sentence. A page build sets it to captionLanguage.
inline std::string shownCaptionLanguage = "en";

// Not owning. The sentence button being read.
inline UIWidget* activeSentence = nullptr;
// Not owning: the caption and its plate of the most recently built page layer. A page layer
// that is destroyed while these still point at its objects sets them back to null, so nothing
// outlives its owner through them.
inline CCLabelTTF* captionLabel = nullptr;
inline UIButton* captionBackground = nullptr;

// Back to the values at process start (tests).
inline void reset() {
    currentPage = 0;
    turnDirection = 0;
    readingMode = ModeAutoTurn;
    autoPlay = false;
    pauseBeat = false;
    lastSentence = 0;
    nextSentence = 0;
    narrationSpeed = 1.0f;
    captionLanguage = "en";
    captionLanguages = {"en"};
    shownCaptionLanguage = "en";
    activeSentence = nullptr;
    captionLabel = nullptr;
    captionBackground = nullptr;
}

}  // namespace book
}  // namespace lirava
