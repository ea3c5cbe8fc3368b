#pragma once

#include <string>

namespace lirava {

// Where the keyboard's keys go, by SDL's key names. A text field that has the keyboard keeps
// every key to itself: Return ends its typing (the input method gets "\n"), Backspace deletes,
// and the rest arrives as text input. Otherwise a press goes to the director's keypad
// dispatcher, which hands it to the layers on stage. Returns whether anyone used the key.
bool dispatchKeyPress(const std::string& name, bool repeat);
void dispatchKeyRelease(const std::string& name);

}  // namespace lirava
