#pragma once

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace lirava::test {

// Writes an MP3 of silence: MPEG-1 layer III frames at 32 kbit/s, 44.1 kHz, mono, with empty
// side information, which decoders play as silence. Each frame lasts 1152 / 44100 s.
inline double silentMp3Seconds(int frames) {
    return frames * 1152.0 / 44100.0;
}

inline void writeSilentMp3(const std::string& path, int frames) {
    std::vector<unsigned char> bytes;
    for (int i = 0; i < frames; ++i) {
        const unsigned char header[4] = {0xFF, 0xFB, 0x10, 0xC0};
        bytes.insert(bytes.end(), header, header + 4);
        bytes.resize(bytes.size() + 100, 0);  // 104 bytes a frame at this rate
    }
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}

// A fresh folder for one test's files, removed with the object.
class ScratchFolder {
public:
    ScratchFolder() {
        static int counter = 0;
        m_path = std::filesystem::temp_directory_path() /
                 ("lirava-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

}  // namespace lirava::test
