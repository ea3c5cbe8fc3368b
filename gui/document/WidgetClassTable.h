#pragma once

namespace lirava {

class CCSGUIReader;
class JsonDictionary;
class UIWidget;

// Reads a widget's "options" into it. The reader gives the document directory and the
// older-schema flag; options may be null (every key then takes its default).
using WidgetPropertyReader = void (*)(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options);

// One document class: how its widget is made and which property reader fills it. An entry with
// no create function yields no widget (so does a class missing from the table).
struct WidgetClassEntry {
    const char* className;
    UIWidget* (*create)();
    WidgetPropertyReader readProperties;
};

// The entry for a document "classname", compared exactly; null when the class is unknown.
const WidgetClassEntry* findWidgetClass(const char* className);

}  // namespace lirava
