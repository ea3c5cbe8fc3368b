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
void readCheckBoxProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options);
// Sets the atlas only when the document gives all five of its keys.
void readLabelAtlasProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options);
void readLabelBMFontProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options);
void readLoadingBarProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options);
void readSliderProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options);
void readTextFieldProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options);
// Panel reader, inner size, direction (cut toward zero), colour reader.
void readScrollViewProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options);
void readDragPanelProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options);
// Panel reader, then the colour reader once more.
void readPageViewProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options);

}  // namespace lirava
