#include "engine/platform/ScriptStepper.h"

#include <utility>

#include "engine/platform/ScriptDriver.h"

namespace lirava {

ScriptStepper::ScriptStepper(std::unique_ptr<ScriptDriver> script) : m_script(std::move(script)) {}

ScriptStepper::~ScriptStepper() = default;

bool ScriptStepper::beforeFrame() {
    if (!running()) {
        return true;
    }
    m_script->beforeFrame();
    return !m_script->isFinished();
}

int ScriptStepper::exitStatus() const {
    return m_script ? m_script->exitStatus() : 0;
}

bool ScriptStepper::needsFrame() const {
    return running() && m_script->waitingUntil() < 0.0;
}

double ScriptStepper::waitingUntil() const {
    return running() ? m_script->waitingUntil() : -1.0;
}

}  // namespace lirava
