#pragma once

#include "engine/platform/LaunchOptions.h"

namespace lirava {

// The process's application: constructed once (it registers itself as the shared application),
// given its launch options, then run() opens the window (or the headless surface), calls
// applicationDidFinishLaunching and drives the main loop until the window closes, the director
// ends or the driver script finishes. run() returns the process exit status:
//   0  normal end;
//   1  the platform could not start (no display in window mode) or the launch hook failed;
//   2  the driver script had a malformed line.
// Minimising the window calls applicationDidEnterBackground, restoring it
// applicationWillEnterForeground.
class CCApplication {
public:
    CCApplication();
    virtual ~CCApplication();
    CCApplication(const CCApplication&) = delete;
    CCApplication& operator=(const CCApplication&) = delete;

    // The application constructed last, or null.
    static CCApplication* sharedApplication();

    // Returns false to stop the run (the status is then 1).
    virtual bool applicationDidFinishLaunching() = 0;
    virtual void applicationDidEnterBackground() {}
    virtual void applicationWillEnterForeground() {}

    void setLaunchOptions(const LaunchOptions& options) { m_options = options; }
    const LaunchOptions& getLaunchOptions() const { return m_options; }

    int run();

private:
    LaunchOptions m_options;
};

}  // namespace lirava
