#pragma once

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace lirava::test {

// A scratch folder for documents written by a test, removed with everything in it at the end.
class DocumentFolder {
public:
    DocumentFolder() {
        char pattern[] = "/tmp/lirava-doc-XXXXXX";
        const char* made = mkdtemp(pattern);
        m_path = made ? made : "/tmp";
    }
    ~DocumentFolder() {
        const std::string command = "rm -rf '" + m_path + "'";
        if (m_path != "/tmp") {
            [[maybe_unused]] int status = std::system(command.c_str());
        }
    }
    DocumentFolder(const DocumentFolder&) = delete;
    DocumentFolder& operator=(const DocumentFolder&) = delete;

    // Writes text to name (sub-folders are made) and returns the file's absolute path.
    std::string write(const std::string& name, const std::string& text) const {
        const std::string full = m_path + "/" + name;
        const std::size_t slash = full.rfind('/');
        const std::string command = "mkdir -p '" + full.substr(0, slash) + "'";
        [[maybe_unused]] int status = std::system(command.c_str());
        std::ofstream(full, std::ios::binary) << text;
        return full;
    }
    // Copies a file of the sample book into the folder.
    std::string copyFromBook(const std::string& bookName, const std::string& name) const {
        std::ifstream in(std::string(LIRAVA_SOURCE_DIR) + "/book/" + bookName, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return write(name, bytes);
    }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace lirava::test
