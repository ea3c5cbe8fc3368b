#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "engine/base/ccTypes.h"
#include "engine/render/Image.h"

namespace lirava::test {

// A folder of files made by the tests, one per process.
inline const std::string& scratchDir() {
    static const std::string dir = [] {
        std::string path = ::testing::TempDir() + "lirava-sprites-" + std::to_string(::getpid()) + "/";
        std::filesystem::create_directories(path);
        return path;
    }();
    return dir;
}

inline Image makeImage(int width, int height, const std::function<ccColor4B(int, int)>& pixel) {
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const ccColor4B c = pixel(x, y);
            std::uint8_t* p = image.pixel(x, y);
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
            p[3] = c.a;
        }
    }
    return image;
}

// Writes a PNG into the scratch folder and returns its full path.
inline std::string writePng(const std::string& name, int width, int height,
                            const std::function<ccColor4B(int, int)>& pixel) {
    const std::string path = scratchDir() + name;
    EXPECT_TRUE(makeImage(width, height, pixel).saveToPNG(path));
    return path;
}

inline std::string writeFile(const std::string& name, const std::string& bytes) {
    const std::string path = scratchDir() + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Four solid quadrants: red top-left, green top-right, blue bottom-left, white bottom-right.
constexpr ccColor4B kRed = {255, 0, 0, 255};
constexpr ccColor4B kGreen = {0, 255, 0, 255};
constexpr ccColor4B kBlue = {0, 0, 255, 255};
constexpr ccColor4B kWhite = {255, 255, 255, 255};

inline ccColor4B quadrant(int x, int y, int width, int height) {
    const bool left = x < width / 2;
    const bool top = y < height / 2;
    return top ? (left ? kRed : kGreen) : (left ? kBlue : kWhite);
}

inline std::string writeQuadrants(const std::string& name, int width, int height) {
    return writePng(name, width, height, [=](int x, int y) { return quadrant(x, y, width, height); });
}

}  // namespace lirava::test
