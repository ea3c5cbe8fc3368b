#pragma once

#include <string>

#include "engine/base/CCGeometry.h"

namespace lirava {

// Geometry written as text, the way sprite-sheet atlases store it: a point "{x,y}", a size
// "{w,h}", a rectangle "{{x,y},{w,h}}". Spaces are allowed around every part; numbers are
// decimal (sign, fraction and exponent allowed) and must be finite. Anything else, including
// text after the closing brace, is malformed: the parse functions then return false and leave
// the output untouched.
bool parsePointString(const std::string& text, CCPoint& out);
bool parseSizeString(const std::string& text, CCSize& out);
bool parseRectString(const std::string& text, CCRect& out);

// The same, with zero values for malformed text.
CCPoint CCPointFromString(const char* text);
CCSize CCSizeFromString(const char* text);
CCRect CCRectFromString(const char* text);

}  // namespace lirava
