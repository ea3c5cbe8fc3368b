#include "engine/transitions/CCTransitionZoomFlipY.h"

#include <algorithm>
#include <cmath>

namespace lirava {

namespace {
constexpr float kPi = 3.14159265358979f;
// A grid fine enough that the affine mapping of each triangle hides the perspective.
constexpr int kColumns = 6;
constexpr int kRows = 12;
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
    const float cx = w * 0.5f;
    const float cy = h * 0.5f;
    const float camera = kCameraDistance * h;
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const auto grey = static_cast<std::uint8_t>(std::lround(255.0f * (0.6f + 0.4f * c)));

    Vertex vertices[(kColumns + 1) * (kRows + 1)];
    int indices[kColumns * kRows * 6];
    for (int row = 0; row <= kRows; ++row) {
        const float y = h * static_cast<float>(row) / kRows;
        const float depth = away * (y - cy) * s;  // positive: further from the viewer
        const float perspective = camera / (camera + depth);
        for (int column = 0; column <= kColumns; ++column) {
            const float x = w * static_cast<float>(column) / kColumns;
            const CCPoint at = snapToPixel(
                CCPointApplyAffineTransform(
                    CCPoint(cx + (x - cx) * perspective * zoom, cy + (y - cy) * c * perspective * zoom), nodeToWorld),
                renderer);
            vertices[row * (kColumns + 1) + column] = Vertex{at.x, at.y, ccc4(255, 255, 255, 255), x / w, 1.0f - y / h};
        }
    }
    int k = 0;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const int bl = row * (kColumns + 1) + column;
            const int tl = bl + kColumns + 1;
            const int quad[6] = {bl, bl + 1, tl, tl, bl + 1, tl + 1};
            std::copy(quad, quad + 6, indices + k);
            k += 6;
        }
    }
    const int vertexCount = (kColumns + 1) * (kRows + 1);
    renderer.drawTriangles(target, vertices, vertexCount, indices, k, BlendMode::None);
    // The turn darkens the page by grey / 255: grey multiplied over the copied page gives every
    // pixel what shading its texel would (p * grey / 255), at a fraction of the software
    // renderer's cost for shaded texels.
    if (grey < 255) {
        for (Vertex& vertex : vertices) {
            vertex.color = ccc4(grey, grey, grey, 255);
        }
        renderer.drawTriangles(0, vertices, vertexCount, indices, k, BlendMode::Multiply);
    }
}

}  // namespace lirava
