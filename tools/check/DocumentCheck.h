#pragma once

#include <iosfwd>

namespace lirava::check {

// lirava-check's command line: --document FILE [--resources DIR]. Reads the document through
// the UI document reader and writes its widget tree as one JSON line, the last line of out
// (the reader's own messages come before it). Returns the exit status: 0 when a tree was
// built, 1 when the reader gave none, 2 for bad arguments.
int runDocumentCheck(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace lirava::check
