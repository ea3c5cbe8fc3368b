#pragma once

#include <zip.h>

#include <string>

namespace lirava {

// libzip, loaded when the first archived book is opened rather than with the program. Debian's
// libzip brings OpenSSL's libcrypto and three compressors with it, whose loading alone costs
// 1.5 MiB of resident memory: every run would pay it, also the runs that read a folder.
struct LibZip {
    decltype(&::zip_open) open;
    decltype(&::zip_open_from_source) openFromSource;
    decltype(&::zip_discard) discard;
    decltype(&::zip_get_num_entries) getNumEntries;
    decltype(&::zip_stat_init) statInit;
    decltype(&::zip_stat_index) statIndex;
    decltype(&::zip_fopen_index) fopenIndex;
    decltype(&::zip_fread) fread;
    decltype(&::zip_fseek) fseek;
    decltype(&::zip_fclose) fclose;
    decltype(&::zip_strerror) strerror;
    decltype(&::zip_file_strerror) fileStrerror;
    decltype(&::zip_source_buffer_create) sourceBufferCreate;
    decltype(&::zip_source_free) sourceFree;
    decltype(&::zip_error_init) errorInit;
    decltype(&::zip_error_init_with_code) errorInitWithCode;
    decltype(&::zip_error_code_zip) errorCodeZip;
    decltype(&::zip_error_strerror) errorStrerror;
    decltype(&::zip_error_fini) errorFini;
};

// The library, loaded once (thread-safe); null with the reason when it cannot be.
const LibZip* loadLibZip(std::string& error);

}  // namespace lirava
