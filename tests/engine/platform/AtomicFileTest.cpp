#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/platform/AtomicFile.h"
#include "tests/engine/audio/SilentMp3.h"

namespace lirava {
namespace {

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The failures (full disk, read-only folder) are tried for real by tests/resilience.
TEST(AtomicFile, ReplacesTheFileKeepingItsModeAndLeavesNothingElse) {
    test::ScratchFolder folder;
    const std::string path = folder.file("marker.txt");
    std::string error;
    ASSERT_TRUE(writeFileAtomically(path, "first\n", 6, error)) << error;
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);

    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    ASSERT_TRUE(writeFileAtomically(path, "second\n", 7, error)) << error;
    EXPECT_EQ(contents(path), "second\n");
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    EXPECT_FALSE(writeFileAtomically(folder.file("no-such-folder/file"), "x", 1, error));
    EXPECT_FALSE(error.empty());
    const auto entries = std::distance(std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()),
                                       std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace lirava
