#pragma once

#include <cstdint>

#include "gui/action/ActionFrame.h"

namespace lirava {

// Key frame of the opacity. The value is kept as read (300 stays 300); only the action it
// builds takes the low 8 bits.
class ActionFadeFrame : public ActionFrame {
public:
    static ActionFadeFrame* create();

    float getOpacity() const { return m_opacity; }
    void setOpacity(float opacity) { m_opacity = opacity; }
    // The opacity the built action fades to: truncated toward zero, then its low 8 bits.
    std::uint8_t getTargetOpacity() const;

    // A CCFadeTo to the target opacity.
    CCFiniteTimeAction* getAction(float duration) override;

protected:
    ActionFadeFrame() : ActionFrame(kFrameKindFade) {}

private:
    float m_opacity = 255.0f;
};

}  // namespace lirava
