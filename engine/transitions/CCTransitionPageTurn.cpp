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

CCTransitionPageTurn::~CCTransitionPageTurn() {
    releaseTargets();
}

void CCTransitionPageTurn::releaseTargets() {
    // Only the renderer that made the target can free it; one that is gone freed it already.
    if (m_pageTarget && m_targetOwner && Renderer::current() == m_targetOwner) {
        m_targetOwner->destroyTexture(m_pageTarget);
    }
    m_pageTarget = 0;
    m_targetOwner = nullptr;
}

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
    const CCPoint along(-n.y, n.x);
    const CCSize design = renderer.getDesignSize();
    const float length = design.width + design.height;
    const float inner = m_mesh->axisOffset() + m_mesh->radius();
    const float outer = inner + kShadowShare * design.width;
    // Fades as the curl leaves, so that no stripe is left at the edge in the last frames.
    const float fade = 1.0f - m_mesh->getProgress();
    const auto alpha = static_cast<std::uint8_t>(std::lround(kShadowAlpha * fade));
    const ccColor4B dark = ccc4(0, 0, 0, alpha);
    const ccColor4B clear = ccc4(0, 0, 0, 0);
    const CCPoint a = n * inner - along * length;
    const CCPoint b = n * outer - along * length;
    const CCPoint c = n * inner + along * length;
    const CCPoint d = n * outer + along * length;
    const Vertex quad[4] = {
        {a.x, a.y, dark, 0.0f, 0.0f},
        {b.x, b.y, clear, 0.0f, 0.0f},
        {c.x, c.y, dark, 0.0f, 0.0f},
        {d.x, d.y, clear, 0.0f, 0.0f},
    };
    renderer.drawQuad(0, quad, BlendMode::Alpha);
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
    const int width = renderer.targetWidth();
    const int height = renderer.targetHeight();
    if (m_pageTarget && (m_targetOwner != &renderer || width != m_targetWidth || height != m_targetHeight)) {
        releaseTargets();
    }
    if (!m_pageTarget) {
        m_pageTarget = renderer.createRenderTarget(width, height);
        m_targetOwner = m_pageTarget ? &renderer : nullptr;
        m_targetWidth = width;
        m_targetHeight = height;
    }

    below->visit(renderer, nodeToWorld);
    if (!m_pageTarget || !curled->isVisible()) {
        return;
    }
    renderer.setRenderTarget(m_pageTarget);
    renderer.clear(ccc4(0, 0, 0, 255));
    curled->visit(renderer, nodeToWorld);
    renderer.setRenderTarget(0);

    drawShadow(renderer);
    const auto& points = m_mesh->points();
    m_vertices.resize(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto& p = points[i];
        const CCPoint at = CCPointApplyAffineTransform(CCPoint(p.x, p.y), nodeToWorld);
        const auto grey = static_cast<std::uint8_t>(std::lround(255.0f * p.shade));
        m_vertices[i] = Vertex{at.x, at.y, ccc4(grey, grey, grey, 255), p.u, p.v};
    }
    const auto& indices = m_mesh->indices();
    renderer.drawTriangles(m_pageTarget, m_vertices.data(), static_cast<int>(m_vertices.size()), indices.data(),
                           static_cast<int>(indices.size()), BlendMode::Alpha);
}

}  // namespace lirava
