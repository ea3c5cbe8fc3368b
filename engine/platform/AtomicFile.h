#pragma once

#include <cstddef>
#include <string>

namespace lirava {

// Writes size bytes to path through a temporary file in the same folder, flushed to the disk and
// then renamed over path. A full disk, a read-only folder or a crash half-way never leaves a
// half-written file at path, and the file that was there stays whole until the new one replaces
// it. False with a reason (the system's words for what failed); the temporary file is removed.
bool writeFileAtomically(const std::string& path, const void* data, std::size_t size, std::string& error);

}  // namespace lirava
