#pragma once

namespace lirava {

class JsonWriter;

// Driver-script access to the settings screen, which the pages keep out of a reader's reach:
//
//   settings         opens the settings screen from the page on show (the page's showSettings,
//                    its 0.5 s zoom flip included); exit status 2 when no page layer runs (on
//                    other screens and while a transition runs).
//
// Dumps carry a member "settings": null unless the settings screen runs, else an object with
// "pendingMode", "selected" (the name of the button shown as selected, or null), "homeItem"
// (whether the screen offers its own home item) and "buttons": for each of the six names, null
// when the document lacks it, else "bright" and "titleColor" ([r, g, b], null for a widget that
// is not a button).
//
// They also carry "playItem": whether the page on show offers its play/pause item (the reading
// mode hides it in ModeManual), or null when no page layer runs.
void registerSettingsScriptCommands();

// The "settings" and "playItem" members described above.
void writeSettingsState(JsonWriter& writer);

}  // namespace lirava
