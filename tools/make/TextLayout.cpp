#include "tools/make/TextLayout.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <sstream>

namespace lirava::make {
namespace {

int widthOf(TTF_Font* font, const std::string& text) {
    int w = 0;
    int h = 0;
    TTF_SizeUTF8(font, text.c_str(), &w, &h);
    return w;
}

std::vector<std::string> wrap(TTF_Font* font, const std::string& text, int maxWidth) {
    std::istringstream words(text);
    std::vector<std::string> lines;
    std::string current;
    std::string word;
    while (words >> word) {
        const std::string trial = current.empty() ? word : current + " " + word;
        if (!current.empty() && widthOf(font, trial) > maxWidth) {
            lines.push_back(current);
            current = word;
        } else {
            current = trial;
        }
    }
    if (!current.empty()) {
        lines.push_back(current);
    }
    return lines;
}

}  // namespace

TextLayout layOutText(TTF_Font* font, const std::vector<std::string>& sentences) {
    TextLayout layout;
    const int fontHeight = TTF_FontHeight(font);
    const int lineHeight = TTF_FontLineSkip(font);
    const int gap = fontHeight / 4;
    const int maxWidth = kPageWidth - 2 * kPanelMargin - 2 * kPanelPaddingX;
    const int centre = kPageWidth / 2;

    int y = kTopBand + kPanelPaddingY;
    for (std::size_t s = 0; s < sentences.size(); ++s) {
        if (s > 0) {
            y += gap;
        }
        Box box{kPageWidth, y, 0, y};
        bool tooWide = false;
        for (const std::string& text : wrap(font, sentences[s], maxWidth)) {
            const int w = widthOf(font, text);
            tooWide = tooWide || w > maxWidth;
            const int x = centre - w / 2;
            layout.lines.push_back({x, y, text});
            box.x0 = std::min(box.x0, x);
            box.x1 = std::max(box.x1, x + w);
            box.y1 = y + fontHeight;
            y += lineHeight;
        }
        y = box.y1;
        layout.sentences.push_back(box);
        const int stageTop = y + kPanelPaddingY + kPanelPaddingY;
        if (!tooWide && layout.fitting == static_cast<int>(s) &&
            kPageHeight - kReservedBottom - stageTop >= kMinimumStage) {
            layout.fitting = static_cast<int>(s) + 1;
        }
    }
    layout.panel = {kPanelMargin, kTopBand, kPageWidth - kPanelMargin, y + kPanelPaddingY};
    layout.stage = {kPanelMargin, layout.panel.y1 + kPanelPaddingY, kPageWidth - kPanelMargin,
                    kPageHeight - kReservedBottom};
    return layout;
}

}  // namespace lirava::make
