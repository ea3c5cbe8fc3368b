// Any bytes as a one-file book: opened, every file read whole and streamed, and the stream
// checked against the whole read (sizes, bytes, seeks), then the whole archive verified. Hostile
// archives must be refused with a reason or read within their recorded sizes, never crash.
#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "engine/platform/BookArchive.h"

using namespace lirava;

namespace {

[[noreturn]] void fail(const char* what, const std::string& name) {
    std::fprintf(stderr, "book archive: %s (%s)\n", what, name.c_str());
    std::abort();
}

// Reads a stream to its end in uneven pieces.
std::string readAll(SDL_RWops* stream) {
    std::string bytes;
    char piece[777];
    std::size_t got;
    while ((got = SDL_RWread(stream, piece, 1, sizeof piece)) > 0) {
        bytes.append(piece, got);
    }
    return bytes;
}

void checkStream(const BookArchive& archive, const std::string& name) {
    std::string whole;
    const bool read = archive.read(name, whole);
    SDL_RWops* stream = archive.openStream(name);
    if (read && !stream) {
        fail("a file that reads whole cannot be streamed", name);
    }
    if (!stream) {
        return;
    }
    if (read) {
        if (SDL_RWsize(stream) != static_cast<Sint64>(whole.size()) || readAll(stream) != whole) {
            fail("the stream differs from the whole read", name);
        }
        const Sint64 middle = static_cast<Sint64>(whole.size() / 2);
        if (SDL_RWseek(stream, middle, RW_SEEK_SET) != middle || readAll(stream) != whole.substr(whole.size() / 2)) {
            fail("the stream reads wrongly after a seek", name);
        }
    } else {
        readAll(stream);
    }
    SDL_RWclose(stream);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    const std::unique_ptr<BookArchive> archive =
        BookArchive::openBytes(std::string(reinterpret_cast<const char*>(data), size), "fuzz.lirava", error);
    if (!archive) {
        if (error.empty()) {
            fail("refused without a reason", "");
        }
        return 0;
    }
    int checked = 0;
    for (const std::string& name : archive->fileNames()) {
        if (++checked > 64) {
            break;
        }
        checkStream(*archive, name);
    }
    if (!archive->verify(error) && error.empty()) {
        fail("verification failed without a reason", "");
    }
    return 0;
}
