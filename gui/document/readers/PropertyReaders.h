#pragma once

namespace lirava {

class CCSGUIReader;
class JsonDictionary;
class UIWidget;

// The property readers: each is a fixed sequence of key lookups in a widget's "options", each
// feeding one setter. They all share one signature so that the class table can name them; a
// reader handed a widget of another class than its own does nothing.
//
// Building blocks, run first and last by the class readers:
void readCommonProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options);
void readColorProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options);
// Common reader, "clipAble" (not for scroll views, list views and drag panels), colour reader.
void readContainerProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options);

// Class readers.
void readPanelProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options);
void readButtonProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options);
void readTextButtonProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options);
void readImageViewProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options);
void readLabelProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options);
void readTextAreaProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options);

}  // namespace lirava
