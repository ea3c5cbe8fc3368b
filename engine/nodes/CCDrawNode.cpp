#include "engine/nodes/CCDrawNode.h"

#include <algorithm>
#include <cmath>

namespace lirava {

namespace {
constexpr float kPi = 3.14159265358979f;

ccColor4B toBytes(const ccColor4F& c) {
    auto byte = [](float v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
    return ccColor4B{byte(c.r), byte(c.g), byte(c.b), byte(c.a)};
}

// Enough fan segments for a smooth edge at the sizes the program draws, few enough for the
// software renderer.
int segmentsFor(float radius, float sweep) {
    const int full = std::clamp(static_cast<int>(radius * 0.5f), 12, 48);
    return std::max(2, static_cast<int>(std::ceil(full * sweep / (2.0f * kPi))));
}
}  // namespace

CCDrawNode* CCDrawNode::create() {
    CCDrawNode* node = new CCDrawNode();
    if (node->init()) {
        node->autorelease();
        return node;
    }
    delete node;
    return nullptr;
}

void CCDrawNode::addTriangle(const CCPoint& a, const CCPoint& b, const CCPoint& c, const ccColor4B& color) {
    m_vertices.push_back(Vertex{a.x, a.y, color, 0.0f, 0.0f});
    m_vertices.push_back(Vertex{b.x, b.y, color, 0.0f, 0.0f});
    m_vertices.push_back(Vertex{c.x, c.y, color, 0.0f, 0.0f});
}

void CCDrawNode::addQuad(const CCPoint& a, const CCPoint& b, const CCPoint& c, const CCPoint& d,
                         const ccColor4B& color) {
    addTriangle(a, b, c, color);
    addTriangle(a, c, d, color);
}

void CCDrawNode::addFan(const CCPoint& centre, float radius, float fromAngle, float toAngle, const ccColor4B& color) {
    const int segments = segmentsFor(radius, toAngle - fromAngle);
    const float step = (toAngle - fromAngle) / static_cast<float>(segments);
    CCPoint previous(centre.x + radius * std::cos(fromAngle), centre.y + radius * std::sin(fromAngle));
    for (int i = 1; i <= segments; ++i) {
        const float angle = fromAngle + step * static_cast<float>(i);
        const CCPoint next(centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle));
        addTriangle(centre, previous, next, color);
        previous = next;
    }
}

void CCDrawNode::drawPolygon(const CCPoint* vertices, unsigned int count, const ccColor4F& fillColor, float borderWidth,
                             const ccColor4F& borderColor) {
    if (!vertices || count < 3) {
        return;
    }
    const ccColor4B fill = toBytes(fillColor);
    for (unsigned int i = 1; i + 1 < count; ++i) {
        addTriangle(vertices[0], vertices[i], vertices[i + 1], fill);
    }
    if (borderWidth > 0.0f) {
        const ccColor4B border = toBytes(borderColor);
        for (unsigned int i = 0; i < count; ++i) {
            const CCPoint& a = vertices[i];
            const CCPoint& b = vertices[(i + 1) % count];
            const float length = ccpDistance(a, b);
            if (length > 0.0f) {
                const CCPoint normal = CCPoint(a.y - b.y, b.x - a.x) * (borderWidth / length);
                addQuad(a - normal, b - normal, b + normal, a + normal, border);
            }
            // Round joins, so that corners have no notches.
            addFan(a, borderWidth, 0.0f, 2.0f * kPi, border);
        }
    }
}

void CCDrawNode::drawDot(const CCPoint& position, float radius, const ccColor4F& color) {
    if (radius > 0.0f) {
        addFan(position, radius, 0.0f, 2.0f * kPi, toBytes(color));
    }
}

void CCDrawNode::drawSegment(const CCPoint& from, const CCPoint& to, float radius, const ccColor4F& color) {
    if (radius <= 0.0f) {
        return;
    }
    const ccColor4B bytes = toBytes(color);
    const float length = ccpDistance(from, to);
    if (length <= 0.0f) {
        addFan(from, radius, 0.0f, 2.0f * kPi, bytes);
        return;
    }
    const CCPoint normal = CCPoint(from.y - to.y, to.x - from.x) * (radius / length);
    addQuad(from - normal, to - normal, to + normal, from + normal, bytes);
    const float angle = std::atan2(to.y - from.y, to.x - from.x);
    addFan(to, radius, angle - kPi / 2.0f, angle + kPi / 2.0f, bytes);
    addFan(from, radius, angle + kPi / 2.0f, angle + 3.0f * kPi / 2.0f, bytes);
}

void CCDrawNode::clear() {
    m_vertices.clear();
}

bool CCDrawNode::getDrawnBounds(CCRect& bounds) const {
    if (m_vertices.empty()) {
        return false;
    }
    float minX = m_vertices[0].x;
    float maxX = minX;
    float minY = m_vertices[0].y;
    float maxY = minY;
    for (const Vertex& v : m_vertices) {
        minX = std::min(minX, v.x);
        maxX = std::max(maxX, v.x);
        minY = std::min(minY, v.y);
        maxY = std::max(maxY, v.y);
    }
    bounds = CCRect(minX, minY, maxX - minX, maxY - minY);
    return true;
}

void CCDrawNode::draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) {
    if (m_vertices.empty()) {
        return;
    }
    m_scratch.resize(m_vertices.size());
    for (std::size_t i = 0; i < m_vertices.size(); ++i) {
        const CCPoint p = CCPointApplyAffineTransform(CCPoint(m_vertices[i].x, m_vertices[i].y), nodeToWorld);
        m_scratch[i] = m_vertices[i];
        m_scratch[i].x = p.x;
        m_scratch[i].y = p.y;
    }
    if (m_indices.size() != m_vertices.size()) {
        m_indices.resize(m_vertices.size());
        for (std::size_t i = 0; i < m_indices.size(); ++i) {
            m_indices[i] = static_cast<int>(i);
        }
    }
    renderer.drawTriangles(0, m_scratch.data(), static_cast<int>(m_scratch.size()), m_indices.data(),
                           static_cast<int>(m_indices.size()), BlendMode::Alpha);
}

}  // namespace lirava
