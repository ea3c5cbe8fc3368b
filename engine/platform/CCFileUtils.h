#pragma once

#include <set>
#include <string>

namespace lirava {

// Resolves resource names against the resource root (the book folder) and reads files.
class CCFileUtils {
public:
    static CCFileUtils* sharedFileUtils();
    static void purgeFileUtils();

    // The folder every relative resource name is taken from. Stored without a trailing "/".
    void setResourceRoot(const std::string& root);
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

    // True the first time a caller could not use the file, until it is read again: the caller
    // then logs one line. A book that went away (a pulled USB stick) so logs each file it
    // misses once, however often a page asks for it.
    bool isNewFailure(const std::string& fullPath) const;

private:
    CCFileUtils() = default;
    std::string m_root = ".";
    mutable std::set<std::string> m_failed;
};

}  // namespace lirava
