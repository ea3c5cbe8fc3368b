#pragma once

#include "gui/action/ActionFrame.h"

namespace lirava {

// Key frame of the rotation, in degrees.
class ActionRotationFrame : public ActionFrame {
public:
    static ActionRotationFrame* create();

    float getRotation() const { return m_rotation; }
    void setRotation(float degrees) { m_rotation = degrees; }

    // A CCRotateTo to the rotation.
    CCFiniteTimeAction* getAction(float duration) override;

protected:
    ActionRotationFrame() : ActionFrame(kFrameKindRotation) {}

private:
    float m_rotation = 0.0f;
};

}  // namespace lirava
