#pragma once

#include <memory>
#include <string>
#include <vector>

struct SDL_RWops;

namespace lirava {

// A book kept as one ZIP file: the book folder's files under the same relative names, read into
// memory or streamed, never unpacked to disk. An archive whose files all sit in one top-level
// folder is read as if they sat at its root.
//
// Opening checks the whole central directory, so that a truncated or damaged file, a name that
// leaves the book ("../", absolute names), an entry too large to hold in memory and a book that
// would unpack to more than a book can hold are refused before anything is read. Damage that
// shows only in an entry's data (a recorded size or checksum that does not match) is found when
// the entry is read: the read fails and damage() reports it from then on.
//
// Safe to use from several threads (narration is streamed on the audio thread while pages are
// read on the main one); streams keep the archive open until they are closed.
class BookArchive {
public:
    // Largest entry read or streamed; larger ones are refused when the archive is opened.
    static constexpr unsigned long long kLargestEntry = 64ull << 20;
    // Most bytes all entries together may unpack to.
    static constexpr unsigned long long kLargestBook = 2ull << 30;

    // Null with a one-line reason (naming the file) when the archive cannot be read as a book.
    static std::unique_ptr<BookArchive> open(const std::string& path, std::string& error);
    // The same from bytes in memory; the archive keeps its own copy.
    static std::unique_ptr<BookArchive> openBytes(const std::string& bytes, const std::string& label,
                                                  std::string& error);
    ~BookArchive();

    // Whether the book holds a file of this relative name ("Images/a.png").
    bool contains(const std::string& name) const;
    // The whole file; false when it is missing or damaged (damage() then says which).
    bool read(const std::string& name, std::string& out) const;
    // A read-only stream over the file, owned by the caller (SDL_RWclose); null when missing.
    // Stored files are read from the archive as the stream is read; compressed ones are unpacked
    // into memory first.
    SDL_RWops* openStream(const std::string& name) const;
    // Reads every file through, checksums included; false with the first damage found.
    bool verify(std::string& error) const;

    // The first damage found in a file's data, as one line; empty while none was found.
    std::string damage() const;
    // Every file's name, sorted.
    std::vector<std::string> fileNames() const;

    struct State;

private:
    explicit BookArchive(std::shared_ptr<State> state);
    std::shared_ptr<State> m_state;
};

}  // namespace lirava
