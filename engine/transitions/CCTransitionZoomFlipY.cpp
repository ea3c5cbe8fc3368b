#include "engine/transitions/CCTransitionZoomFlipY.h"

#include <algorithm>
#include <cmath>

namespace lirava {

namespace {
constexpr float kPi = 3.14159265358979f;
// Camera distance in page heights: the nearer edge grows, the farther one shrinks.
constexpr float kCameraDistance = 2.0f;
}  // namespace

CCTransitionZoomFlipY* CCTransitionZoomFlipY::create(float duration, CCScene* scene, tOrientation orientation) {
    CCTransitionZoomFlipY* transition = new CCTransitionZoomFlipY();
    if (transition->initWithDuration(duration, scene, orientation)) {
        transition->autorelease();
        return transition;
    }
    delete transition;
    return nullptr;
}

CCTransitionZoomFlipY* CCTransitionZoomFlipY::create(float duration, CCScene* scene, int orientation) {
    return create(duration, scene,
                  orientation == kCCTransitionOrientationDownOver ? kCCTransitionOrientationDownOver
                                                                  : kCCTransitionOrientationUpOver);
}

bool CCTransitionZoomFlipY::initWithDuration(float duration, CCScene* scene, tOrientation orientation) {
    m_orientation = orientation;
    return CCTransitionScene::initWithDuration(duration, scene);
}

CCTransitionZoomFlipY::~CCTransitionZoomFlipY() = default;

void CCTransitionZoomFlipY::draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) {
    if (m_finished) {
        m_inScene->visit(renderer, nodeToWorld);
        return;
    }
    // First half: the out scene turns away to edge-on; second half: the in scene turns back.
    const bool firstHalf = m_progress < 0.5f;
    CCScene* shown = firstHalf ? m_outScene : m_inScene;
    const TextureId target = m_shownScene.take(renderer, shown, nodeToWorld);
    if (!target) {
        shown->visit(renderer, nodeToWorld);
        return;
    }

    const CCSize design = renderer.getDesignSize();
    const float w = design.width;
    const float h = design.height;
    const Vertex backdrop[4] = {
        {0.0f, 0.0f, ccc4(0, 0, 0, 255), 0.0f, 0.0f},
        {w, 0.0f, ccc4(0, 0, 0, 255), 0.0f, 0.0f},
        {0.0f, h, ccc4(0, 0, 0, 255), 0.0f, 0.0f},
        {w, h, ccc4(0, 0, 0, 255), 0.0f, 0.0f},
    };
    renderer.drawQuad(0, backdrop, BlendMode::None);

    // Angle from the screen plane: 0 flat, 90 degrees edge-on at the middle of the transition.
    const float turn = firstHalf ? m_progress * 2.0f : (1.0f - m_progress) * 2.0f;
    const float angle = turn * kPi * 0.5f;
    const float zoom = 1.0f - 0.5f * std::sin(kPi * m_progress);
    // Down over turns the top edge away first; the in scene comes back with its bottom edge
    // leading, as the other side of the same turn.
    const float away = (m_orientation == kCCTransitionOrientationDownOver) == firstHalf ? 1.0f : -1.0f;
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const auto grey = static_cast<std::uint8_t>(std::lround(255.0f * (0.6f + 0.4f * c)));
    const ccColor4B shade = ccc4(grey, grey, grey, 255);

    // The page turns about its horizontal middle line, so each of its rows stays level and keeps
    // one depth: it shows on the screen as a level line, narrowed by the perspective of that
    // depth. Each pixel row of the target is therefore one page row scaled across, found through
    // the exact perspective at the row's centre: one scaled row copy, which the software renderer
    // makes at a fraction of the cost of textured triangles. The page row with page y
    // (cy + t) lies at depth away * t * s and shows at screen y cy + T, where
    // T = t * c * zoom * camera / (camera + away * t * s); solved for t:
    // t = T * camera / (c * zoom * camera - away * s * T).
    const float cx = w * 0.5f;
    const float cy = h * 0.5f;
    const float camera = kCameraDistance * h;
    const int pixelsWide = renderer.targetWidth();
    const int pixelsHigh = renderer.targetHeight();
    const float sx = static_cast<float>(pixelsWide) / w;
    const float sy = static_cast<float>(pixelsHigh) / h;
    // Rows of the target (the same size as the frame) in texture coordinates, a sixty-fourth of
    // a texel below the row's top, and screen edges a sixty-fourth of a pixel inside, so that
    // the renderer takes each quad for a copy of exactly one row onto exactly one pixel row.
    constexpr float kInside = 1.0f / 64.0f;
    m_rows.clear();
    m_indices.clear();
    for (int row = 0; row < pixelsHigh; ++row) {
        const float screenT = h - (static_cast<float>(row) + 0.5f) / sy - cy;
        const float denominator = c * zoom * camera - away * s * screenT;
        if (denominator <= 0.0f) {
            continue;
        }
        const float t = screenT * camera / denominator;
        const float pageY = cy + t;
        if (pageY < 0.0f || pageY > h) {
            continue;  // above or below the page
        }
        const float halfWidth = cx * zoom * camera / (camera + away * t * s);
        const auto left = static_cast<float>(std::lround((cx - halfWidth) * sx));
        const auto right = static_cast<float>(std::lround((cx + halfWidth) * sx));
        if (right <= left) {
            continue;
        }
        const int texel = std::min(static_cast<int>((h - pageY) * sy), pixelsHigh - 1);
        const float v0 = (static_cast<float>(texel) + kInside) / static_cast<float>(pixelsHigh);
        // The bottom row's lower edge may not pass the texture's end: the renderer refuses the whole
        // draw for a coordinate beyond 1.
        const float v1 = std::min(1.0f, (static_cast<float>(texel) + 1.0f + kInside) / static_cast<float>(pixelsHigh));
        const float x0 = (left + kInside) / sx;
        const float x1 = (right + 2.0f * kInside) / sx;
        const float top = h - (static_cast<float>(row) + kInside) / sy;
        const float bottom = h - (static_cast<float>(row) + 1.0f + 2.0f * kInside) / sy;
        const auto first = static_cast<int>(m_rows.size());
        const CCPoint corners[4] = {CCPoint(x0, bottom), CCPoint(x1, bottom), CCPoint(x0, top), CCPoint(x1, top)};
        const float us[4] = {0.0f, 1.0f, 0.0f, 1.0f};
        const float vs[4] = {v1, v1, v0, v0};
        for (int k = 0; k < 4; ++k) {
            const CCPoint at = CCPointApplyAffineTransform(corners[k], nodeToWorld);
            m_rows.push_back(Vertex{at.x, at.y, shade, us[k], vs[k]});
        }
        const int quad[6] = {first, first + 1, first + 2, first + 2, first + 1, first + 3};
        m_indices.insert(m_indices.end(), quad, quad + 6);
    }
    // The turn darkens the page by grey / 255, which the copy multiplies into every texel.
    if (!m_indices.empty()) {
        renderer.drawTriangles(target, m_rows.data(), static_cast<int>(m_rows.size()), m_indices.data(),
                               static_cast<int>(m_indices.size()), BlendMode::None);
    }
}

}  // namespace lirava
