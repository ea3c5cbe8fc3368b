#include "gui/widgets/UIDragPanel.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "engine/actions/CCScheduler.h"
#include "engine/nodes/CCNode.h"

namespace lirava {

UIDragPanel* UIDragPanel::create() {
    UIDragPanel* panel = new UIDragPanel();
    if (panel->init()) {
        panel->autorelease();
        return panel;
    }
    delete panel;
    return nullptr;
}

UIDragPanel::UIDragPanel() = default;

UIDragPanel::~UIDragPanel() {
    UIDragPanel::releaseResources();
}

bool UIDragPanel::init() {
    if (!InnerContainerLayout::init()) {
        return false;
    }
    setTouchEnabled(true);
    return true;
}

const char* UIDragPanel::getTypeName() const {
    return "DragPanel";
}

void UIDragPanel::releaseResources() {
    m_glideRunning = false;
    m_glideTarget = nullptr;
    InnerContainerLayout::releaseResources();
}

void UIDragPanel::handleSizeChange() {
    InnerContainerLayout::handleSizeChange();
    if (m_innerContainer) {
        const CCSize& inner = m_innerContainer->getSize();
        m_innerContainer->setSize(CCSize(std::max(inner.width, m_size.width), std::max(inner.height, m_size.height)));
    }
}

// --- geometry

UIDragPanel::Edges UIDragPanel::contentEdges() {
    if (!m_innerContainer) {
        return Edges{0.0f, m_size.width, 0.0f, m_size.height};
    }
    return Edges{m_innerContainer->getLeftInParent(), m_innerContainer->getRightInParent(),
                 m_innerContainer->getBottomInParent(), m_innerContainer->getTopInParent()};
}

bool UIDragPanel::hasGap() {
    const Edges e = contentEdges();
    return e.left > 0.0f || e.right < m_size.width || e.bottom > 0.0f || e.top < m_size.height;
}

CCPoint UIDragPanel::clampDelta(const CCPoint& delta) {
    const Edges e = contentEdges();
    CCPoint clamped = delta;
    bool horizontalClamped = true;
    if (e.left + clamped.x > 0.0f) {
        clamped.x = -e.left;
    } else if (e.right + clamped.x < m_size.width) {
        clamped.x = m_size.width - e.right;
    } else {
        horizontalClamped = false;
    }
    const bool bottomOpens = e.bottom + clamped.y > 0.0f;
    const bool topOpens = e.top + clamped.y < m_size.height;
    if (horizontalClamped) {
        if (bottomOpens) {
            clamped.y = -e.bottom;
        } else if (topOpens) {
            clamped.y = m_size.height - e.top;
        }
    } else {
        if (topOpens) {
            clamped.y = m_size.height - e.top;
        } else if (bottomOpens) {
            clamped.y = -e.bottom;
        }
    }
    return clamped;
}

void UIDragPanel::moveContent(const CCPoint& delta) {
    if (m_innerContainer) {
        m_innerContainer->setPosition(m_innerContainer->getPosition() + delta);
    }
}

// --- touches

void UIDragPanel::handlePress(const CCPoint& point) {
    const CCSize& inner = getInnerSize();
    if (m_size.width >= inner.width && m_size.height >= inner.height) {
        // Content that fits cannot be dragged.
        m_touchPressed = false;
        return;
    }
    m_touchPressed = true;
    m_touchMoved = false;
    m_touchReleased = false;
    m_touchCancelled = false;
    if (m_glideRunning) {
        if (m_moveType == DRAGPANEL_MOVE_TYPE_AUTOMOVE) {
            // The finger catches the gliding content where it is.
            stopGlide();
            m_moveType = DRAGPANEL_MOVE_TYPE_NONE;
        } else if (m_moveType == DRAGPANEL_MOVE_TYPE_BOUNCE) {
            m_touchPressed = false;
            return;
        }
    }
    m_touchStartNodeSpace = m_renderer ? m_renderer->convertToNodeSpace(point) : point;
    m_touchStartWorld = point;
    // Each drag is timed from its own press: a drag released outside the panel starts no auto
    // move and must not leave its time to the next one.
    m_slideTime = 0.0f;
}

void UIDragPanel::handleMove(const CCPoint& point) {
    if (!m_touchPressed || m_touchCancelled) {
        return;
    }
    m_touchMoved = true;
    const CCPoint local = m_renderer ? m_renderer->convertToNodeSpace(point) : point;
    CCPoint delta = local - m_touchStartNodeSpace;
    m_touchStartNodeSpace = local;
    if (!m_bounceEnabled) {
        m_berthDirection = DRAGPANEL_BOUNCE_DIR_NONE;
        delta = clampDelta(delta);
    }
    moveContent(delta);
    if (!m_bounceEnabled || hitTest(point)) {
        return;
    }
    // The finger has left the panel: the drag ends here, and content pulled past an edge
    // springs back.
    m_touchMoved = false;
    if (hasGap()) {
        m_touchCancelled = true;
        startBounce();
    }
}

void UIDragPanel::handleRelease(const CCPoint& point) {
    if (!m_touchPressed) {
        return;
    }
    m_touchPressed = false;
    m_touchMoved = false;
    m_touchReleased = true;
    m_touchCancelled = false;
    if (hitTest(point)) {
        m_touchEndWorld = point;
        startAutoMove();
    }
}

bool UIDragPanel::takesOverChildDrag(const UIWidget& sender, const CCPoint& point) const {
    return ccpDistance(sender.getTouchStartPos(), point) > kFocusCancelDistance;
}

// --- glides

void UIDragPanel::startAutoMove() {
    m_moveType = DRAGPANEL_MOVE_TYPE_AUTOMOVE;
    stopGlide();
    if (!(m_slideTime > 0.0f)) {
        // Released in the frame of its press: the drag has no speed to go on with.
        m_moveType = DRAGPANEL_MOVE_TYPE_NONE;
        return;
    }
    const float frames = m_slideTime * 60.0f;
    CCPoint delta((m_touchEndWorld.x - m_touchStartWorld.x) / frames,
                  (m_touchEndWorld.y - m_touchStartWorld.y) / frames);
    m_slideTime = 0.0f;
    if (!m_bounceEnabled) {
        delta = clampDelta(delta);
    }
    startGlide(delta, m_autoMoveDuration);
}

void UIDragPanel::startBounce() {
    if (m_moveType == DRAGPANEL_MOVE_TYPE_BOUNCE) {
        return;
    }
    stopGlide();
    m_moveType = DRAGPANEL_MOVE_TYPE_BOUNCE;
    const Edges e = contentEdges();
    const float width = m_size.width;
    const float height = m_size.height;
    const bool leftGap = e.left > 0.0f;
    const bool rightGap = e.right < width;
    const bool bottomGap = e.bottom > 0.0f;
    const bool topGap = e.top < height;
    CCPoint delta;
    m_bounceDirection = DRAGPANEL_BOUNCE_DIR_NONE;
    if (leftGap && bottomGap) {
        delta = CCPoint(-e.left, -e.bottom);
        m_bounceDirection = DRAGPANEL_BOUNCE_DIR_LEFTBOTTOM;
    } else if (leftGap && topGap) {
        delta = CCPoint(-e.left, height - e.top);
        m_bounceDirection = DRAGPANEL_BOUNCE_DIR_LEFTTOP;
    } else if (rightGap && bottomGap) {
        delta = CCPoint(width - e.right, -e.bottom);
        m_bounceDirection = DRAGPANEL_BOUNCE_DIR_RIGHTBOTTOM;
    } else if (rightGap && topGap) {
        delta = CCPoint(width - e.right, height - e.top);
        m_bounceDirection = DRAGPANEL_BOUNCE_DIR_RIGHTTOP;
    } else if (leftGap) {
        delta = CCPoint(-e.left, 0.0f);
        m_bounceDirection = DRAGPANEL_BOUNCE_DIR_LEFT;
    } else if (topGap) {
        delta = CCPoint(0.0f, height - e.top);
        m_bounceDirection = DRAGPANEL_BOUNCE_DIR_TOP;
    } else if (rightGap) {
        delta = CCPoint(width - e.right, 0.0f);
        m_bounceDirection = DRAGPANEL_BOUNCE_DIR_RIGHT;
    } else if (bottomGap) {
        delta = CCPoint(0.0f, -e.bottom);
        m_bounceDirection = DRAGPANEL_BOUNCE_DIR_BOTTOM;
    }
    startGlide(delta, m_bounceDuration);
}

void UIDragPanel::startGlide(const CCPoint& delta, float duration) {
    if (!m_innerContainer) {
        return;
    }
    m_glideRunning = true;
    m_glideKind = 1;
    m_glideTarget = m_innerContainer;
    m_glideDuration = std::max(duration, FLT_EPSILON);
    m_glideElapsed = 0.0f;
    m_glideFirstTick = true;
    m_glideDelta = delta;
    m_glideStartPosition = m_innerContainer->getPosition();
    m_glidePreviousPosition = m_glideStartPosition;
}

void UIDragPanel::stopGlide() {
    m_glideRunning = false;
    m_glideKind = 0;
}

void UIDragPanel::glideStep(float dt) {
    if (!m_glideTarget) {
        stopGlide();
        return;
    }
    if (m_glideFirstTick) {
        m_glideElapsed = 0.0f;
        m_glideFirstTick = false;
    } else {
        m_glideElapsed += dt;
    }
    const float t = std::clamp(m_glideElapsed / m_glideDuration, 0.0f, 1.0f);
    const float rate = m_moveType == DRAGPANEL_MOVE_TYPE_BOUNCE ? m_bounceEaseRate : m_autoMoveEaseRate;
    // Whatever moved the content meanwhile shifts the whole glide along with it.
    const CCPoint current = m_glideTarget->getPosition();
    m_glideStartPosition = m_glideStartPosition + (current - m_glidePreviousPosition);
    const float eased = std::pow(t, 1.0f / rate);
    const CCPoint position = m_glideStartPosition + m_glideDelta * eased;
    m_glideTarget->setPosition(position);
    m_glidePreviousPosition = position;
    if (m_moveType == DRAGPANEL_MOVE_TYPE_AUTOMOVE && m_bounceEnabled && hasGap()) {
        startBounce();
    }
}

void UIDragPanel::endGlide() {
    stopGlide();
    if (m_moveType == DRAGPANEL_MOVE_TYPE_BOUNCE) {
        m_bounceDirection = DRAGPANEL_BOUNCE_DIR_NONE;
    }
    m_moveType = DRAGPANEL_MOVE_TYPE_NONE;
}

void UIDragPanel::update(float dt) {
    if (m_glideRunning) {
        if (m_glideElapsed >= m_glideDuration) {
            endGlide();
        } else {
            glideStep(dt);
        }
    }
    if (m_touchPressed) {
        m_slideTime += dt;
    }
}

}  // namespace lirava
