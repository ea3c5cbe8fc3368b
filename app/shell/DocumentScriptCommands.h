#pragma once

namespace lirava {

class JsonWriter;

// Driver-script commands for showing any UI document on its own and typing into it:
//
//   document FILE    replaces the running scene (at once, no transition) with a scene that
//                    shows the document FILE (relative to the resources) in a UILayer; exit
//                    status 1 when the document gives no widget tree. The widget gallery is
//                    "document gallery/gallery.json".
//   type TEXT        types TEXT (the words of the rest of the line, one space apart) as SDL text
//                    input into the text field that has the keyboard.
//
// The driver's own "key return" ends the typing and "key backspace" deletes one character: a
// text field that has the keyboard gets those keys.
//
// While such a scene runs, dumps carry a member "document": the file name and, under
// "widgets", one entry per widget name (the first widget of a name, depth first) with its
// class, position, size and visibility, and per class: "inner" and "innerSize" (scroll view,
// drag panel), "percent" (slider, loading bar), "selected" (check box), "text" and "shown"
// (text field: its text and what it displays). Elsewhere "document" is null.
void registerDocumentScriptCommands();

// The "document" member described above.
void writeDocumentState(JsonWriter& writer);

}  // namespace lirava
