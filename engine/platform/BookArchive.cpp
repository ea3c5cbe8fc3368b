#include "engine/platform/BookArchive.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "engine/platform/LibZip.h"

namespace lirava {

namespace {

// libzip's functions; only called once an archive has been opened, so the library is loaded.
const LibZip& lz() {
    static const LibZip* loaded = [] {
        std::string ignored;
        return loadLibZip(ignored);
    }();
    return *loaded;
}

// Deflate cannot pack more than about 1032 bytes into one; an entry that claims more is lying
// about its size, or is built to blow up.
constexpr unsigned long long kDeflateMostRatio = 1032;
constexpr zip_int64_t kMostEntries = 1000000;

std::string libzipMessage(int code) {
    zip_error_t error;
    lz().errorInitWithCode(&error, code);
    std::string text = lz().errorStrerror(&error);
    lz().errorFini(&error);
    return text;
}

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
    zip_uint64_t index = 0;
    zip_uint64_t size = 0;
    bool stored = false;
};

}  // namespace

struct BookArchive::State {
    std::string label;
    // libzip's archive is not safe for use from two threads at once: every call holds the lock.
    mutable std::mutex lock;
    zip_t* zip = nullptr;
    std::unordered_map<std::string, Entry> entries;
    mutable std::string damage;
    // The archive's bytes when it was opened from memory; libzip reads them in place.
    std::string bytes;

    ~State() {
        if (zip) {
            lz().discard(zip);
        }
    }

    void noteDamage(const std::string& text) const {
        if (damage.empty()) {
            damage = text;
        }
    }

    // Reads one whole entry; the lock is held. Stops one byte past the recorded size, so a lying
    // entry costs no more memory than an honest one.
    bool readLocked(const std::string& name, const Entry& entry, std::string& out) const {
        out.clear();
        zip_file_t* file = lz().fopenIndex(zip, entry.index, 0);
        if (!file) {
            noteDamage(label + ": \"" + shown(name) + "\" cannot be read: " + lz().strerror(zip));
            return false;
        }
        // Grown as the data comes rather than sized by the record, which may lie.
        const std::size_t most = static_cast<std::size_t>(entry.size) + 1;
        out.resize(std::min<std::size_t>(most, 1 << 20));
        zip_uint64_t got = 0;
        bool failed = false;
        while (got < most) {
            if (got == out.size()) {
                out.resize(std::min(most, out.size() * 2));
            }
            const zip_int64_t n = lz().fread(file, &out[got], out.size() - got);
            if (n < 0) {
                failed = true;
                break;
            }
            if (n == 0) {
                break;
            }
            got += static_cast<zip_uint64_t>(n);
        }
        if (failed) {
            noteDamage(label + ": \"" + shown(name) + "\" is damaged: " + lz().fileStrerror(file));
        } else if (got != entry.size) {
            noteDamage(label + ": \"" + shown(name) + "\" is damaged: its data does not match its recorded size of " +
                       std::to_string(entry.size) + " bytes");
            failed = true;
        }
        lz().fclose(file);
        if (failed) {
            out.clear();
            out.shrink_to_fit();
            return false;
        }
        out.resize(static_cast<std::size_t>(got));
        return true;
    }
};

namespace {

using State = BookArchive::State;

// A stream over a stored entry, read from the archive as it is read.
struct EntryStream {
    std::shared_ptr<const State> state;
    std::string name;
    zip_file_t* file = nullptr;
    Sint64 size = 0;
    Sint64 position = 0;
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
        std::lock_guard<std::mutex> guard(stream->state->lock);
        if (lz().fseek(stream->file, target, SEEK_SET) != 0) {
            return SDL_SetError("cannot seek in \"%s\"", stream->name.c_str());
        }
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
    std::size_t got = 0;
    std::lock_guard<std::mutex> guard(stream->state->lock);
    while (got < wanted) {
        const zip_int64_t n = lz().fread(stream->file, static_cast<char*>(out) + got, wanted - got);
        if (n <= 0) {
            stream->state->noteDamage(stream->state->label + ": \"" + shown(stream->name) +
                                      "\" is damaged: its data ends before its recorded size");
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    stream->position += static_cast<Sint64>(got);
    return got / size;
}

size_t noWrite(SDL_RWops*, const void*, size_t, size_t) {
    SDL_SetError("book files are read-only");
    return 0;
}

int entryClose(SDL_RWops* rw) {
    auto* stream = static_cast<EntryStream*>(rw->hidden.unknown.data1);
    {
        std::lock_guard<std::mutex> guard(stream->state->lock);
        lz().fclose(stream->file);
    }
    delete stream;
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
    const zip_int64_t count = lz().getNumEntries(state.zip, 0);
    if (count < 0 || count > kMostEntries) {
        error = state.label + ": the archive's central directory is damaged (" + std::to_string(count) + " entries)";
        return false;
    }
    struct Named {
        std::string name;
        Entry entry;
    };
    std::vector<Named> files;
    unsigned long long total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t info;
        lz().statInit(&info);
        if (lz().statIndex(state.zip, static_cast<zip_uint64_t>(i), 0, &info) != 0 || !(info.valid & ZIP_STAT_NAME) ||
            !(info.valid & ZIP_STAT_SIZE) || !(info.valid & ZIP_STAT_COMP_SIZE) ||
            !(info.valid & ZIP_STAT_COMP_METHOD)) {
            error = state.label + ": the archive's central directory is damaged (entry " + std::to_string(i) +
                    " cannot be read)";
            return false;
        }
        std::string name = info.name;
        const bool folder = !name.empty() && name.back() == '/';
        const std::string checked = folder ? name.substr(0, name.size() - 1) : name;
        if (!staysInside(checked)) {
            error = state.label + ": the entry \"" + shown(name) +
                    "\" names a place outside the book; the archive is refused";
            return false;
        }
        if (folder) {
            continue;
        }
        if ((info.valid & ZIP_STAT_ENCRYPTION_METHOD) && info.encryption_method != ZIP_EM_NONE) {
            error = state.label + ": \"" + shown(name) + "\" is encrypted; a book cannot be";
            return false;
        }
        const bool stored = info.comp_method == ZIP_CM_STORE;
        if (!stored && info.comp_method != ZIP_CM_DEFLATE) {
            error = state.label + ": \"" + shown(name) + "\" is compressed with a method other than deflate (" +
                    std::to_string(info.comp_method) + ")";
            return false;
        }
        if (stored && info.size != info.comp_size) {
            error = state.label + ": \"" + shown(name) + "\" is damaged: its recorded size (" +
                    std::to_string(info.size) + " bytes) does not match its stored data (" +
                    std::to_string(info.comp_size) + " bytes)";
            return false;
        }
        if (!stored && info.size > info.comp_size * kDeflateMostRatio + 64) {
            error = state.label + ": \"" + shown(name) + "\" claims to unpack " + std::to_string(info.comp_size) +
                    " bytes to " + std::to_string(info.size) +
                    ", more than compression can give: the archive is damaged or a compression bomb";
            return false;
        }
        if (info.size > BookArchive::kLargestEntry) {
            error = state.label + ": \"" + shown(name) + "\" would unpack to " + std::to_string(info.size >> 20) +
                    " MiB, more than the " + std::to_string(BookArchive::kLargestEntry >> 20) +
                    " MiB a book file may hold (a compression bomb?)";
            return false;
        }
        total += info.size;
        if (total > BookArchive::kLargestBook) {
            error = state.label + ": the archive would unpack to more than " +
                    std::to_string(BookArchive::kLargestBook >> 30) +
                    " GiB, more than a book may hold (a compression bomb?)";
            return false;
        }
        files.push_back({name, Entry{static_cast<zip_uint64_t>(i), info.size, stored}});
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
// record that ends a ZIP archive: libzip says "not a zip archive" both when it is missing (a
// truncated file) and when the directory it points to does not hold together.
bool hasEndRecord(const char* bytes, std::size_t size) {
    static const char kSignature[] = {'P', 'K', 5, 6};
    const std::size_t from = size > 65600 ? size - 65600 : 0;
    return std::search(bytes + from, bytes + size, kSignature, kSignature + 4) != bytes + size;
}

bool fileHasEndRecord(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return false;
    }
    std::string tail(65600, '\0');
    std::size_t got = 0;
    if (std::fseek(file, -static_cast<long>(tail.size()), SEEK_END) != 0) {
        std::rewind(file);
    }
    got = std::fread(&tail[0], 1, tail.size(), file);
    std::fclose(file);
    return hasEndRecord(tail.data(), got);
}

std::string openMessage(const std::string& label, int code, const std::string& detail, bool endRecord) {
    switch (code) {
        case ZIP_ER_NOZIP:
            if (endRecord) {
                return label + ": the archive's central directory is damaged (" + detail + ")";
            }
            return label + ": not a book archive, or a truncated one (no ZIP central directory at its end)";
        case ZIP_ER_INCONS:
            return label + ": the archive's central directory is damaged (" + detail + ")";
        case ZIP_ER_NOENT:
            return label + ": no such file";
        default:
            return label + ": cannot be read as a book archive: " + detail;
    }
}

}  // namespace

BookArchive::BookArchive(std::shared_ptr<State> state) : m_state(std::move(state)) {}

BookArchive::~BookArchive() = default;

std::unique_ptr<BookArchive> BookArchive::open(const std::string& path, std::string& error) {
    if (!loadLibZip(error)) {
        error = path + ": " + error;
        return nullptr;
    }
    auto state = std::make_shared<State>();
    state->label = path;
    int code = 0;
    // No ZIP_CHECKCONS: comparing every local header with the central directory reads the whole
    // file's headers (12 ms for the sample book, ten times the rest of the opening). A header
    // that disagrees is found when its file is read, as lying sizes and checksums are.
    state->zip = lz().open(path.c_str(), ZIP_RDONLY, &code);
    if (!state->zip) {
        error = openMessage(path, code, libzipMessage(code), code == ZIP_ER_NOZIP && fileHasEndRecord(path));
        return nullptr;
    }
    if (!indexEntries(*state, error)) {
        return nullptr;
    }
    return std::unique_ptr<BookArchive>(new BookArchive(std::move(state)));
}

std::unique_ptr<BookArchive> BookArchive::openBytes(const std::string& bytes, const std::string& label,
                                                    std::string& error) {
    if (!loadLibZip(error)) {
        error = label + ": " + error;
        return nullptr;
    }
    auto state = std::make_shared<State>();
    state->label = label;
    state->bytes = bytes;
    zip_error_t zipError;
    lz().errorInit(&zipError);
    zip_source_t* source = lz().sourceBufferCreate(state->bytes.data(), state->bytes.size(), 0, &zipError);
    if (source) {
        state->zip = lz().openFromSource(source, ZIP_RDONLY, &zipError);
        if (!state->zip) {
            lz().sourceFree(source);
        }
    }
    if (!state->zip) {
        error = openMessage(label, lz().errorCodeZip(&zipError), lz().errorStrerror(&zipError),
                            hasEndRecord(state->bytes.data(), state->bytes.size()));
        lz().errorFini(&zipError);
        return nullptr;
    }
    lz().errorFini(&zipError);
    if (!indexEntries(*state, error)) {
        return nullptr;
    }
    return std::unique_ptr<BookArchive>(new BookArchive(std::move(state)));
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
        zip_file_t* file = nullptr;
        {
            std::lock_guard<std::mutex> guard(m_state->lock);
            file = lz().fopenIndex(m_state->zip, entry.index, 0);
        }
        if (file) {
            auto* stream = new EntryStream{m_state, name, file, static_cast<Sint64>(entry.size), 0};
            if (SDL_RWops* rw = newStream(stream, entrySize, entrySeek, entryRead, entryClose)) {
                return rw;
            }
            std::lock_guard<std::mutex> guard(m_state->lock);
            lz().fclose(file);
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
    std::vector<std::pair<zip_uint64_t, const std::string*>> order;
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
