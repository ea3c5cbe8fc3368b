#pragma once

namespace lirava {

// Writes one formatted line to standard output and flushes it. A trailing newline in the
// format is not doubled.
void CCLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace lirava
