#include "engine/audio/NarrationSpeed.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace lirava {

namespace {

// Index of the step nearest to speed.
int nearestStep(float speed) {
    int best = 0;
    for (int i = 1; i < static_cast<int>(std::size(kNarrationSpeeds)); ++i) {
        if (std::fabs(kNarrationSpeeds[i] - speed) < std::fabs(kNarrationSpeeds[best] - speed)) {
            best = i;
        }
    }
    return best;
}

}  // namespace

bool parseNarrationSpeed(const std::string& text, float& speed) {
    std::string number = text;
    if (!number.empty() && (number.back() == 'x' || number.back() == 'X')) {
        number.pop_back();
    }
    // Plain decimals only: no signs, exponents, hexadecimal or spaces.
    if (number.empty() || number.find_first_not_of("0123456789.") != std::string::npos) {
        return false;
    }
    char* end = nullptr;
    const double value = std::strtod(number.c_str(), &end);
    if (end != number.c_str() + number.size()) {
        return false;
    }
    const float step = kNarrationSpeeds[nearestStep(static_cast<float>(value))];
    if (std::fabs(step - value) > 1e-9) {
        return false;
    }
    speed = step;
    return true;
}

float steppedNarrationSpeed(float speed, int direction) {
    const int last = static_cast<int>(std::size(kNarrationSpeeds)) - 1;
    int step = nearestStep(speed) + (direction > 0 ? 1 : direction < 0 ? -1 : 0);
    step = step < 0 ? 0 : step > last ? last : step;
    return kNarrationSpeeds[step];
}

std::string narrationSpeedText(float speed) {
    // %g drops the zeros: 0.5x, 1x, 1.25x.
    char text[32];
    std::snprintf(text, sizeof text, "%gx", static_cast<double>(speed));
    return text;
}

}  // namespace lirava
