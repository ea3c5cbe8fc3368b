#pragma once

#include <memory>

namespace lirava {

class ScriptDriver;

// Runs the driver script (if the run has one) between the main loop's frames. The script starts
// once the first frame is up, so that its first command meets the first scene on stage rather
// than an empty one.
class ScriptStepper {
public:
    // A null script: a run without one, which never finishes by itself.
    explicit ScriptStepper(std::unique_ptr<ScriptDriver> script);
    ~ScriptStepper();
    ScriptStepper(const ScriptStepper&) = delete;
    ScriptStepper& operator=(const ScriptStepper&) = delete;

    // Runs the commands due before the next frame. False once the script has finished; its exit
    // status is then exitStatus().
    bool beforeFrame();
    // A frame has passed (the first one lets the script start).
    void frameDone() { m_started = true; }
    int exitStatus() const;

    // Where a resting window-mode loop stands with the script: whether its next step needs a
    // frame to have passed, and until when (seconds on the run's clock) it waits, or -1.
    bool needsFrame() const;
    double waitingUntil() const;

private:
    bool running() const { return m_script && m_started; }

    std::unique_ptr<ScriptDriver> m_script;
    bool m_started = false;
};

}  // namespace lirava
