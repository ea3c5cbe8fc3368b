#pragma once

#include <string>
#include <vector>

typedef struct _TTF_Font TTF_Font;

namespace lirava::make {

// A rectangle in page pixels (640 x 960, y down); x1 and y1 are one past the edge.
struct Box {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    int width() const { return x1 - x0; }
    int height() const { return y1 - y0; }
};

// Where a page's sentences go: a panel across the top of the page, each sentence starting on a
// line of its own and wrapped to the panel, the lines centred; the picture takes the stage below
// the panel, above the reader's own controls.
struct TextLayout {
    struct Line {
        int x = 0;  // left edge of the line's text
        int y = 0;  // top of the line's text
        std::string text;
    };
    Box panel;
    Box stage;
    std::vector<Line> lines;
    // The ink box of each sentence's text: the union of its lines, as wide and tall as the text.
    std::vector<Box> sentences;
    // How many of the sentences, from the first, leave the picture its minimum stage.
    int fitting = 0;
    bool fits() const { return fitting == static_cast<int>(sentences.size()); }
};

constexpr int kPageWidth = 640;
constexpr int kPageHeight = 960;
// The page layer puts its previous, play and next items over the bottom of the page.
constexpr int kReservedBottom = 100;
// Left free at the top for the page number.
constexpr int kTopBand = 44;
constexpr int kPanelMargin = 24;
constexpr int kPanelPaddingX = 24;
constexpr int kPanelPaddingY = 14;
// Below this the picture would be too small to be the page's picture.
constexpr int kMinimumStage = 200;

TextLayout layOutText(TTF_Font* font, const std::vector<std::string>& sentences);

}  // namespace lirava::make
