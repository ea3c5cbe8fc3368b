#pragma once

#include <string>

namespace lirava {

// Usable height of the primary display in pixels (the screen minus task bars), which the program
// sizes its window by. In headless runs (once the application has its launch options) it is the
// headless frame height; 0 when no display can be reached.
double platformUsableScreenHeight();

// Folder of the running executable, without a trailing "/"; empty if unknown.
std::string platformExecutableDirectory();

}  // namespace lirava
