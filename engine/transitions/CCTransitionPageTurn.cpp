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

    // Only the curled page needs a texture; the page below is drawn straight into the frame.
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
        below->visit(renderer, nodeToWorld);
        renderer.popClip();
    }
    drawShadow(renderer);

    // The part of the page that still lies flat left of the fold: one upright quad.
    if (flat > 0.0f) {
        const float h = m_mesh->height();
        const float u = flat / m_mesh->width();
        const ccColor4B white = ccc4(255, 255, 255, 255);
        const CCPoint corners[4] = {CCPoint(0, 0), CCPoint(flat, 0), CCPoint(0, h), CCPoint(flat, h)};
        const float us[4] = {0.0f, u, 0.0f, u};
        const float vs[4] = {1.0f, 1.0f, 0.0f, 0.0f};
        Vertex quad[4];
        for (int i = 0; i < 4; ++i) {
            const CCPoint at = snapToPixel(CCPointApplyAffineTransform(corners[i], nodeToWorld), renderer);
            quad[i] = Vertex{at.x, at.y, white, us[i], vs[i]};
        }
        renderer.drawQuad(page, quad, BlendMode::None);
    }

    // The page's front is its picture; its back, where the paper has turned past upright, is
    // plain paper. Front and back do not overlap among themselves, so the back goes on top.
    const auto& points = m_mesh->points();
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
