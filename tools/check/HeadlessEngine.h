#pragma once

#include <ostream>
#include <string>

namespace lirava::check {

// The part of the engine that reading documents needs, without a window: the resource root,
// the view's 640 x 960 design size (the director's window size) and the director itself.
// The book is a folder or an archived book, whose every file is read through first (checksums
// included). Returns 0 when ready; else the exit status, after a message on err: 2 when there is
// no such folder or file, 1 for an archive that cannot be read or is damaged.
int setUpHeadlessEngine(const std::string& resourceRoot, std::ostream& err);

// Drops the document singletons and drains the autorelease pool, so a checker leaves nothing
// behind.
void tearDownHeadlessEngine();

// The bundled sample book, used when no resource folder is given: the installed one next to the
// program (../share/lirava/book), else the source tree's.
std::string defaultResourceRoot();

}  // namespace lirava::check
