#include "engine/platform/BookArchive.h"

#include <SDL.h>
#include <fcntl.h>
#include <minizip/unzip.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace lirava {

namespace {

// Deflate cannot pack more than about 1032 bytes into one; an entry that claims more is lying
// about its size, or is built to blow up.
constexpr unsigned long long kDeflateMostRatio = 1032;
constexpr ZPOS64_T kMostEntries = 1000000;
// Compressed data is fed to zlib in pieces of this size.
constexpr std::size_t kPiece = 64 << 10;

// Printable, bounded echo of an entry name for one-line messages.
std::string shown(const std::string& name) {
    std::string text;
    for (char c : name) {
        if (text.size() >= 100) {
            text += "...";
            break;
        }
        const auto byte = static_cast<unsigned char>(c);
        text += (byte >= 0x20 && byte != 0x7f) ? c : '?';
    }
    return text;
}

// A name that stays inside the book: relative, no "." or ".." part, no empty part, no
// backslash (which some systems take for a folder separator).
bool staysInside(const std::string& name) {
    if (name.empty() || name[0] == '/' || name.find('\\') != std::string::npos ||
        (name.size() >= 2 && name[1] == ':')) {
        return false;
    }
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find('/', start);
        if (end == std::string::npos) {
            end = name.size();
        }
        const std::string part = name.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") {
            return false;
        }
        start = end + 1;
    }
    return true;
}

struct Entry {
    // Where the entry's record sits in the central directory (unzSetOffset64).
    ZPOS64_T index = 0;
    ZPOS64_T size = 0;
    ZPOS64_T packedSize = 0;
    uLong crc = 0;
    bool stored = false;
};

// The archive's bytes as minizip reads them: a file read with pread, or bytes in memory. The
// position is minizip's; streams read at offsets of their own and leave it alone.
struct Source {
    int fd = -1;
    std::string bytes;
    ZPOS64_T size = 0;
    ZPOS64_T position = 0;

    // Up to `count` bytes at `offset`; fewer at the end, or on a read error.
    std::size_t readAt(ZPOS64_T offset, void* out, std::size_t count) const {
        if (offset >= size) {
            return 0;
        }
        count = static_cast<std::size_t>(std::min<ZPOS64_T>(count, size - offset));
        if (fd < 0) {
            std::memcpy(out, bytes.data() + offset, count);
            return count;
        }
        std::size_t got = 0;
        while (got < count) {
            const ssize_t n = ::pread(fd, static_cast<char*>(out) + got, count - got, static_cast<off_t>(offset + got));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        return got;
    }

    // The same for minizip, which reads headers a few bytes at a time: small reads of a file
    // are served from a window of it, so that opening a book of 600 files is not 40,000 reads.
    std::size_t readBuffered(ZPOS64_T offset, void* out, std::size_t count) {
        if (fd < 0 || count >= kWindow) {
            return readAt(offset, out, count);
        }
        std::size_t done = 0;
        while (done < count) {
            const ZPOS64_T at = offset + done;
            if (at < windowStart || at >= windowStart + windowFill) {
                window.resize(kWindow);
                windowStart = at;
                windowFill = readAt(at, window.data(), window.size());
                if (windowFill == 0) {
                    break;
                }
            }
            const auto n = static_cast<std::size_t>(std::min<ZPOS64_T>(count - done, windowStart + windowFill - at));
            std::memcpy(static_cast<char*>(out) + done, window.data() + (at - windowStart), n);
            done += n;
        }
        return done;
    }

    static constexpr std::size_t kWindow = 16 << 10;
    std::vector<char> window;
    ZPOS64_T windowStart = 0;
    std::size_t windowFill = 0;
};

voidpf ZCALLBACK sourceOpen(voidpf opaque, const void*, int) {
    return opaque;
}

uLong ZCALLBACK sourceRead(voidpf, voidpf stream, void* out, uLong count) {
    auto* source = static_cast<Source*>(stream);
    const std::size_t got = source->readBuffered(source->position, out, count);
    source->position += got;
    return static_cast<uLong>(got);
}

uLong ZCALLBACK sourceWrite(voidpf, voidpf, const void*, uLong) {
    return 0;
}

ZPOS64_T ZCALLBACK sourceTell(voidpf, voidpf stream) {
    return static_cast<Source*>(stream)->position;
}

long ZCALLBACK sourceSeek(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto* source = static_cast<Source*>(stream);
    ZPOS64_T target = offset;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) {
        target = source->position + offset;
    } else if (origin == ZLIB_FILEFUNC_SEEK_END) {
        target = source->size + offset;
    }
    if (target > source->size) {
        return -1;
    }
    source->position = target;
    return 0;
}

// The source belongs to the archive's state, which closes it.
int ZCALLBACK sourceClose(voidpf, voidpf) {
    return 0;
}

int ZCALLBACK sourceError(voidpf, voidpf) {
    return 0;
}

}  // namespace

struct BookArchive::State {
    std::string label;
    // minizip's archive has one position and one open entry: every call holds the lock, and so
    // does every read of the source.
    mutable std::mutex lock;
    Source source;
    unzFile zip = nullptr;
    std::unordered_map<std::string, Entry> entries;
    mutable std::string damage;

    ~State() {
        if (zip) {
            unzClose(zip);
        }
        if (source.fd >= 0) {
            ::close(source.fd);
        }
    }

    void noteDamage(const std::string& text) const {
        if (damage.empty()) {
            damage = text;
        }
    }

    // Opens the entry's data as it lies in the archive, unpacked by the caller; the lock is held.
    bool openRawLocked(const Entry& entry) const {
        int method = 0;
        int level = 0;
        return unzSetOffset64(zip, entry.index) == UNZ_OK && unzOpenCurrentFile2(zip, &method, &level, 1) == UNZ_OK;
    }

    // Reads one whole entry; the lock is held. Unpacks no more than one byte past the recorded
    // size, so a lying entry costs no more memory than an honest one; the size and the checksum
    // must both match the record.
    bool readLocked(const std::string& name, const Entry& entry, std::string& out) const {
        out.clear();
        if (!openRawLocked(entry)) {
            noteDamage(label + ": \"" + shown(name) + "\" cannot be read: its local header is damaged");
            return false;
        }
        // Grown as the data comes rather than sized by the record, which may lie.
        const std::size_t most = static_cast<std::size_t>(entry.size) + 1;
        out.resize(std::min<std::size_t>(most, 1 << 20));
        std::size_t got = 0;
        std::string fault;
        if (entry.stored) {
            while (got < most) {
                if (got == out.size()) {
                    out.resize(std::min(most, out.size() * 2));
                }
                const int n = unzReadCurrentFile(zip, &out[got], static_cast<unsigned>(std::min(out.size() - got, kPiece)));
                if (n < 0) {
                    fault = "its data cannot be read";
                    break;
                }
                if (n == 0) {
                    break;
                }
                got += static_cast<std::size_t>(n);
            }
        } else {
            fault = inflateLocked(out, most, got);
        }
        unzCloseCurrentFile(zip);
        if (fault.empty() && got != entry.size) {
            fault = "its data does not match its recorded size of " + std::to_string(entry.size) + " bytes";
        }
        if (fault.empty() &&
            crc32_z(crc32_z(0, nullptr, 0), reinterpret_cast<const Bytef*>(out.data()), got) != entry.crc) {
            fault = "its checksum does not match its record";
        }
        if (!fault.empty()) {
            noteDamage(label + ": \"" + shown(name) + "\" is damaged: " + fault);
            out.clear();
            out.shrink_to_fit();
            return false;
        }
        out.resize(got);
        return true;
    }

    // Unpacks the open entry's deflated data into `out`, at most `most` bytes; the lock is held.
    // Empty when the data ended where the deflate stream ends, else what went wrong.
    std::string inflateLocked(std::string& out, std::size_t most, std::size_t& got) const {
        z_stream unpacker{};
        if (inflateInit2(&unpacker, -MAX_WBITS) != Z_OK) {
            return "cannot unpack it";
        }
        std::vector<unsigned char> piece(kPiece);
        std::string fault;
        bool ended = false;
        while (!ended && fault.empty()) {
            const int n = unzReadCurrentFile(zip, piece.data(), static_cast<unsigned>(piece.size()));
            if (n < 0) {
                fault = "its data cannot be read";
                break;
            }
            if (n == 0) {
                fault = got == most - 1 ? "its compressed data ends early"
                                        : "its data does not match its recorded size of " +
                                              std::to_string(most - 1) + " bytes";
                break;
            }
            unpacker.next_in = piece.data();
            unpacker.avail_in = static_cast<uInt>(n);
            while (true) {
                if (got == out.size()) {
                    if (out.size() == most) {
                        // One byte more than recorded has come out.
                        fault = "its data does not match its recorded size of " + std::to_string(most - 1) + " bytes";
                        break;
                    }
                    out.resize(std::min(most, out.size() * 2));
                }
                const auto room = static_cast<uInt>(std::min<std::size_t>(out.size() - got, 1u << 30));
                unpacker.next_out = reinterpret_cast<Bytef*>(&out[got]);
                unpacker.avail_out = room;
                const int result = inflate(&unpacker, Z_NO_FLUSH);
                got += room - unpacker.avail_out;
                if (result == Z_STREAM_END) {
                    ended = true;
                    break;
                }
                if (result == Z_BUF_ERROR && unpacker.avail_in == 0) {
                    break;
                }
                if (result != Z_OK) {
                    fault = std::string("its compressed data is broken (") +
                            (unpacker.msg ? unpacker.msg : "zlib error " + std::to_string(result)) + ")";
                    break;
                }
                if (unpacker.avail_in == 0 && unpacker.avail_out > 0) {
                    break;
                }
            }
        }
        inflateEnd(&unpacker);
        return fault;
    }
};

namespace {

using State = BookArchive::State;

// A stream over a stored entry, read from the archive as it is read. The data is checked
// against the recorded checksum when it has been read through from its start.
struct EntryStream {
    std::shared_ptr<const State> state;
    std::string name;
    ZPOS64_T start = 0;
    Sint64 size = 0;
    Sint64 position = 0;
    uLong expectedCrc = 0;
    uLong crc = 0;
    // Whether every byte before the position was read, in order, and counted in crc.
    bool sequential = true;
};

// A stream over bytes it owns.
struct MemoryStream {
    std::string bytes;
    Sint64 position = 0;
};

Sint64 seekTo(Sint64 position, Sint64 size, Sint64 offset, int whence) {
    Sint64 target = whence == RW_SEEK_SET ? offset : whence == RW_SEEK_CUR ? position + offset : size + offset;
    return target < 0 ? -1 : std::min(target, size);
}

Sint64 entrySize(SDL_RWops* rw) {
    return static_cast<EntryStream*>(rw->hidden.unknown.data1)->size;
}

Sint64 entrySeek(SDL_RWops* rw, Sint64 offset, int whence) {
    auto* stream = static_cast<EntryStream*>(rw->hidden.unknown.data1);
    const Sint64 target = seekTo(stream->position, stream->size, offset, whence);
    if (target < 0) {
        return SDL_SetError("seek before the start of \"%s\"", stream->name.c_str());
    }
    if (target != stream->position) {
        stream->sequential = target == 0;
        stream->crc = 0;
    }
    stream->position = target;
    return target;
}

size_t entryRead(SDL_RWops* rw, void* out, size_t size, size_t count) {
    auto* stream = static_cast<EntryStream*>(rw->hidden.unknown.data1);
    if (size == 0 || count == 0) {
        return 0;
    }
    const auto left = static_cast<std::size_t>(stream->size - stream->position);
    const std::size_t wanted = std::min(count, left / size) * size;
    std::lock_guard<std::mutex> guard(stream->state->lock);
    const std::size_t got =
        stream->state->source.readAt(stream->start + static_cast<ZPOS64_T>(stream->position), out, wanted);
    if (got < wanted) {
        stream->state->noteDamage(stream->state->label + ": \"" + shown(stream->name) +
                                  "\" is damaged: its data ends before its recorded size");
    }
    if (stream->sequential) {
        stream->crc = crc32_z(stream->crc, static_cast<const Bytef*>(out), got);
    }
    stream->position += static_cast<Sint64>(got);
    if (stream->sequential && got > 0 && stream->position == stream->size && stream->crc != stream->expectedCrc) {
        stream->state->noteDamage(stream->state->label + ": \"" + shown(stream->name) +
                                  "\" is damaged: its checksum does not match its record");
    }
    return got / size;
}

size_t noWrite(SDL_RWops*, const void*, size_t, size_t) {
    SDL_SetError("book files are read-only");
    return 0;
}

int entryClose(SDL_RWops* rw) {
    delete static_cast<EntryStream*>(rw->hidden.unknown.data1);
    SDL_FreeRW(rw);
    return 0;
}

Sint64 memorySize(SDL_RWops* rw) {
    return static_cast<Sint64>(static_cast<MemoryStream*>(rw->hidden.unknown.data1)->bytes.size());
}

Sint64 memorySeek(SDL_RWops* rw, Sint64 offset, int whence) {
    auto* stream = static_cast<MemoryStream*>(rw->hidden.unknown.data1);
    const Sint64 target = seekTo(stream->position, static_cast<Sint64>(stream->bytes.size()), offset, whence);
    if (target < 0) {
        return SDL_SetError("seek before the start of a book file");
    }
    stream->position = target;
    return target;
}

size_t memoryRead(SDL_RWops* rw, void* out, size_t size, size_t count) {
    auto* stream = static_cast<MemoryStream*>(rw->hidden.unknown.data1);
    if (size == 0) {
        return 0;
    }
    const auto left = stream->bytes.size() - static_cast<std::size_t>(stream->position);
    const std::size_t items = std::min(count, left / size);
    std::memcpy(out, stream->bytes.data() + stream->position, items * size);
    stream->position += static_cast<Sint64>(items * size);
    return items;
}

int memoryClose(SDL_RWops* rw) {
    delete static_cast<MemoryStream*>(rw->hidden.unknown.data1);
    SDL_FreeRW(rw);
    return 0;
}

SDL_RWops* newStream(void* data, Sint64 (*size)(SDL_RWops*), Sint64 (*seek)(SDL_RWops*, Sint64, int),
                     size_t (*read)(SDL_RWops*, void*, size_t, size_t), int (*close)(SDL_RWops*)) {
    SDL_RWops* rw = SDL_AllocRW();
    if (!rw) {
        return nullptr;
    }
    rw->type = SDL_RWOPS_UNKNOWN;
    rw->size = size;
    rw->seek = seek;
    rw->read = read;
    rw->write = noWrite;
    rw->close = close;
    rw->hidden.unknown.data1 = data;
    return rw;
}

// Checks every entry of a freshly opened archive and indexes its files. False with the reason.
bool indexEntries(State& state, std::string& error) {
    unz_global_info64 global{};
    if (unzGetGlobalInfo64(state.zip, &global) != UNZ_OK || global.number_entry > kMostEntries) {
        error = state.label + ": the archive's central directory is damaged (" + std::to_string(global.number_entry) +
                " entries)";
        return false;
    }
    const ZPOS64_T count = global.number_entry;
    struct Named {
        std::string name;
        Entry entry;
    };
    std::vector<Named> files;
    unsigned long long total = 0;
    std::vector<char> nameBuffer(65536 + 1);
    for (ZPOS64_T i = 0; i < count; ++i) {
        unz_file_info64 info{};
        if ((i == 0 ? unzGoToFirstFile(state.zip) : unzGoToNextFile(state.zip)) != UNZ_OK ||
            unzGetCurrentFileInfo64(state.zip, &info, nameBuffer.data(), static_cast<uLong>(nameBuffer.size()), nullptr,
                                    0, nullptr, 0) != UNZ_OK) {
            error = state.label + ": the archive's central directory is damaged (entry " + std::to_string(i) +
                    " cannot be read)";
            return false;
        }
        std::string name(nameBuffer.data(), std::min<std::size_t>(info.size_filename, nameBuffer.size() - 1));
        const bool folder = !name.empty() && name.back() == '/';
        const std::string checked = folder ? name.substr(0, name.size() - 1) : name;
        if (!staysInside(checked) || name.find('\0') != std::string::npos) {
            error = state.label + ": the entry \"" + shown(name) +
                    "\" names a place outside the book; the archive is refused";
            return false;
        }
        if (folder) {
            continue;
        }
        if (info.flag & 1) {
            error = state.label + ": \"" + shown(name) + "\" is encrypted; a book cannot be";
            return false;
        }
        const bool stored = info.compression_method == 0;
        if (!stored && info.compression_method != Z_DEFLATED) {
            error = state.label + ": \"" + shown(name) + "\" is compressed with a method other than deflate (" +
                    std::to_string(info.compression_method) + ")";
            return false;
        }
        if (stored && info.uncompressed_size != info.compressed_size) {
            error = state.label + ": \"" + shown(name) + "\" is damaged: its recorded size (" +
                    std::to_string(info.uncompressed_size) + " bytes) does not match its stored data (" +
                    std::to_string(info.compressed_size) + " bytes)";
            return false;
        }
        if (!stored && info.uncompressed_size > info.compressed_size * kDeflateMostRatio + 64) {
            error = state.label + ": \"" + shown(name) + "\" claims to unpack " + std::to_string(info.compressed_size) +
                    " bytes to " + std::to_string(info.uncompressed_size) +
                    ", more than compression can give: the archive is damaged or a compression bomb";
            return false;
        }
        if (info.uncompressed_size > BookArchive::kLargestEntry) {
            error = state.label + ": \"" + shown(name) + "\" would unpack to " +
                    std::to_string(info.uncompressed_size >> 20) + " MiB, more than the " +
                    std::to_string(BookArchive::kLargestEntry >> 20) +
                    " MiB a book file may hold (a compression bomb?)";
            return false;
        }
        total += info.uncompressed_size;
        if (total > BookArchive::kLargestBook) {
            error = state.label + ": the archive would unpack to more than " +
                    std::to_string(BookArchive::kLargestBook >> 30) +
                    " GiB, more than a book may hold (a compression bomb?)";
            return false;
        }
        files.push_back(
            {name, Entry{unzGetOffset64(state.zip), info.uncompressed_size, info.compressed_size, info.crc, stored}});
    }

    // A file manager packs a folder as one top-level folder: its contents are the book.
    std::string prefix;
    if (!files.empty()) {
        const std::size_t slash = files.front().name.find('/');
        if (slash != std::string::npos) {
            prefix = files.front().name.substr(0, slash + 1);
            for (const Named& file : files) {
                if (file.name.compare(0, prefix.size(), prefix) != 0) {
                    prefix.clear();
                    break;
                }
            }
        }
    }
    for (Named& file : files) {
        std::string name = file.name.substr(prefix.size());
        if (!state.entries.emplace(name, file.entry).second) {
            error =
                state.label + ": the archive's central directory is damaged (\"" + shown(name) + "\" appears twice)";
            return false;
        }
    }
    return true;
}

// Whether the last 64 KiB (the longest archive comment and more) hold the signature of the
// record that ends a ZIP archive: minizip refuses an archive alike when it is missing (a
// truncated file) and when the directory it points to does not hold together.
bool hasEndRecord(const Source& source) {
    static const char kSignature[] = {'P', 'K', 5, 6};
    const ZPOS64_T from = source.size > 65600 ? source.size - 65600 : 0;
    std::string tail(static_cast<std::size_t>(source.size - from), '\0');
    const std::size_t got = source.readAt(from, &tail[0], tail.size());
    return std::search(tail.data(), tail.data() + got, kSignature, kSignature + 4) != tail.data() + got;
}

// Opens the archive over its source and indexes it. Null with the reason.
std::unique_ptr<BookArchive> finishOpening(std::shared_ptr<State> state, std::string& error,
                                           std::unique_ptr<BookArchive> (*make)(std::shared_ptr<State>)) {
    zlib_filefunc64_def functions{};
    functions.zopen64_file = sourceOpen;
    functions.zread_file = sourceRead;
    functions.zwrite_file = sourceWrite;
    functions.ztell64_file = sourceTell;
    functions.zseek64_file = sourceSeek;
    functions.zclose_file = sourceClose;
    functions.zerror_file = sourceError;
    functions.opaque = &state->source;
    // Only the end record and the first directory record are read here; indexEntries reads
    // the rest of the directory. A local header that disagrees with it is found when its file
    // is read, as lying sizes and checksums are.
    state->zip = unzOpen2_64(state->label.c_str(), &functions);
    if (!state->zip) {
        error = hasEndRecord(state->source)
                    ? state->label + ": the archive's central directory is damaged (its end record does not match it)"
                    : state->label + ": not a book archive, or a truncated one (no ZIP central directory at its end)";
        return nullptr;
    }
    if (!indexEntries(*state, error)) {
        return nullptr;
    }
    return make(std::move(state));
}

}  // namespace

BookArchive::BookArchive(std::shared_ptr<State> state) : m_state(std::move(state)) {}

BookArchive::~BookArchive() = default;

std::unique_ptr<BookArchive> BookArchive::open(const std::string& path, std::string& error) {
    auto state = std::make_shared<State>();
    state->label = path;
    state->source.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (state->source.fd < 0 || ::fstat(state->source.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int code = state->source.fd < 0 ? errno : EISDIR;
        error = code == ENOENT ? path + ": no such file"
                               : path + ": cannot be read as a book archive: " + std::strerror(code);
        return nullptr;
    }
    state->source.size = static_cast<ZPOS64_T>(info.st_size);
    return finishOpening(std::move(state), error, [](std::shared_ptr<State> opened) {
        return std::unique_ptr<BookArchive>(new BookArchive(std::move(opened)));
    });
}

std::unique_ptr<BookArchive> BookArchive::openBytes(const std::string& bytes, const std::string& label,
                                                    std::string& error) {
    auto state = std::make_shared<State>();
    state->label = label;
    state->source.bytes = bytes;
    state->source.size = bytes.size();
    return finishOpening(std::move(state), error, [](std::shared_ptr<State> opened) {
        return std::unique_ptr<BookArchive>(new BookArchive(std::move(opened)));
    });
}

bool BookArchive::contains(const std::string& name) const {
    return m_state->entries.count(name) != 0;
}

bool BookArchive::read(const std::string& name, std::string& out) const {
    out.clear();
    const auto found = m_state->entries.find(name);
    if (found == m_state->entries.end()) {
        return false;
    }
    std::lock_guard<std::mutex> guard(m_state->lock);
    return m_state->readLocked(name, found->second, out);
}

SDL_RWops* BookArchive::openStream(const std::string& name) const {
    const auto found = m_state->entries.find(name);
    if (found == m_state->entries.end()) {
        SDL_SetError("no file \"%s\" in the book", shown(name).c_str());
        return nullptr;
    }
    const Entry& entry = found->second;
    if (entry.stored) {
        // Where the data starts, past the local header; the data must lie whole in the archive.
        ZPOS64_T start = 0;
        bool whole = false;
        {
            std::lock_guard<std::mutex> guard(m_state->lock);
            if (m_state->openRawLocked(entry)) {
                start = unzGetCurrentFileZStreamPos64(m_state->zip);
                whole = start <= m_state->source.size && entry.size <= m_state->source.size - start;
                unzCloseCurrentFile(m_state->zip);
            }
        }
        if (whole) {
            auto* stream = new EntryStream{m_state, name, start, static_cast<Sint64>(entry.size), 0, entry.crc, 0, true};
            if (SDL_RWops* rw = newStream(stream, entrySize, entrySeek, entryRead, entryClose)) {
                return rw;
            }
            delete stream;
            return nullptr;
        }
    }
    // Compressed data cannot be sought in: unpacked whole, then read from memory.
    auto* stream = new MemoryStream();
    if (!read(name, stream->bytes)) {
        delete stream;
        SDL_SetError("\"%s\" cannot be read from the book", shown(name).c_str());
        return nullptr;
    }
    SDL_RWops* rw = newStream(stream, memorySize, memorySeek, memoryRead, memoryClose);
    if (!rw) {
        delete stream;
    }
    return rw;
}

bool BookArchive::verify(std::string& error) const {
    std::vector<std::pair<ZPOS64_T, const std::string*>> order;
    for (const auto& item : m_state->entries) {
        order.emplace_back(item.second.index, &item.first);
    }
    // In archive order, so the file is read front to back.
    std::sort(order.begin(), order.end());
    std::string bytes;
    for (const auto& item : order) {
        if (!read(*item.second, bytes)) {
            error = damage();
            return false;
        }
    }
    return true;
}

std::string BookArchive::damage() const {
    std::lock_guard<std::mutex> guard(m_state->lock);
    return m_state->damage;
}

std::vector<std::string> BookArchive::fileNames() const {
    std::vector<std::string> names;
    names.reserve(m_state->entries.size());
    for (const auto& item : m_state->entries) {
        names.push_back(item.first);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace lirava
