#pragma once

#include <cstddef>
#include <string>

namespace lirava {

// Usable height of the primary display in pixels (the screen minus task bars), which the program
// sizes its window by. In headless runs (once the application has its launch options) it is the
// headless frame height; 0 when no display can be reached.
double platformUsableScreenHeight();

// Whether window mode can hope for a display: an X11 or Wayland display is named in the
// environment, or SDL_VIDEODRIVER names a driver explicitly. Without one SDL would quietly fall
// back to an offscreen driver and the reader would run in a window no one can see.
bool platformDisplayConfigured();

// Starts SDL's video subsystem for a headless surface (the dummy driver, whatever the
// environment says) or for a real window. False with a reason; displayMissing tells a window
// mode without a display apart from other failures. Each success needs SDL_QuitSubSystem.
bool platformInitVideo(bool headless, std::string& error, bool& displayMissing);

// Makes large buffers (decoded images, textures, render targets) go back to the system when
// they are freed. glibc raises its mmap threshold after each large free, so that later large
// buffers come from the heap and stay resident after they are freed: without this, reading the
// book grew the resident memory by some 30 MiB. The program calls it first thing; benchmarks call
// it too, so that they measure under the same policy. Does nothing on other C libraries.
void platformReturnLargeBuffersToSystem();

// Hands the whole memory pages inside [begin, begin + bytes) back to the system while the block
// stays allocated; they read as zeros when next touched. For large buffers that are about to be
// overwritten or freed anyway. Does nothing where the system has no such call.
void platformReleasePages(void* begin, std::size_t bytes);

// SDL's name of a key, from any spelling SDL accepts ("return", "RETURN" and "Return" all give
// "Return"); empty for names SDL does not know.
std::string platformKeyName(const std::string& name);

// Folder of the running executable, without a trailing "/"; empty if unknown.
std::string platformExecutableDirectory();

}  // namespace lirava
