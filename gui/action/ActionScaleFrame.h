#pragma once

#include "gui/action/ActionFrame.h"

namespace lirava {

// Key frame of the two scales.
class ActionScaleFrame : public ActionFrame {
public:
    static ActionScaleFrame* create();

    float getScaleX() const { return m_scaleX; }
    void setScaleX(float scale) { m_scaleX = scale; }
    float getScaleY() const { return m_scaleY; }
    void setScaleY(float scale) { m_scaleY = scale; }

    // A CCScaleTo to both scales.
    CCFiniteTimeAction* getAction(float duration) override;

protected:
    ActionScaleFrame() : ActionFrame(kFrameKindScale) {}

private:
    float m_scaleX = 1.0f;
    float m_scaleY = 1.0f;
};

}  // namespace lirava
