#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <zip.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "engine/platform/BookArchive.h"
#include "engine/platform/CCFileUtils.h"

namespace lirava {
namespace {

struct File {
    std::string name;
    std::string bytes;
    bool stored;
};

// Writes a ZIP archive with libzip; returns its path.
std::string writeArchive(const std::string& name, const std::vector<File>& files) {
    const std::string path = ::testing::TempDir() + name + "-" + std::to_string(::getpid()) + ".lirava";
    int code = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    EXPECT_NE(zip, nullptr);
    for (const File& file : files) {
        zip_source_t* source = zip_source_buffer(zip, file.bytes.data(), file.bytes.size(), 0);
        const zip_int64_t index = zip_file_add(zip, file.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        EXPECT_GE(index, 0);
        zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), file.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
    }
    EXPECT_EQ(zip_close(zip), 0);
    return path;
}

std::string pattern(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 131 + seed * 7 + i / 1000) & 0xff);
    }
    return bytes;
}

std::string readFrom(SDL_RWops* stream, Sint64 offset, std::size_t count) {
    std::string bytes(count, '\0');
    EXPECT_EQ(SDL_RWseek(stream, offset, RW_SEEK_SET), offset);
    bytes.resize(SDL_RWread(stream, &bytes[0], 1, count));
    return bytes;
}

// Streams seek and read like files, stored data read in place and deflated data unpacked; the
// top-level folder of a packed folder is dropped; the file utilities reach it all under the
// archive's path, with document-relative "../" resolved and nothing outside the book.
TEST(BookArchive, StreamsAndReadsThroughTheFileUtilities) {
    const std::string track = pattern(300000, 1);
    const std::string table = std::string(5000, 'a') + "<key>book_title</key>";
    const std::string path = writeArchive(
        "streams", {{"book/epc/a.mp3", track, true}, {"book/String.xml", table, false}, {"book/Images/", "", true}});
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    std::string error;
    ASSERT_TRUE(files->openResourceRoot(path, error)) << error;
    EXPECT_TRUE(files->isArchiveRoot());

    for (const auto& [name, bytes] : {std::pair{"epc/a.mp3", track}, {"String.xml", table}}) {
        SDL_RWops* stream = files->openStream(files->fullPathForFilename(name));
        ASSERT_NE(stream, nullptr) << name;
        EXPECT_EQ(SDL_RWsize(stream), static_cast<Sint64>(bytes.size()));
        EXPECT_EQ(readFrom(stream, 4000, 2000), bytes.substr(4000, 2000)) << name;
        EXPECT_EQ(readFrom(stream, 17, 10), bytes.substr(17, 10)) << name;
        EXPECT_EQ(readFrom(stream, static_cast<Sint64>(bytes.size()) - 5, 100), bytes.substr(bytes.size() - 5));
        EXPECT_EQ(SDL_RWseek(stream, -1, RW_SEEK_SET), -1);
        SDL_RWclose(stream);
    }
    std::string read;
    EXPECT_TRUE(files->readFile(files->fullPathForFilename("Images/../String.xml"), read));
    EXPECT_EQ(read, table);
    EXPECT_FALSE(files->isFileExist(files->fullPathForFilename("../streams.lirava")));
    EXPECT_FALSE(files->isFileExist(files->fullPathForFilename("Images")));
    EXPECT_EQ(files->openStream(files->fullPathForFilename("epc/missing.mp3")), nullptr);
    EXPECT_TRUE(files->verifyResources(error));
    EXPECT_EQ(files->resourceDamage(), "");

    files->setResourceRoot(::testing::TempDir());
    EXPECT_FALSE(files->isArchiveRoot());
    ::unlink(path.c_str());
}

// Narration streams on the audio thread while pages are read on the main one: both get their
// own bytes, and a stream outlives the archive it came from.
TEST(BookArchive, ReadsFromTwoThreadsAtOnce) {
    std::vector<File> content;
    for (unsigned i = 0; i < 8; ++i) {
        content.push_back({"f" + std::to_string(i), pattern(40000 + i * 1000, i), i % 2 == 0});
    }
    const std::string path = writeArchive("threads", content);
    std::string error;
    std::unique_ptr<BookArchive> archive = BookArchive::open(path, error);
    ASSERT_NE(archive, nullptr) << error;
    SDL_RWops* kept = archive->openStream("f0");

    auto reader = [&](unsigned offset, int& wrong) {
        for (int round = 0; round < 40; ++round) {
            const File& file = content[(round + offset) % content.size()];
            SDL_RWops* stream = archive->openStream(file.name);
            std::string bytes(file.bytes.size(), '\0');
            std::size_t got = 0;
            while (stream && got < bytes.size()) {
                const std::size_t n =
                    SDL_RWread(stream, &bytes[got], 1, std::min<std::size_t>(4096, bytes.size() - got));
                if (n == 0) {
                    break;
                }
                got += n;
            }
            std::string whole;
            wrong += (bytes != file.bytes) + !(archive->read(file.name, whole) && whole == file.bytes);
            if (stream) {
                SDL_RWclose(stream);
            }
        }
    };
    int wrongA = 0;
    int wrongB = 0;
    std::thread other(reader, 3u, std::ref(wrongB));
    reader(0, wrongA);
    other.join();
    EXPECT_EQ(wrongA + wrongB, 0);
    EXPECT_EQ(archive->damage(), "");

    archive.reset();
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(readFrom(kept, 100, 50), content[0].bytes.substr(100, 50));
    SDL_RWclose(kept);
    ::unlink(path.c_str());
}

}  // namespace
}  // namespace lirava
