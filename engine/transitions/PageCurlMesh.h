#pragma once

#include <vector>

#include "engine/base/CCGeometry.h"

namespace lirava {

// The geometry of a page bent over a cylinder, seen from above.
//
// The page is a w x h rectangle. A straight fold axis, tilted so that the lower right corner
// leads, sweeps from beyond the right edge across the page as the progress goes from 0 to 1.
// Page points beyond the axis wrap round a cylinder lying on the page at the axis, and past
// half a turn lie flat again, face down, on top of the page. At progress 0 the page lies flat;
// at progress 1 all of it has been carried over to the left and nothing of it covers the page
// area any more.
//
// The strip of the page left of the axis's lowest point, [0, flatWidth()] x [0, h], is still
// flat and not part of the mesh: drawn as one upright quad it is far cheaper for a software
// renderer. The mesh, columns x rows cells, covers the rest of the page.
class PageCurlMesh {
public:
    struct Point {
        float x, y;   // projected position in page coordinates
        float u, v;   // texture coordinates (v grows downwards)
        float shade;  // brightness factor 0..1 for the bent and turned-over parts
        float depth;  // height above the page; larger is drawn later
    };

    PageCurlMesh(float width, float height, int columns, int rows);

    void setProgress(float progress);
    float getProgress() const { return m_progress; }

    const std::vector<Point>& points() const { return m_points; }
    // Triangles as indices into points(), ordered back to front.
    const std::vector<int>& indices() const { return m_indices; }
    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    float radius() const { return m_radius; }
    float width() const { return m_width; }
    float flatWidth() const { return m_flatWidth; }
    float height() const { return m_height; }

    // The fold axis: points p with dot(p, axisNormal()) > axisOffset() are lifted.
    CCPoint axisNormal() const { return m_normal; }
    float axisOffset() const { return m_offset; }

private:
    void rebuild();

    float m_width;
    float m_height;
    int m_columns;
    int m_rows;
    float m_radius;
    float m_progress = 0.0f;
    CCPoint m_normal;
    float m_offset = 0.0f;
    float m_flatWidth = 0.0f;
    float m_startOffset = 0.0f;
    float m_endOffset = 0.0f;
    std::vector<Point> m_points;
    std::vector<int> m_indices;
    std::vector<float> m_triangleDepth;
    std::vector<int> m_order;
    std::vector<int> m_sortedIndices;
};

}  // namespace lirava
