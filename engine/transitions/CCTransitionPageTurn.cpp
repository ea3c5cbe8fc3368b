#include "engine/transitions/CCTransitionPageTurn.h"

#include <algorithm>
#include <cmath>

#include "engine/platform/CCDirector.h"

namespace lirava {

namespace {
// Mesh resolution: enough cells across the fold for a smooth bend, few enough triangles for
// the software renderer.
constexpr int kColumns = 32;
constexpr int kRows = 24;
// The shadow on the page below: its width as a share of the page width and its darkest alpha.
constexpr float kShadowShare = 0.08f;
constexpr float kShadowAlpha = 110.0f;
constexpr int kShadowPieces = 8;
// The colour of the back of a page.
constexpr ccColor3B kPaper = {250, 246, 236};
}  // namespace

CCTransitionPageTurn* CCTransitionPageTurn::create(float duration, CCScene* scene, bool backwards) {
    CCTransitionPageTurn* transition = new CCTransitionPageTurn();
    if (transition->initWithDuration(duration, scene, backwards)) {
        transition->autorelease();
        return transition;
    }
    delete transition;
    return nullptr;
}

bool CCTransitionPageTurn::initWithDuration(float duration, CCScene* scene, bool backwards) {
    // sceneOrder (called by the base) needs the direction.
    m_backwards = backwards;
    if (!CCTransitionScene::initWithDuration(duration, scene)) {
        return false;
    }
    CCSize size = CCDirector::sharedDirector()->getWinSize();
    if (size.width <= 0.0f || size.height <= 0.0f) {
        size = CCSize(640.0f, 960.0f);
    }
    m_mesh = std::make_unique<PageCurlMesh>(size.width, size.height, kColumns, kRows);
    updateProgress(0.0f);
    return true;
}

CCTransitionPageTurn::~CCTransitionPageTurn() = default;

void CCTransitionPageTurn::sceneOrder() {
    m_isInSceneOnTop = m_backwards;
}

void CCTransitionPageTurn::updateProgress(float progress) {
    // Backwards, the in page runs the forward curl in reverse: from turned away to flat.
    if (m_mesh) {
        m_mesh->setProgress(m_backwards ? 1.0f - progress : progress);
    }
}

void CCTransitionPageTurn::drawShadow(Renderer& renderer) {
    const CCPoint n = m_mesh->axisNormal();
    const float height = m_mesh->height();
    const float inner = m_mesh->axisOffset() + m_mesh->radius();
    const float outer = inner + kShadowShare * m_mesh->width();
    // Fades as the curl leaves, so that no stripe is left at the edge in the last frames.
    const float fade = 1.0f - m_mesh->getProgress();
    const auto alpha = static_cast<std::uint8_t>(std::lround(kShadowAlpha * fade));
    const ccColor4B dark = ccc4(0, 0, 0, alpha);
    const ccColor4B clear = ccc4(0, 0, 0, 0);
    // The band between the two lines along the axis, cut into short pieces down the page: a
    // software rasteriser walks each triangle's bounding box, which stays small this way.
    auto xOn = [&n](float along, float y) { return (along - n.y * y) / n.x; };
    for (int i = 0; i < kShadowPieces; ++i) {
        const float y0 = height * static_cast<float>(i) / kShadowPieces;
        const float y1 = height * static_cast<float>(i + 1) / kShadowPieces;
        const Vertex quad[4] = {
            {xOn(inner, y0), y0, dark, 0.0f, 0.0f},
            {xOn(outer, y0), y0, clear, 0.0f, 0.0f},
            {xOn(inner, y1), y1, dark, 0.0f, 0.0f},
            {xOn(outer, y1), y1, clear, 0.0f, 0.0f},
        };
        renderer.drawQuad(0, quad, BlendMode::Alpha);
    }
}

void CCTransitionPageTurn::drawUpright(Renderer& renderer, TextureId page, const CCPoint& bottomLeft,
                                       const CCPoint& topRight) {
    // Texture coordinates of whole pixels, a sixty-fourth of a pixel inside, so that the software
    // renderer takes the quad for a copy of exactly that rectangle of the target, never a
    // rescaled one.
    const CCSize design = renderer.getDesignSize();
    const float pixelsWide = static_cast<float>(renderer.targetWidth());
    const float pixelsHigh = static_cast<float>(renderer.targetHeight());
    auto u = [&](float x) { return std::min(1.0f, (x * pixelsWide / design.width + 1.0f / 64.0f) / pixelsWide); };
    auto v = [&](float y) {
        return std::min(1.0f, ((design.height - y) * pixelsHigh / design.height + 1.0f / 64.0f) / pixelsHigh);
    };
    const ccColor4B white = ccc4(255, 255, 255, 255);
    const Vertex quad[4] = {
        {bottomLeft.x, bottomLeft.y, white, u(bottomLeft.x), v(bottomLeft.y)},
        {topRight.x, bottomLeft.y, white, u(topRight.x), v(bottomLeft.y)},
        {bottomLeft.x, topRight.y, white, u(bottomLeft.x), v(topRight.y)},
        {topRight.x, topRight.y, white, u(topRight.x), v(topRight.y)},
    };
    renderer.drawQuad(page, quad, BlendMode::None);
}

void CCTransitionPageTurn::drawPageBelow(Renderer& renderer, CCScene* below, const CCAffineTransform& nodeToWorld) {
    if (!below->isVisible()) {
        return;
    }
    // The page below is mostly still too: copied from its target, it is one upright copy of the
    // uncovered part, where its own drawing is every image and label of the page again.
    const TextureId page = m_pageBelow.take(renderer, below, nodeToWorld);
    if (!page) {
        below->visit(renderer, nodeToWorld);
        return;
    }
    const CCSize design = renderer.getDesignSize();
    const ccColor4B white = ccc4(255, 255, 255, 255);
    const Vertex quad[4] = {
        {0.0f, 0.0f, white, 0.0f, 1.0f},
        {design.width, 0.0f, white, 1.0f, 1.0f},
        {0.0f, design.height, white, 0.0f, 0.0f},
        {design.width, design.height, white, 1.0f, 0.0f},
    };
    renderer.drawQuad(page, quad, BlendMode::None);
}

void CCTransitionPageTurn::draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) {
    if (m_finished) {
        m_inScene->visit(renderer, nodeToWorld);
        return;
    }
    CCScene* below = m_backwards ? m_outScene : m_inScene;
    CCScene* curled = m_backwards ? m_inScene : m_outScene;

    // The page is the design area; follow it should it differ from the window size we began with.
    const CCSize design = renderer.getDesignSize();
    if (design.width > 0.0f && design.height > 0.0f &&
        (design.width != m_mesh->width() || design.height != m_mesh->height())) {
        const float progress = m_mesh->getProgress();
        m_mesh = std::make_unique<PageCurlMesh>(design.width, design.height, kColumns, kRows);
        m_mesh->setProgress(progress);
    }

    const TextureId page = curled->isVisible() ? m_curledPage.take(renderer, curled, nodeToWorld) : 0;
    if (!page) {
        below->visit(renderer, nodeToWorld);
        return;
    }
    // Left of the flat strip's edge the curled page covers the page below: skip drawing it
    // there (with a little overlap, so that rounding leaves no seam).
    const float flat = m_mesh->flatWidth();
    if (flat < m_mesh->width()) {
        const float left = std::max(0.0f, flat - 2.0f);
        renderer.pushClip(CCRect(left, 0.0f, design.width - left, design.height));
        drawPageBelow(renderer, below, nodeToWorld);
        renderer.popClip();
    }
    drawShadow(renderer);

    // The part of the page that still lies flat left of the fold, row of cells by row of cells:
    // upright copies of the page's own pixels, which the software renderer makes row by row where
    // the same cells as mesh triangles cost it a texel lookup per pixel.
    const auto& points = m_mesh->points();
    const int columns = m_mesh->columns();
    const int rows = m_mesh->rows();
    auto pointAt = [&points, columns](int row, int column) -> const PageCurlMesh::Point& {
        return points[static_cast<std::size_t>(row * (columns + 1) + column)];
    };
    auto lifted = [](const PageCurlMesh::Point& p) { return p.depth != 0.0f || p.shade != 1.0f; };
    m_flatCells.assign(static_cast<std::size_t>(rows), 0);
    for (int row = 0; row < rows; ++row) {
        int flatCells = 0;
        while (flatCells < columns && !lifted(pointAt(row, flatCells + 1)) &&
               !lifted(pointAt(row + 1, flatCells + 1)) && !lifted(pointAt(row, flatCells)) &&
               !lifted(pointAt(row + 1, flatCells))) {
            ++flatCells;
        }
        m_flatCells[static_cast<std::size_t>(row)] = flatCells;
        const CCPoint bottomLeft =
            snapToPixel(CCPointApplyAffineTransform(CCPoint(0.0f, pointAt(row, 0).y), nodeToWorld), renderer);
        const PageCurlMesh::Point& edge = pointAt(row + 1, flatCells);
        const CCPoint topRight =
            snapToPixel(CCPointApplyAffineTransform(CCPoint(edge.x, edge.y), nodeToWorld), renderer);
        if (topRight.x > bottomLeft.x && topRight.y > bottomLeft.y) {
            drawUpright(renderer, page, bottomLeft, topRight);
        }
    }

    // The page's front is its picture; its back, where the paper has turned past upright, is
    // plain paper. Front and back do not overlap among themselves, so the back goes on top.
    const float upright = m_mesh->radius();
    m_vertices.resize(points.size());
    m_backVertices.resize(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto& p = points[i];
        const CCPoint at = snapToPixel(CCPointApplyAffineTransform(CCPoint(p.x, p.y), nodeToWorld), renderer);
        auto tone = [&p](float base) { return static_cast<std::uint8_t>(std::lround(base * p.shade)); };
        m_vertices[i] = Vertex{at.x, at.y, ccc4(tone(255), tone(255), tone(255), 255), p.u, p.v};
        m_backVertices[i] = Vertex{at.x, at.y, ccc4(tone(kPaper.r), tone(kPaper.g), tone(kPaper.b), 255), 0, 0};
    }
    const auto& indices = m_mesh->indices();
    m_frontIndices.clear();
    m_backIndices.clear();
    for (std::size_t t = 0; t + 2 < indices.size(); t += 3) {
        // Both triangles of a cell have the cell's lower left corner as their smallest index.
        const int corner = std::min({indices[t], indices[t + 1], indices[t + 2]});
        if (corner % (columns + 1) < m_flatCells[static_cast<std::size_t>(corner / (columns + 1))]) {
            continue;  // copied upright above
        }
        const bool back = points[static_cast<std::size_t>(indices[t])].depth > upright ||
                          points[static_cast<std::size_t>(indices[t + 1])].depth > upright ||
                          points[static_cast<std::size_t>(indices[t + 2])].depth > upright;
        std::vector<int>& list = back ? m_backIndices : m_frontIndices;
        list.insert(list.end(), indices.begin() + static_cast<long>(t), indices.begin() + static_cast<long>(t + 3));
    }
    if (!m_frontIndices.empty()) {
        renderer.drawTriangles(page, m_vertices.data(), static_cast<int>(m_vertices.size()), m_frontIndices.data(),
                               static_cast<int>(m_frontIndices.size()), BlendMode::None);
    }
    if (!m_backIndices.empty()) {
        renderer.drawTriangles(0, m_backVertices.data(), static_cast<int>(m_backVertices.size()), m_backIndices.data(),
                               static_cast<int>(m_backIndices.size()), BlendMode::None);
    }
}

}  // namespace lirava
