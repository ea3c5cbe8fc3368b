#pragma once

#include <vector>

#include "engine/base/ccTypes.h"
#include "engine/nodes/CCNode.h"
#include "engine/render/Renderer.h"

namespace lirava {

// Draws filled shapes in its own coordinate space: polygons (convex, with an optional
// outline), dots and segments with round ends. Shapes accumulate until clear().
class CCDrawNode : public CCNode {
public:
    static CCDrawNode* create();

    // A convex polygon filled with fillColor. A positive borderWidth adds an outline of that
    // half-width centred on the edges. Fewer than three vertices draw nothing.
    void drawPolygon(const CCPoint* vertices, unsigned int count, const ccColor4F& fillColor, float borderWidth,
                     const ccColor4F& borderColor);
    void drawDot(const CCPoint& position, float radius, const ccColor4F& color);
    // A line of the given half-width (radius) with round ends.
    void drawSegment(const CCPoint& from, const CCPoint& to, float radius, const ccColor4F& color);
    void clear();

    bool isEmpty() const { return m_vertices.empty(); }
    // The rectangle covered by everything drawn so far, in the node's own space; false when
    // nothing was drawn. Clipping nodes use it as their clip.
    bool getDrawnBounds(CCRect& bounds) const;

    void draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) override;

private:
    void addTriangle(const CCPoint& a, const CCPoint& b, const CCPoint& c, const ccColor4B& color);
    void addQuad(const CCPoint& a, const CCPoint& b, const CCPoint& c, const CCPoint& d, const ccColor4B& color);
    void addFan(const CCPoint& centre, float radius, float fromAngle, float toAngle, const ccColor4B& color);

    // Triangles in node space, three vertices each; transformed into design space when drawn.
    std::vector<Vertex> m_vertices;
    std::vector<Vertex> m_scratch;
    std::vector<int> m_indices;
};

}  // namespace lirava
