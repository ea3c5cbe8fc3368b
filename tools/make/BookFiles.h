#pragma once

#include <map>
#include <string>
#include <vector>

#include "tools/make/TextLayout.h"

namespace lirava::make {

// The book's files other than pictures and narration, in the layout the reader reads: page
// documents, string and caption tables, the reader's own controls and the checker's allow list.
class BookFiles {
public:
    // A page document whose picture is Images/pages/pNNN.jpg and whose sentence buttons cover the
    // given boxes (sentence i + 1 is boxes[i]).
    static std::string pageDocument(int page, const std::vector<Box>& boxes);
    // A page the manifest leaves empty: the reader's units have fixed pages, and every one of
    // them gets a document so that turning pages never meets a missing file.
    static std::string emptyPageDocument(int page);
    // A property-list string table.
    static std::string stringTable(const std::vector<std::pair<std::string, std::string>>& entries);
    static std::string pagePicturePath(int page);

    // Copies the reader's controls and the settings screen from the sample book.
    static bool copyControls(const std::string& sampleBook, const std::string& out, std::string& error);
    // Where the sample book is: installed beside the program, else the source tree's.
    static std::string sampleBook();
};

}  // namespace lirava::make
