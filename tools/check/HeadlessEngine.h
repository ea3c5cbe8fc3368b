#pragma once

#include <string>

namespace lirava::check {

// The part of the engine that reading documents needs, without a window: the resource root,
// the view's 640 x 960 design size (the director's window size) and the director itself.
// Returns false when the resource folder does not exist.
bool setUpHeadlessEngine(const std::string& resourceRoot);

// Drops the document singletons and drains the autorelease pool, so a checker leaves nothing
// behind.
void tearDownHeadlessEngine();

// The bundled sample book, used when no resource folder is given: the installed one next to the
// program (../share/lirava/book), else the source tree's.
std::string defaultResourceRoot();

}  // namespace lirava::check
