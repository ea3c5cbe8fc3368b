#include "tools/make/ArchiveWriter.h"

#include <zip.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace lirava::make {
namespace {

bool storedAsIs(const std::string& name) {
    for (const char* suffix : {".mp3", ".jpg", ".jpeg", ".png"}) {
        const std::size_t n = std::char_traits<char>::length(suffix);
        if (name.size() >= n && name.compare(name.size() - n, n, suffix) == 0) {
            return true;
        }
    }
    return false;
}

// One fixed time for every entry, so that the same book makes the same archive.
constexpr time_t kEntryTime = 315532800;  // 1980-01-01, the earliest a ZIP entry can say

}  // namespace

bool ArchiveWriter::pack(const std::string& folder, const std::string& archive, std::string& error) {
    std::vector<std::string> names;
    std::error_code code;
    for (fs::recursive_directory_iterator it(folder, code), end; it != end && !code; it.increment(code)) {
        if (it->is_regular_file()) {
            names.push_back(fs::relative(it->path(), folder).generic_string());
        }
    }
    if (code) {
        error = "cannot read the made book: " + code.message();
        return false;
    }
    std::sort(names.begin(), names.end());

    int status = 0;
    zip_t* zip = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &status);
    if (!zip) {
        zip_error_t why;
        zip_error_init_with_code(&why, status);
        error = archive + ": " + zip_error_strerror(&why);
        zip_error_fini(&why);
        return false;
    }
    for (const std::string& name : names) {
        const std::string path = folder + "/" + name;
        zip_source_t* source = zip_source_file(zip, path.c_str(), 0, -1);
        const zip_int64_t index = source ? zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip_source_free(source);
            error = "cannot add " + name + " to the archive: " + zip_strerror(zip);
            zip_discard(zip);
            return false;
        }
        zip_set_file_compression(zip, static_cast<zip_uint64_t>(index),
                                 storedAsIs(name) ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 9);
        zip_file_set_mtime(zip, static_cast<zip_uint64_t>(index), kEntryTime, 0);
    }
    // The archive is written here, at close; a full disk shows up now.
    if (zip_close(zip) != 0) {
        error = archive + ": cannot write the archive: " + zip_strerror(zip);
        zip_discard(zip);
        return false;
    }
    return true;
}

}  // namespace lirava::make
