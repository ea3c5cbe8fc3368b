#pragma once

#include <string>

namespace lirava {

class CCScene;
class JsonWriter;

// What the reader adds to the driver script.

// Class name of the program's layer that the scene holds (TestController, MenuLayerMainMenu,
// TestLayer1, TestLayer2 or SetLayer); empty when it holds none.
std::string programLayerName(const CCScene* scene);

// Writes the program's members of a state dump into the open object: layer, currentPage,
// currentUnit, readingMode, autoPlay, nextSentence, lastSentence, activeSentence, caption, plate
// and music; on the home screen and the page list also menu (its position), items (text,
// position and z-order of each item) and, on the home screen, hint (whether the drag hint
// shows) and figure (the gliding figure's position).
void writeProgramState(JsonWriter& writer);

// Registers the state members above and the command "hint" (shows the home screen's drag hint,
// which the screen otherwise keeps hidden, so that its dismissal can be shown).
void registerScriptExtensions();

}  // namespace lirava
