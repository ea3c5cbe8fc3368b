#include "engine/transitions/PageCurlMesh.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace lirava {

namespace {
constexpr float kPi = 3.14159265358979f;
// The axis leans so that the lower right corner lifts first: its normal points right and a
// little down.
constexpr float kTiltX = 1.0f;
constexpr float kTiltY = -0.25f;
// Radius of the cylinder as a share of the page width.
constexpr float kRadiusShare = 0.1f;
// Brightness where the page stands on edge, and of its turned-over back.
constexpr float kFoldShade = 0.55f;
constexpr float kBackShade = 0.9f;
}  // namespace

PageCurlMesh::PageCurlMesh(float width, float height, int columns, int rows)
    : m_width(std::max(width, 1.0f)),
      m_height(std::max(height, 1.0f)),
      m_columns(std::max(columns, 1)),
      m_rows(std::max(rows, 1)),
      m_radius(kRadiusShare * std::max(width, 1.0f)) {
    const float length = std::sqrt(kTiltX * kTiltX + kTiltY * kTiltY);
    m_normal = CCPoint(kTiltX / length, kTiltY / length);

    const CCPoint corners[4] = {CCPoint(0, 0), CCPoint(m_width, 0), CCPoint(0, m_height), CCPoint(m_width, m_height)};
    float lowest = corners[0].x * m_normal.x + corners[0].y * m_normal.y;
    float highest = lowest;
    for (const CCPoint& corner : corners) {
        const float along = corner.x * m_normal.x + corner.y * m_normal.y;
        lowest = std::min(lowest, along);
        highest = std::max(highest, along);
    }
    // At the start the axis touches the leading corner. At the end everything has wrapped
    // round and lies turned over beyond the trailing corner: a point s past the axis lands
    // at axis + pi r - s, so the axis must stand pi r / 2 behind the trailing corner.
    m_startOffset = highest;
    m_endOffset = lowest - kPi * m_radius * 0.5f - 1.0f;

    const int pointCount = (m_columns + 1) * (m_rows + 1);
    m_points.resize(static_cast<std::size_t>(pointCount));
    const int triangleCount = m_columns * m_rows * 2;
    m_indices.resize(static_cast<std::size_t>(triangleCount) * 3);
    m_triangleDepth.resize(static_cast<std::size_t>(triangleCount));
    m_order.resize(static_cast<std::size_t>(triangleCount));
    rebuild();
}

void PageCurlMesh::setProgress(float progress) {
    m_progress = std::clamp(progress, 0.0f, 1.0f);
    rebuild();
}

void PageCurlMesh::rebuild() {
    m_offset = m_startOffset + (m_endOffset - m_startOffset) * m_progress;
    // With the normal leaning down, the axis is furthest left at the bottom edge.
    m_flatWidth = std::clamp(m_offset / m_normal.x, 0.0f, m_width);
    const float meshWidth = m_width - m_flatWidth;
    const float r = m_radius;
    for (int row = 0; row <= m_rows; ++row) {
        const float y = m_height * static_cast<float>(row) / static_cast<float>(m_rows);
        for (int column = 0; column <= m_columns; ++column) {
            const float x = m_flatWidth + meshWidth * static_cast<float>(column) / static_cast<float>(m_columns);
            Point& p = m_points[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_columns + 1) +
                                static_cast<std::size_t>(column)];
            p.u = x / m_width;
            p.v = 1.0f - y / m_height;
            const float s = x * m_normal.x + y * m_normal.y - m_offset;
            float along = s;  // where the point ends up, measured from the axis along the normal
            p.depth = 0.0f;
            p.shade = 1.0f;
            if (s > 0.0f) {
                if (s <= kPi * r) {
                    const float theta = s / r;
                    along = r * std::sin(theta);
                    p.depth = r * (1.0f - std::cos(theta));
                    // Darkest where the paper stands on edge; the back side brightens as it
                    // comes to face the viewer again.
                    p.shade = theta <= kPi * 0.5f ? 1.0f - (1.0f - kFoldShade) * std::sin(theta)
                                                  : kFoldShade - (kBackShade - kFoldShade) * std::cos(theta);
                } else {
                    along = kPi * r - s;
                    p.depth = 2.0f * r;
                    p.shade = kBackShade;
                }
            }
            p.x = x + (along - s) * m_normal.x;
            p.y = y + (along - s) * m_normal.y;
        }
    }

    // Two triangles a cell; drawn back to front, so the paper nearer the viewer covers the rest.
    std::size_t triangle = 0;
    for (int row = 0; row < m_rows; ++row) {
        for (int column = 0; column < m_columns; ++column) {
            const int bottomLeft = row * (m_columns + 1) + column;
            const int bottomRight = bottomLeft + 1;
            const int topLeft = bottomLeft + m_columns + 1;
            const int topRight = topLeft + 1;
            const int cells[2][3] = {{bottomLeft, bottomRight, topLeft}, {topLeft, bottomRight, topRight}};
            for (const auto& cell : cells) {
                float depth = 0.0f;
                for (int k = 0; k < 3; ++k) {
                    m_indices[triangle * 3 + static_cast<std::size_t>(k)] = cell[k];
                    depth += m_points[static_cast<std::size_t>(cell[k])].depth;
                }
                m_triangleDepth[triangle] = depth;
                ++triangle;
            }
        }
    }
    std::iota(m_order.begin(), m_order.end(), 0);
    std::stable_sort(m_order.begin(), m_order.end(), [this](int a, int b) {
        return m_triangleDepth[static_cast<std::size_t>(a)] < m_triangleDepth[static_cast<std::size_t>(b)];
    });
    // Rewrite the index list in drawing order.
    std::vector<int>& sorted = m_sortedIndices;
    sorted.resize(m_indices.size());
    for (std::size_t i = 0; i < m_order.size(); ++i) {
        const std::size_t from = static_cast<std::size_t>(m_order[i]) * 3;
        sorted[i * 3] = m_indices[from];
        sorted[i * 3 + 1] = m_indices[from + 1];
        sorted[i * 3 + 2] = m_indices[from + 2];
    }
    m_indices.swap(sorted);
}

}  // namespace lirava
