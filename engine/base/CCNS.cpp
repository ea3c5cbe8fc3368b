#include "engine/base/CCNS.h"

#include <charconv>
#include <cmath>

namespace lirava {

namespace {

class Reader {
public:
    explicit Reader(const std::string& text) : m_p(text.data()), m_end(text.data() + text.size()) {}

    void skipSpaces() {
        while (m_p < m_end && (*m_p == ' ' || *m_p == '\t' || *m_p == '\n' || *m_p == '\r')) {
            ++m_p;
        }
    }
    bool expect(char c) {
        skipSpaces();
        if (m_p < m_end && *m_p == c) {
            ++m_p;
            return true;
        }
        return false;
    }
    bool number(float& out) {
        skipSpaces();
        if (m_p < m_end && *m_p == '+') {
            ++m_p;  // from_chars does not take a plus sign
            if (m_p < m_end && (*m_p == '-' || *m_p == '+')) {
                return false;
            }
        }
        double value = 0.0;
        const std::from_chars_result result = std::from_chars(m_p, m_end, value);
        if (result.ec != std::errc() || result.ptr == m_p) {
            return false;
        }
        m_p = result.ptr;
        const float narrowed = static_cast<float>(value);
        if (!std::isfinite(value) || !std::isfinite(narrowed)) {
            return false;
        }
        out = narrowed;
        return true;
    }
    // "{a,b}"
    bool pair(float& a, float& b) { return expect('{') && number(a) && expect(',') && number(b) && expect('}'); }
    bool atEnd() {
        skipSpaces();
        return m_p == m_end;
    }

private:
    const char* m_p;
    const char* m_end;
};

}  // namespace

bool parsePointString(const std::string& text, CCPoint& out) {
    Reader reader(text);
    float x = 0.0f;
    float y = 0.0f;
    if (!reader.pair(x, y) || !reader.atEnd()) {
        return false;
    }
    out = CCPoint(x, y);
    return true;
}

bool parseSizeString(const std::string& text, CCSize& out) {
    CCPoint point;
    if (!parsePointString(text, point)) {
        return false;
    }
    out = CCSize(point.x, point.y);
    return true;
}

bool parseRectString(const std::string& text, CCRect& out) {
    Reader reader(text);
    float x = 0.0f;
    float y = 0.0f;
    float w = 0.0f;
    float h = 0.0f;
    if (!reader.expect('{') || !reader.pair(x, y) || !reader.expect(',') || !reader.pair(w, h) || !reader.expect('}') ||
        !reader.atEnd()) {
        return false;
    }
    out = CCRect(x, y, w, h);
    return true;
}

CCPoint CCPointFromString(const char* text) {
    CCPoint point;
    if (text) {
        parsePointString(text, point);
    }
    return point;
}

CCSize CCSizeFromString(const char* text) {
    CCSize size;
    if (text) {
        parseSizeString(text, size);
    }
    return size;
}

CCRect CCRectFromString(const char* text) {
    CCRect rect;
    if (text) {
        parseRectString(text, rect);
    }
    return rect;
}

}  // namespace lirava
