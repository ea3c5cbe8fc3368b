#pragma once

#include "engine/base/ccTypes.h"
#include "gui/action/ActionFrame.h"

namespace lirava {

// Key frame of the colour.
class ActionTintFrame : public ActionFrame {
public:
    static ActionTintFrame* create();

    const ccColor3B& getColor() const { return m_color; }
    void setColor(const ccColor3B& color) { m_color = color; }

    // A CCTintTo to the colour.
    CCFiniteTimeAction* getAction(float duration) override;

protected:
    ActionTintFrame() : ActionFrame(kFrameKindTint) {}

private:
    ccColor3B m_color = {255, 255, 255};
};

}  // namespace lirava
