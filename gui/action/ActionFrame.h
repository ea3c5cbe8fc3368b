#pragma once

#include "engine/base/CCObject.h"

namespace lirava {

class CCFiniteTimeAction;

// The five kinds of key frame, in the order in which a node keeps their lists and builds their
// sequences.
enum FrameKind {
    kFrameKindMove = 0,
    kFrameKindScale = 1,
    kFrameKindRotation = 2,
    kFrameKindTint = 3,
    kFrameKindFade = 4,
    kFrameKindCount = 5,
};

// One key frame of a UI animation: a place on the timeline (in unit-time steps) and, in the
// subclasses, the value the target reaches there.
class ActionFrame : public CCObject {
public:
    static ActionFrame* create();

    int getFrameKind() const { return m_frameKind; }
    int getFrameIndex() const { return m_frameIndex; }
    void setFrameIndex(int index) { m_frameIndex = index; }

    // The engine action that takes a target from wherever it is to this frame's value in
    // duration seconds, autoreleased; null for the base class, which has no value.
    virtual CCFiniteTimeAction* getAction(float duration);

protected:
    explicit ActionFrame(int kind) : m_frameKind(kind) {}
    ActionFrame() = default;

private:
    int m_frameKind = -1;
    int m_frameIndex = 0;
};

}  // namespace lirava
