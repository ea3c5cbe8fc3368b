#include "engine/platform/LibZip.h"

#include <dlfcn.h>

namespace lirava {

namespace {

struct Loaded {
    LibZip functions{};
    std::string error;
    bool ok = false;
};

template <typename Function>
bool bind(void* library, const char* name, Function& out, std::string& error) {
    out = reinterpret_cast<Function>(dlsym(library, name));
    if (!out && error.empty()) {
        error = std::string("libzip lacks ") + name;
    }
    return out != nullptr;
}

Loaded load() {
    Loaded loaded;
    // Kept loaded for the rest of the process: streams may outlive any one archive.
    void* library = dlopen("libzip.so.4", RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = dlerror();
        loaded.error = std::string("cannot load libzip to read a book archive: ") + (reason ? reason : "?");
        return loaded;
    }
    LibZip& z = loaded.functions;
    std::string& e = loaded.error;
    loaded.ok = bind(library, "zip_open", z.open, e) & bind(library, "zip_open_from_source", z.openFromSource, e) &
                bind(library, "zip_discard", z.discard, e) & bind(library, "zip_get_num_entries", z.getNumEntries, e) &
                bind(library, "zip_stat_init", z.statInit, e) & bind(library, "zip_stat_index", z.statIndex, e) &
                bind(library, "zip_fopen_index", z.fopenIndex, e) & bind(library, "zip_fread", z.fread, e) &
                bind(library, "zip_fseek", z.fseek, e) & bind(library, "zip_fclose", z.fclose, e) &
                bind(library, "zip_strerror", z.strerror, e) & bind(library, "zip_file_strerror", z.fileStrerror, e) &
                bind(library, "zip_source_buffer_create", z.sourceBufferCreate, e) &
                bind(library, "zip_source_free", z.sourceFree, e) & bind(library, "zip_error_init", z.errorInit, e) &
                bind(library, "zip_error_init_with_code", z.errorInitWithCode, e) &
                bind(library, "zip_error_code_zip", z.errorCodeZip, e) &
                bind(library, "zip_error_strerror", z.errorStrerror, e) &
                bind(library, "zip_error_fini", z.errorFini, e);
    return loaded;
}

}  // namespace

const LibZip* loadLibZip(std::string& error) {
    static const Loaded loaded = load();
    if (!loaded.ok) {
        error = loaded.error;
        return nullptr;
    }
    return &loaded.functions;
}

}  // namespace lirava
