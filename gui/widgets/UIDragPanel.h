#pragma once

#include "gui/widgets/InnerContainerLayout.h"

namespace lirava {

// Where the content of a drag panel last met the panel's edges, or where a bounce takes it.
enum DRAGPANEL_BOUNCE_DIR {
    DRAGPANEL_BOUNCE_DIR_NONE = 0,
    DRAGPANEL_BOUNCE_DIR_LEFTBOTTOM = 1,
    DRAGPANEL_BOUNCE_DIR_LEFTTOP = 2,
    DRAGPANEL_BOUNCE_DIR_RIGHTBOTTOM = 3,
    DRAGPANEL_BOUNCE_DIR_RIGHTTOP = 4,
    DRAGPANEL_BOUNCE_DIR_LEFT = 5,
    DRAGPANEL_BOUNCE_DIR_TOP = 6,
    DRAGPANEL_BOUNCE_DIR_RIGHT = 7,
    DRAGPANEL_BOUNCE_DIR_BOTTOM = 8,
};

enum DRAGPANEL_MOVE_TYPE {
    DRAGPANEL_MOVE_TYPE_NONE = 0,
    DRAGPANEL_MOVE_TYPE_AUTOMOVE = 1,
    DRAGPANEL_MOVE_TYPE_BOUNCE = 2,
};

// A clipping container whose content (an inner container at least as large as the panel) is
// dragged in both directions. It takes a drag over from a child once the finger has moved more
// than 5 points from where the child was pressed.
//
// Without bounce the content never shows a gap at any edge: drags and glides are clamped. With
// bounce, a drag may pull the content past an edge; once the finger leaves the panel the content
// springs back over 0.5 s.
//
// A release inside the panel starts an auto move: the content glides on by the drag's average
// travel per frame over 0.5 s, fast at first and softly at the end. A press stops an auto move
// where it is and is refused during a bounce. A release in the same frame as its press starts no
// auto move (the drag has no measurable speed).
class UIDragPanel : public InnerContainerLayout {
public:
    static constexpr float kGlideDuration = 0.5f;
    static constexpr float kEaseRate = 2.0f;
    static constexpr float kFocusCancelDistance = 5.0f;

    static UIDragPanel* create();

    UIDragPanel();
    ~UIDragPanel() override;

    bool init() override;
    const char* getTypeName() const override;

    void setBounceEnabled(bool enabled) { m_bounceEnabled = enabled; }
    bool isBounceEnabled() const { return m_bounceEnabled; }

    void update(float dt) override;
    void releaseResources() override;

    void handlePress(const CCPoint& point) override;
    void handleMove(const CCPoint& point) override;
    void handleRelease(const CCPoint& point) override;

    // --- state, for tests and tools
    DRAGPANEL_MOVE_TYPE getMoveType() const { return m_moveType; }
    DRAGPANEL_BOUNCE_DIR getBounceDirection() const { return m_bounceDirection; }
    bool isGliding() const { return m_glideRunning; }
    const CCPoint& getGlideDelta() const { return m_glideDelta; }
    bool isTouchPressed() const { return m_touchPressed; }
    bool isTouchCancelled() const { return m_touchCancelled; }
    float getSlideTime() const { return m_slideTime; }

protected:
    void handleSizeChange() override;
    bool takesOverChildDrag(const UIWidget& sender, const CCPoint& point) const override;

private:
    struct Edges {
        float left;
        float right;
        float bottom;
        float top;
    };
    Edges contentEdges();
    bool hasGap();
    // Cuts a delta down so that moving the content by it opens no gap.
    CCPoint clampDelta(const CCPoint& delta);
    void moveContent(const CCPoint& delta);
    void startAutoMove();
    void startBounce();
    void startGlide(const CCPoint& delta, float duration);
    void stopGlide();
    void glideStep(float dt);
    void endGlide();

    bool m_touchPressed = false;
    bool m_touchMoved = false;
    bool m_touchReleased = false;
    bool m_touchCancelled = false;
    CCPoint m_touchStartNodeSpace;
    CCPoint m_touchStartWorld;
    CCPoint m_touchEndWorld;
    float m_slideTime = 0.0f;
    DRAGPANEL_MOVE_TYPE m_moveType = DRAGPANEL_MOVE_TYPE_AUTOMOVE;
    float m_autoMoveDuration = kGlideDuration;
    float m_autoMoveEaseRate = kEaseRate;
    DRAGPANEL_BOUNCE_DIR m_berthDirection = DRAGPANEL_BOUNCE_DIR_NONE;
    bool m_bounceEnabled = false;
    DRAGPANEL_BOUNCE_DIR m_bounceDirection = DRAGPANEL_BOUNCE_DIR_NONE;
    float m_bounceDuration = kGlideDuration;
    float m_bounceEaseRate = kEaseRate;
    bool m_glideRunning = false;
    int m_glideKind = 0;
    Layout* m_glideTarget = nullptr;
    float m_glideDuration = 0.0f;
    float m_glideElapsed = 0.0f;
    bool m_glideFirstTick = false;
    CCPoint m_glideDelta;
    CCPoint m_glideStartPosition;
    CCPoint m_glidePreviousPosition;
};

}  // namespace lirava
