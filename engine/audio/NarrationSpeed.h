#pragma once

#include <string>

namespace lirava {

// The speeds a listener can choose for narration, slowest first. 1 is the voice as recorded.
inline constexpr float kNarrationSpeeds[] = {0.5f, 0.75f, 1.0f, 1.25f, 1.5f};

// "0.75" or "0.75x" (any way of writing one of the speeds: "1", "1.0", ".5"); false for
// anything else.
bool parseNarrationSpeed(const std::string& text, float& speed);

// One step slower (direction < 0) or faster (direction > 0); the ends stay where they are.
float steppedNarrationSpeed(float speed, int direction);

// "0.75x", "1x".
std::string narrationSpeedText(float speed);

}  // namespace lirava
