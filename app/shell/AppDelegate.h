#pragma once

#include "engine/base/CCGeometry.h"
#include "engine/platform/CCApplication.h"

namespace lirava {

// The reader's application: fixes the design resolution and frame interval and shows the home
// screen once the main loop starts.
class AppDelegate : public CCApplication {
public:
    static constexpr float kDesignWidth = 640.0f;
    static constexpr float kDesignHeight = 960.0f;
    static constexpr double kFrameInterval = 1.0 / 60;

    // The window for a usable screen height A: A / 1.4 wide and A x 0.94 high, computed in double
    // and narrowed to float. The screen's width plays no part.
    static CCSize frameSizeForScreenHeight(double usableHeight);

    // Always true.
    bool applicationDidFinishLaunching() override;
    // Stops drawing; narration goes on.
    void applicationDidEnterBackground() override;
    void applicationWillEnterForeground() override;
};

}  // namespace lirava
