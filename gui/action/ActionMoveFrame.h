#pragma once

#include "engine/base/CCGeometry.h"
#include "gui/action/ActionFrame.h"

namespace lirava {

// Key frame of a position.
class ActionMoveFrame : public ActionFrame {
public:
    static ActionMoveFrame* create();

    const CCPoint& getPosition() const { return m_position; }
    void setPosition(const CCPoint& position) { m_position = position; }

    // A CCMoveTo to the position.
    CCFiniteTimeAction* getAction(float duration) override;

protected:
    ActionMoveFrame() : ActionFrame(kFrameKindMove) {}

private:
    CCPoint m_position = CCPoint(0.0f, 0.0f);
};

}  // namespace lirava
