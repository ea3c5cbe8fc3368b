#include "engine/text/TextLayout.h"

#include <algorithm>

#include "engine/render/FontRasterizer.h"
#include "engine/render/Image.h"
#include "engine/text/SafeText.h"
#include "engine/text/UnicodeText.h"

namespace lirava {

namespace {

class LineBreaker {
public:
    LineBreaker(const FontFace& face, int maxWidth, std::size_t maxLines, TextLayout& out)
        : m_face(face), m_maxWidth(maxWidth), m_maxLines(maxLines), m_out(out) {}

    bool full() const { return m_out.lines.size() >= m_maxLines; }

    void emit(std::string text) {
        if (full()) {
            return;
        }
        const int width = m_face.textWidth(text);
        m_out.lines.push_back(TextLayout::Line{std::move(text), width, m_rightToLeft});
    }

    void paragraph(const std::string& text) {
        m_rightToLeft = unicode::startsRightToLeft(text);
        if (m_maxWidth <= 0) {
            emit(text);
            return;
        }
        std::vector<std::size_t> ends = unicode::lineBreakPositions(text);
        ends.push_back(text.size());
        std::string line;
        // Spaces between the line so far and the next word: the paragraph's own indentation
        // first, then the spaces after each word.
        std::string spaces;
        bool firstWord = true;
        std::size_t start = 0;
        for (const std::size_t end : ends) {
            if (full()) {
                break;
            }
            std::size_t wordEnd = end;
            while (wordEnd > start && text[wordEnd - 1] == ' ') {
                --wordEnd;
            }
            std::string word = text.substr(start, wordEnd - start);
            const std::string trailing = text.substr(wordEnd, end - wordEnd);
            start = end;
            if (word.empty()) {
                spaces += trailing;
                continue;
            }
            // A line starts with the paragraph's own indentation, never with the spaces at a wrap.
            const std::string candidate = line + (line.empty() && !firstWord ? std::string() : spaces) + word;
            firstWord = false;
            spaces = trailing;
            if (m_face.textWidth(candidate) <= m_maxWidth) {
                line = candidate;
                continue;
            }
            if (!line.empty()) {
                emit(std::move(line));
                line.clear();
            }
            breakWord(word, line);
        }
        // Trailing spaces stay only while they fit.
        if (!spaces.empty() && m_face.textWidth(line + spaces) <= m_maxWidth) {
            line += spaces;
        }
        emit(std::move(line));
    }

private:
    // Puts a word on fresh lines, cutting it between characters when it is too wide; what is
    // left of it stays in `line`.
    void breakWord(std::string word, std::string& line) {
        while (!word.empty() && !full()) {
            // Only a window of the word can fit on one line; measuring just that keeps very
            // long words linear.
            const std::size_t window = static_cast<std::size_t>(m_maxWidth) * 4 + 16;
            if (word.size() <= window && m_face.textWidth(word) <= m_maxWidth) {
                line = std::move(word);
                return;
            }
            std::size_t cut = m_face.fittingPrefix(word.substr(0, std::min(word.size(), window)), m_maxWidth);
            if (cut == 0) {
                cut = unicode::clusterEnd(word, 0);  // one character (and its marks) per line at the least
            }
            if (cut >= word.size()) {
                line = std::move(word);
                return;
            }
            emit(word.substr(0, cut));
            word.erase(0, cut);
        }
    }

    const FontFace& m_face;
    int m_maxWidth;
    std::size_t m_maxLines;
    TextLayout& m_out;
    bool m_rightToLeft = false;
};

}  // namespace

TextLayout layoutText(const FontFace& face, const std::string& bytes, int maxWidth) {
    TextLayout layout;
    // No text library below sees the bytes as they came.
    const std::string text = text::safeForLayout(bytes);
    if (text.empty()) {
        return layout;
    }
    const int lineHeight = std::max(1, face.lineHeight());
    // Lines past the largest texture could never be seen.
    const std::size_t maxLines = static_cast<std::size_t>(Image::kMaxSide / lineHeight + 1);
    LineBreaker breaker(face, maxWidth, maxLines, layout);
    std::size_t start = 0;
    while (start <= text.size() && !breaker.full()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') {
            --stop;
        }
        breaker.paragraph(text.substr(start, stop - start));
        start = end + 1;
    }
    for (const TextLayout::Line& line : layout.lines) {
        layout.width = std::max(layout.width, line.width);
    }
    layout.height = static_cast<int>(layout.lines.size()) * lineHeight;
    return layout;
}

}  // namespace lirava
