#pragma once

#include <string>

namespace lirava {

class CCMenu;
class CCMenuItem;

// What the program's screens share for their keys. Every key does what a click on one of the
// screen's items would do, through that item, and nothing where a click could not reach it.
namespace menukeys {

// Home and Escape both lead to the main page.
bool isHomeKey(const std::string& name);
// Return, and Enter on the number pad.
bool isReturnKey(const std::string& name);

// Activates the item as a click on it would: only when it is an item of the menu, it and the
// menu are visible and enabled and nothing above the menu is hidden. False otherwise.
bool activateItem(CCMenu* menu, CCMenuItem* item);

// The visible, enabled item of the menu whose row is nearest the vertical centre of the visible
// area (the first of two as near); null when the menu has none.
CCMenuItem* itemAtCentre(CCMenu* menu);

}  // namespace menukeys
}  // namespace lirava
