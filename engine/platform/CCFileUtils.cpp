#include "engine/platform/CCFileUtils.h"

#include <SDL.h>
#include <sys/stat.h>

#include <algorithm>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "engine/platform/BookArchive.h"

namespace lirava {

namespace {
CCFileUtils* g_fileUtils = nullptr;
}

CCFileUtils* CCFileUtils::sharedFileUtils() {
    if (!g_fileUtils) {
        g_fileUtils = new CCFileUtils();
    }
    return g_fileUtils;
}

void CCFileUtils::purgeFileUtils() {
    delete g_fileUtils;
    g_fileUtils = nullptr;
}

CCFileUtils::CCFileUtils() = default;
CCFileUtils::~CCFileUtils() = default;

void CCFileUtils::setResourceRoot(const std::string& root) {
    std::string error;
    openResourceRoot(root, error);
}

bool CCFileUtils::openResourceRoot(const std::string& root, std::string& error) {
    const std::string previous = m_root;
    std::unique_ptr<BookArchive> archive = std::move(m_archive);
    m_root = root.empty() ? std::string(".") : root;
    // Kept absolute: the document reader builds image paths from the full path of a document,
    // and a relative root would be put in front of those a second time.
    if (m_root[0] != '/') {
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(m_root, error);
        if (!error) {
            m_root = absolute.lexically_normal().string();
        }
    }
    while (m_root.size() > 1 && m_root.back() == '/') {
        m_root.pop_back();
    }
    struct stat info;
    if (::stat(m_root.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        // The archive already open for this root is kept rather than read again.
        if (archive && m_root == previous) {
            m_archive = std::move(archive);
            return true;
        }
        m_archive = BookArchive::open(m_root, error);
        return m_archive != nullptr;
    }
    return true;
}

bool CCFileUtils::archivedName(const std::string& fullPath, std::string& name) const {
    if (!m_archive || fullPath.size() <= m_root.size() + 1 || fullPath.compare(0, m_root.size(), m_root) != 0 ||
        fullPath[m_root.size()] != '/') {
        return false;
    }
    // Documents name files relative to their own folder ("english5down/../Images/a.png"), which a
    // folder resolves by itself; archive names have no such parts. A name that climbs out of the
    // book is not in it.
    std::vector<std::string> parts;
    std::size_t start = m_root.size() + 1;
    while (start <= fullPath.size()) {
        std::size_t end = fullPath.find('/', start);
        if (end == std::string::npos) {
            end = fullPath.size();
        }
        const std::string part = fullPath.substr(start, end - start);
        if (part == "..") {
            if (parts.empty()) {
                return false;
            }
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    name.clear();
    for (const std::string& part : parts) {
        name += name.empty() ? part : "/" + part;
    }
    return !name.empty();
}

std::string CCFileUtils::fullPathForFilename(const char* fileName) const {
    if (!fileName || !*fileName) {
        return std::string();
    }
    if (fileName[0] == '/') {
        return fileName;
    }
    return m_root + "/" + fileName;
}

bool CCFileUtils::isFileExist(const std::string& fullPath) const {
    std::string name;
    if (archivedName(fullPath, name)) {
        return m_archive->contains(name);
    }
    struct stat info;
    return !fullPath.empty() && ::stat(fullPath.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::vector<std::string> CCFileUtils::fileNamesIn(const std::string& folder) const {
    std::vector<std::string> names;
    if (m_archive) {
        const std::string prefix = folder.empty() ? std::string() : folder + "/";
        for (const std::string& name : m_archive->fileNames()) {
            if (name.compare(0, prefix.size(), prefix) == 0 && name.find('/', prefix.size()) == std::string::npos) {
                names.push_back(name.substr(prefix.size()));
            }
        }
        return names;
    }
    std::error_code error;
    const std::string path = folder.empty() ? m_root : fullPathForFilename(folder.c_str());
    for (std::filesystem::directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error)) {
            names.push_back(it->path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool CCFileUtils::isNewFailure(const std::string& fullPath) const {
    return m_failed.insert(fullPath).second;
}

bool CCFileUtils::readFile(const std::string& fullPath, std::string& out) const {
    out.clear();
    std::string name;
    if (archivedName(fullPath, name)) {
        return m_archive->read(name, out) && !out.empty();
    }
    if (!isFileExist(fullPath)) {
        return false;
    }
    std::FILE* file = std::fopen(fullPath.c_str(), "rb");
    if (!file) {
        return false;
    }
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        out.append(buffer, got);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (!failed && !m_failed.empty()) {
        m_failed.erase(fullPath);  // back: its next failure is news again
    }
    return !failed && !out.empty();
}

bool CCFileUtils::readFile(const std::string& fullPath, std::string& out, std::size_t maxBytes) const {
    out.clear();
    const std::size_t wanted = maxBytes < SIZE_MAX ? maxBytes + 1 : maxBytes;
    std::string name;
    if (archivedName(fullPath, name)) {
        // Archived entries are bounded when the archive is opened, so reading one whole is safe.
        if (!m_archive->read(name, out)) {
            return false;
        }
        if (out.size() > wanted) {
            out.resize(wanted);
        }
        return !out.empty();
    }
    if (!isFileExist(fullPath)) {
        return false;
    }
    std::FILE* file = std::fopen(fullPath.c_str(), "rb");
    if (!file) {
        return false;
    }
    char buffer[65536];
    std::size_t got;
    while (out.size() < wanted &&
           (got = std::fread(buffer, 1, std::min(sizeof buffer, wanted - out.size()), file)) > 0) {
        out.append(buffer, got);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed && !out.empty();
}

unsigned char* CCFileUtils::getFileData(const char* fullPath, const char* mode, unsigned long* size) const {
    if (size) {
        *size = 0;
    }
    std::string bytes;
    if (!fullPath || !readFile(fullPath, bytes)) {
        return nullptr;
    }
    unsigned char* data = new unsigned char[bytes.size()];
    std::memcpy(data, bytes.data(), bytes.size());
    if (size) {
        *size = static_cast<unsigned long>(bytes.size());
    }
    return data;
}

SDL_RWops* CCFileUtils::openStream(const std::string& fullPath) const {
    std::string name;
    if (archivedName(fullPath, name)) {
        return m_archive->openStream(name);
    }
    return isFileExist(fullPath) ? SDL_RWFromFile(fullPath.c_str(), "rb") : nullptr;
}

std::string CCFileUtils::resourceDamage() const {
    return m_archive ? m_archive->damage() : std::string();
}

bool CCFileUtils::verifyResources(std::string& error) const {
    return !m_archive || m_archive->verify(error);
}

}  // namespace lirava
