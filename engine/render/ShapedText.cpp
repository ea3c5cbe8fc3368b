#include "engine/render/ShapedText.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/render/Image.h"
#include "engine/text/UnicodeText.h"
#include "engine/text/Utf8.h"

namespace lirava {

namespace {

// A piece of a line in one font, one script and one direction; begin and end are byte offsets.
struct Run {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t font = 0;  // index into ShapedLine::faces; 0 is the label's own font
    std::uint8_t level = 0;
    std::uint32_t script = 0;

    // The label's own font running left to right keeps its defaults, so such a run is set
    // exactly as the font would set it alone.
    RunStyle style() const {
        if (font == 0 && level % 2 == 0) {
            return RunStyle{};
        }
        return RunStyle{level % 2 == 1, script};
    }
};

// A line cut into runs, in visual order (left to right).
struct ShapedLine {
    std::vector<ShapingFace*> faces;
    std::vector<const FontFile*> files;  // beside faces; the label's own font has none
    std::vector<Run> runs;
    ShapedFace::Coverage coverage;

    ShapingFace& faceOf(const Run& run) const { return *faces[run.font]; }
};

class LineShaper {
public:
    LineShaper(FontRasterizer& fonts, ShapingFace& own, int pixelSize)
        : m_fonts(fonts), m_own(own), m_pixelSize(pixelSize) {}

    // Fonts for every character; with `ordered`, also runs in visual order for a paragraph of
    // the given direction.
    ShapedLine shape(const std::string& utf8, bool rightToLeft, bool ordered) {
        ShapedLine line;
        line.faces.push_back(&m_own);
        line.files.push_back(nullptr);
        std::vector<char32_t> chars;
        std::vector<std::size_t> offsets;
        char32_t c = 0;
        for (std::size_t pos = 0, step = 0; (step = utf8::decodeAt(utf8, pos, c)) != 0; pos += step) {
            chars.push_back(c);
            offsets.push_back(pos);
        }
        offsets.push_back(utf8.size());
        std::vector<std::size_t> fonts(chars.size());
        std::size_t previous = 0;
        bool changesDirection = rightToLeft;
        for (std::size_t i = 0; i < chars.size(); ++i) {
            fonts[i] = previous = fontFor(chars[i], previous, line);
            changesDirection = changesDirection || unicode::changesDirection(chars[i]);
        }
        if (!ordered || chars.empty()) {
            return line;
        }
        const std::vector<std::uint8_t> levels =
            changesDirection ? unicode::bidiLevels(std::u32string(chars.begin(), chars.end()), rightToLeft)
                             : std::vector<std::uint8_t>(chars.size(), 0);
        const std::vector<std::uint32_t> scripts = resolvedScripts(chars);
        for (std::size_t i = 0; i < chars.size(); ++i) {
            Run run{offsets[i], offsets[i + 1], fonts[i], levels[i], scripts[i]};
            if (!line.runs.empty()) {
                Run& last = line.runs.back();
                if (last.font == run.font && last.level == run.level &&
                    (last.script == run.script || (last.style().script == 0 && run.style().script == 0))) {
                    last.end = run.end;
                    continue;
                }
            }
            line.runs.push_back(run);
        }
        reorder(line.runs);
        return line;
    }

private:
    std::size_t fontFor(char32_t c, std::size_t previous, ShapedLine& line) {
        const bool invisible = unicode::isInvisible(c);
        // Marks, joiners, spaces and punctuation stay in the font of the text they stand in.
        const bool follows =
            invisible || unicode::extendsCluster(c) || unicode::takesNeighbourScript(unicode::scriptTag(c));
        if (previous != 0 && follows && (invisible || line.faces[previous]->covers(c))) {
            return previous;
        }
        if (m_own.covers(c)) {
            return 0;
        }
        if (invisible) {
            return previous;
        }
        if (const FontFile* file = m_fonts.fallbackFor(c)) {
            for (std::size_t i = 1; i < line.files.size(); ++i) {
                if (line.files[i] == file) {
                    return i;
                }
            }
            // Faces asked for within one line are never closed under it (see FontRasterizer).
            if (line.files.size() <= FontRasterizer::kMaxFallbackFaces) {
                if (ShapingFace* face = m_fonts.fallbackFace(*file, m_pixelSize)) {
                    line.faces.push_back(face);
                    line.files.push_back(file);
                    return line.faces.size() - 1;
                }
            }
        }
        if (line.coverage.missing++ == 0) {
            line.coverage.firstMissing = c;
        }
        return 0;
    }

    // Characters without a script of their own take the script of the text before them; those
    // at the start take the first script that follows.
    static std::vector<std::uint32_t> resolvedScripts(const std::vector<char32_t>& chars) {
        std::vector<std::uint32_t> scripts(chars.size(), 0);
        std::uint32_t last = 0;
        std::size_t firstOwn = chars.size();
        for (std::size_t i = 0; i < chars.size(); ++i) {
            const std::uint32_t tag = unicode::scriptTag(chars[i]);
            if (!unicode::takesNeighbourScript(tag)) {
                last = tag;
                firstOwn = std::min(firstOwn, i);
            }
            scripts[i] = last;
        }
        for (std::size_t i = 0; i < firstOwn && firstOwn < chars.size(); ++i) {
            scripts[i] = scripts[firstOwn];
        }
        return scripts;
    }

    // From the highest level down to the lowest odd one, every stretch of runs at that level or
    // above turns round.
    static void reorder(std::vector<Run>& runs) {
        std::uint8_t highest = 0;
        std::uint8_t lowestOdd = 255;
        for (const Run& run : runs) {
            highest = std::max(highest, run.level);
            lowestOdd = std::min<std::uint8_t>(lowestOdd, run.level % 2 == 1 ? run.level : run.level + 1);
        }
        for (int level = highest; level >= lowestOdd; --level) {
            for (std::size_t i = 0; i < runs.size();) {
                if (runs[i].level < level) {
                    ++i;
                    continue;
                }
                std::size_t end = i;
                while (end < runs.size() && runs[end].level >= level) {
                    ++end;
                }
                std::reverse(runs.begin() + static_cast<std::ptrdiff_t>(i),
                             runs.begin() + static_cast<std::ptrdiff_t>(end));
                i = end;
            }
        }
    }

    FontRasterizer& m_fonts;
    ShapingFace& m_own;
    int m_pixelSize;
};

// Byte offsets where clusters end, the last one at the end of the text.
std::vector<std::size_t> clusterEnds(const std::string& utf8) {
    std::vector<std::size_t> ends;
    for (std::size_t pos = 0; pos < utf8.size();) {
        pos = unicode::clusterEnd(utf8, pos);
        ends.push_back(pos);
    }
    return ends;
}

// The most whole clusters of a run that fit in maxWidth: from its start, or for a run that is
// drawn right to left from its end (its end is what shows at its left).
std::string visiblePart(const ShapingFace& face, const std::string& text, const RunStyle& style, int maxWidth) {
    const std::vector<std::size_t> ends = clusterEnds(text);
    auto part = [&](std::size_t clusters) {
        if (clusters == 0) {
            return std::string();
        }
        if (!style.rightToLeft) {
            return text.substr(0, ends[clusters - 1]);
        }
        const std::size_t from = ends.size() - clusters;
        return text.substr(from == 0 ? 0 : ends[from - 1]);
    };
    std::size_t low = 0;
    std::size_t high = ends.size();
    while (low < high) {
        const std::size_t middle = (low + high + 1) / 2;
        if (face.runWidth(part(middle), style) <= maxWidth) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return part(low);
}

}  // namespace

ShapedFace::ShapedFace(std::string fontFile, int pixelSize) : m_fontFile(std::move(fontFile)), m_pixelSize(pixelSize) {
    if (const ShapingFace* own = FontRasterizer::shared()->face(m_fontFile, m_pixelSize)) {
        m_lineHeight = std::max(1, own->lineHeight());
        m_ascent = own->ascent();
    }
}

bool ShapedFace::isPlain(const std::string& utf8, const ShapingFace& own) const {
    char32_t c = 0;
    for (std::size_t pos = 0, step = 0; (step = utf8::decodeAt(utf8, pos, c)) != 0; pos += step) {
        if ((!own.covers(c) && !unicode::isInvisible(c)) || unicode::changesDirection(c)) {
            return false;
        }
    }
    return true;
}

int ShapedFace::textWidth(const std::string& utf8) const {
    FontRasterizer* fonts = FontRasterizer::shared();
    ShapingFace* own = fonts->face(m_fontFile, m_pixelSize);
    if (!own) {
        return 0;
    }
    if (isPlain(utf8, *own)) {
        return own->textWidth(utf8);
    }
    const ShapedLine line = LineShaper(*fonts, *own, m_pixelSize).shape(utf8, unicode::startsRightToLeft(utf8), true);
    int width = 0;
    for (const Run& run : line.runs) {
        width += line.faceOf(run).runWidth(utf8.substr(run.begin, run.end - run.begin), run.style());
    }
    return width;
}

std::size_t ShapedFace::fittingPrefix(const std::string& utf8, int maxWidth) const {
    ShapingFace* own = FontRasterizer::shared()->face(m_fontFile, m_pixelSize);
    if (!own || maxWidth <= 0) {
        return 0;
    }
    if (isPlain(utf8, *own)) {
        return own->fittingPrefix(utf8, maxWidth);
    }
    const std::vector<std::size_t> ends = clusterEnds(utf8);
    std::size_t low = 0;
    std::size_t high = ends.size();
    while (low < high) {
        const std::size_t middle = (low + high + 1) / 2;
        if (textWidth(utf8.substr(0, ends[middle - 1])) <= maxWidth) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low == 0 ? 0 : ends[low - 1];
}

void ShapedFace::drawText(const std::string& utf8, Image& target, int x, int y) const {
    drawLine(utf8, unicode::startsRightToLeft(utf8), target, x, y);
}

void ShapedFace::drawLine(const std::string& utf8, bool rightToLeft, Image& target, int x, int y) const {
    FontRasterizer* fonts = FontRasterizer::shared();
    ShapingFace* own = fonts->face(m_fontFile, m_pixelSize);
    if (!own || utf8.empty()) {
        return;
    }
    if (!rightToLeft && isPlain(utf8, *own)) {
        own->drawText(utf8, target, x, y);
        return;
    }
    const ShapedLine line = LineShaper(*fonts, *own, m_pixelSize).shape(utf8, rightToLeft, true);
    int pen = x;
    for (const Run& run : line.runs) {
        if (pen >= target.width()) {
            break;
        }
        const ShapingFace& face = line.faceOf(run);
        const RunStyle style = run.style();
        std::string text = utf8.substr(run.begin, run.end - run.begin);
        const int width = face.runWidth(text, style);
        if (pen + width > 0) {
            // Never ask for a surface wider than what can be seen.
            const int room = target.width() - std::max(0, pen);
            if (width > room) {
                text = visiblePart(face, text, style, room + m_lineHeight);
            }
            face.drawRun(text, style, target, pen, y + own->ascent() - face.ascent());
        }
        pen += width;
    }
}

ShapedFace::LineBox ShapedFace::lineBox(const std::string& utf8) const {
    FontRasterizer* fonts = FontRasterizer::shared();
    ShapingFace* own = fonts->face(m_fontFile, m_pixelSize);
    if (!own || isPlain(utf8, *own)) {
        return LineBox{m_ascent, m_lineHeight};
    }
    const ShapedLine line = LineShaper(*fonts, *own, m_pixelSize).shape(utf8, false, false);
    int ascent = 0;
    int below = 0;
    for (const ShapingFace* face : line.faces) {
        ascent = std::max(ascent, face->ascent());
        below = std::max(below, face->lineHeight() - face->ascent());
    }
    return LineBox{ascent, std::max(m_lineHeight, ascent + below)};
}

ShapedFace::Coverage ShapedFace::coverage(const std::string& utf8) const {
    FontRasterizer* fonts = FontRasterizer::shared();
    ShapingFace* own = fonts->face(m_fontFile, m_pixelSize);
    if (!own || isPlain(utf8, *own)) {
        return Coverage{};
    }
    return LineShaper(*fonts, *own, m_pixelSize).shape(utf8, false, false).coverage;
}

}  // namespace lirava
