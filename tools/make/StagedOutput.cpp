#include "tools/make/StagedOutput.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "tools/make/ArchiveWriter.h"

namespace fs = std::filesystem;

namespace lirava::make {
namespace {

std::string sibling(const std::string& out, const char* what) {
    const fs::path path(out);
    const std::string name = "." + path.filename().string() + "." + what + "-" + std::to_string(::getpid());
    return (path.parent_path().empty() ? fs::path(".") : path.parent_path()).append(name).string();
}

}  // namespace

StagedOutput::StagedOutput(std::string out) : m_out(std::move(out)) {
    while (m_out.size() > 1 && m_out.back() == '/') {
        m_out.pop_back();
    }
    const std::string suffix = ".lirava";
    m_archive = m_out.size() > suffix.size() && m_out.compare(m_out.size() - suffix.size(), suffix.size(), suffix) == 0;
    m_staging = sibling(m_out, "making");
}

StagedOutput::~StagedOutput() {
    if (m_begun) {
        std::error_code ignored;
        fs::remove_all(m_staging, ignored);
    }
}

bool StagedOutput::begin(std::string& error) {
    std::error_code code;
    const fs::file_status status = fs::symlink_status(m_out, code);
    if (fs::exists(status)) {
        if (m_archive && !fs::is_regular_file(status)) {
            error = m_out + " exists and is not a file; not replacing it";
            return false;
        }
        if (!m_archive && !fs::is_directory(status)) {
            error = m_out + " exists and is not a folder; not replacing it";
            return false;
        }
    }
    if (!fs::create_directory(m_staging, code)) {
        error = "cannot make the book beside " + m_out + ": " + (code ? code.message() : "the staging folder exists");
        return false;
    }
    m_begun = true;
    return true;
}

bool StagedOutput::commit(std::string& error) {
    return m_archive ? commitArchive(error) : commitFolder(error);
}

bool StagedOutput::commitFolder(std::string& error) {
    // A folder cannot be renamed over another that has files, so the old book steps aside first
    // and comes back if the new one cannot take its place.
    std::error_code code;
    const bool replacing = fs::exists(m_out, code);
    const std::string old = sibling(m_out, "old");
    if (replacing) {
        fs::rename(m_out, old, code);
        if (code) {
            error = "cannot replace " + m_out + ": " + code.message();
            return false;
        }
    }
    fs::rename(m_staging, m_out, code);
    if (code) {
        error = "cannot put the book at " + m_out + ": " + code.message();
        if (replacing) {
            std::error_code ignored;
            fs::rename(old, m_out, ignored);
        }
        return false;
    }
    m_begun = false;
    if (replacing) {
        fs::remove_all(old, code);
    }
    return true;
}

bool StagedOutput::commitArchive(std::string& error) {
    const std::string packed = sibling(m_out, "packing");
    if (!ArchiveWriter::pack(m_staging, packed, error)) {
        std::remove(packed.c_str());
        return false;
    }
    if (std::rename(packed.c_str(), m_out.c_str()) != 0) {
        error = "cannot put the book at " + m_out + ": " + std::strerror(errno);
        std::remove(packed.c_str());
        return false;
    }
    return true;
}

}  // namespace lirava::make
