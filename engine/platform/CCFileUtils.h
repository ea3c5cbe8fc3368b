#pragma once

#include <memory>

#include <cstddef>
#include <set>
#include <string>
#include <vector>

struct SDL_RWops;

namespace lirava {

class BookArchive;

// Resolves resource names against the resource root (the book) and reads files. The book is a
// folder or a one-file archive (BookArchive); full paths look the same either way ("ROOT/name"),
// and every read below the root goes to whichever it is, so no caller needs to know which.
class CCFileUtils {
public:
    static CCFileUtils* sharedFileUtils();
    static void purgeFileUtils();

    // The folder every relative resource name is taken from. Stored without a trailing "/".
    // A root that is a file is opened as an archive; one that cannot be is read as a folder
    // that holds nothing.
    void setResourceRoot(const std::string& root);
    // The same, false with a one-line reason when the root is an archive that cannot be read.
    bool openResourceRoot(const std::string& root, std::string& error);
    bool isArchiveRoot() const { return m_archive != nullptr; }
    const std::string& getResourceRoot() const { return m_root; }

    // An absolute name is returned unchanged; a relative one is put below the resource root.
    // The file does not have to exist.
    std::string fullPathForFilename(const char* fileName) const;
    bool isFileExist(const std::string& fullPath) const;

    // Whole-file read. Returns new[]-allocated bytes (the caller delete[]s them) and their count,
    // or null with size 0 when the file is missing, unreadable or a folder. The mode is kept for
    // callers that pass one; files are always read as bytes.
    unsigned char* getFileData(const char* fullPath, const char* mode, unsigned long* size) const;
    // The same into a string; false when nothing could be read.
    bool readFile(const std::string& fullPath, std::string& out) const;
    // Names of the files directly in a folder below the resource root ("" for the root itself),
    // sorted; empty when there is no such folder.
    std::vector<std::string> fileNamesIn(const std::string& folder) const;

    // A read-only stream over the file (SDL_RWclose frees it); null when it cannot be opened.
    // An archived file is read as the stream is read where the archive allows.
    SDL_RWops* openStream(const std::string& fullPath) const;

    // Damage found so far in the archived book's data (a size or checksum that does not match),
    // as one line; empty for a folder and for an archive read without fault.
    std::string resourceDamage() const;
    // Reads every file of an archived book through; false with the first damage. A folder
    // passes.
    bool verifyResources(std::string& error) const;

    // The same, reading no more than maxBytes + 1 bytes: a result longer than maxBytes says the
    // file is over that bound without the whole of it having been read.
    bool readFile(const std::string& fullPath, std::string& out, std::size_t maxBytes) const;

    // True the first time a caller could not use the file, until it is read again: the caller
    // then logs one line. A book that went away (a pulled USB stick) so logs each file it
    // misses once, however often a page asks for it.
    bool isNewFailure(const std::string& fullPath) const;

private:
    CCFileUtils();
    ~CCFileUtils();
    // The name below the root when fullPath lies inside an archived book.
    bool archivedName(const std::string& fullPath, std::string& name) const;

    std::string m_root = ".";
    std::unique_ptr<BookArchive> m_archive;
    mutable std::set<std::string> m_failed;
};

}  // namespace lirava
