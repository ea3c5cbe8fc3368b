#include "engine/platform/CCFileUtils.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

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

void CCFileUtils::setResourceRoot(const std::string& root) {
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
    struct stat info;
    return !fullPath.empty() && ::stat(fullPath.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool CCFileUtils::isNewFailure(const std::string& fullPath) const {
    return m_failed.insert(fullPath).second;
}

bool CCFileUtils::readFile(const std::string& fullPath, std::string& out) const {
    out.clear();
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

}  // namespace lirava
