#include "tools/align/LabelFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace lirava::align {

void LabelFile::write(std::ostream& out, const std::vector<WordTiming>& words) {
    char times[64];
    for (const WordTiming& word : words) {
        std::snprintf(times, sizeof times, "%.6f\t%.6f\t", word.start, word.end);
        out << times << word.word << '\n';
    }
}

bool LabelFile::save(const std::string& path, const std::vector<WordTiming>& words, std::string& error) {
    // The temporary file sits in the same folder, so the rename cannot cross file systems.
    const std::string temporary = path + ".part" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out) {
            write(out, words);
            out.flush();
        }
        if (!out) {
            error = path + ": cannot write: " + std::strerror(errno);
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = path + ": cannot write: " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace lirava::align
