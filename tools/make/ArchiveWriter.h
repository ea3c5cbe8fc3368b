#pragma once

#include <string>

namespace lirava::make {

// Packs a book folder into the one-file form: a ZIP whose root holds the folder's contents under
// the same relative paths. Pictures and narration are stored as they are (already compressed,
// and the reader streams them); documents, tables and labels are deflated.
class ArchiveWriter {
public:
    static bool pack(const std::string& folder, const std::string& archive, std::string& error);
};

}  // namespace lirava::make
