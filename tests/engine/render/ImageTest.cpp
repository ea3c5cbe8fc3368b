#include <gtest/gtest.h>

#include <string>

#include "engine/render/Image.h"
#include "support/TestImages.h"

namespace lirava {
namespace {

using test::kWhite;

ccColor4B at(const Image& image, int x, int y) {
    const std::uint8_t* p = image.pixel(x, y);
    return ccColor4B{p[0], p[1], p[2], p[3]};
}

TEST(Image, PngKeepsStraightAlphaAndRowOrder) {
    const std::string path = test::writePng("alpha.png", 3, 2, [](int x, int y) {
        return ccColor4B{static_cast<std::uint8_t>(x * 100), static_cast<std::uint8_t>(y * 200), 7,
                         static_cast<std::uint8_t>(x == 0 ? 0 : 128)};
    });
    Image image;
    ASSERT_TRUE(image.initWithFile(path));
    EXPECT_EQ(image.width(), 3);
    EXPECT_EQ(image.height(), 2);
    // Colour under a transparent or half-transparent pixel survives: nothing was premultiplied.
    EXPECT_EQ(at(image, 0, 0), (ccColor4B{0, 0, 7, 0}));
    EXPECT_EQ(at(image, 2, 1), (ccColor4B{200, 200, 7, 128}));
}

TEST(Image, CopiesOfADecodedImageAreTheirOwn) {
    // A decoded image keeps the decoder's pixels; a copy must not share them, and a moved-from
    // image must be empty rather than point at pixels it no longer owns.
    const std::string path = test::writePng("own.png", 4, 4, [](int, int) { return ccColor4B{10, 20, 30, 255}; });
    Image decoded;
    ASSERT_TRUE(decoded.initWithFile(path));
    Image copy = decoded;
    copy.pixel(1, 1)[0] = 99;
    EXPECT_EQ(at(decoded, 1, 1), (ccColor4B{10, 20, 30, 255}));
    Image moved = std::move(decoded);
    EXPECT_TRUE(decoded.isEmpty());  // NOLINT(bugprone-use-after-move): checking the moved-from state
    EXPECT_EQ(at(moved, 3, 3), (ccColor4B{10, 20, 30, 255}));
    copy = moved;
    EXPECT_EQ(at(copy, 1, 1), (ccColor4B{10, 20, 30, 255}));
}

TEST(Image, JpegDecodesToOpaqueRgba) {
    const Image source = test::makeImage(32, 32, [](int x, int y) { return test::quadrant(x, y, 32, 32); });
    const std::string path = test::scratchDir() + "quadrants.jpg";
    ASSERT_TRUE(source.saveToJPG(path, 95));
    Image image;
    ASSERT_TRUE(image.initWithFile(path));
    EXPECT_EQ(image.width(), 32);
    const ccColor4B topLeft = at(image, 4, 4);
    const ccColor4B bottomLeft = at(image, 4, 28);
    EXPECT_GT(topLeft.r, 200);
    EXPECT_LT(topLeft.b, 60);
    EXPECT_GT(bottomLeft.b, 200);
    EXPECT_EQ(bottomLeft.a, 255);
}

TEST(Image, BrokenFilesGiveNoImage) {
    const std::string png = test::readBytes(test::writePng("whole.png", 40, 40, [](int x, int y) {
        return ccColor4B{static_cast<std::uint8_t>(x * 6), static_cast<std::uint8_t>(y * 6), 0, 255};
    }));
    const Image jpegSource = test::makeImage(40, 40, [](int x, int y) { return test::quadrant(x, y, 40, 40); });
    ASSERT_TRUE(jpegSource.saveToJPG(test::scratchDir() + "whole.jpg"));
    const std::string jpeg = test::readBytes(test::scratchDir() + "whole.jpg");

    Image image;
    EXPECT_FALSE(image.initWithEncodedData(png.data(), png.size() / 2)) << "truncated PNG";
    EXPECT_FALSE(image.initWithEncodedData(jpeg.data(), jpeg.size() - 40)) << "truncated JPEG";
    EXPECT_FALSE(image.initWithEncodedData(png.data(), 0)) << "zero bytes";
    EXPECT_FALSE(image.initWithEncodedData(nullptr, 10));
    const std::string garbage(500, '\x5a');
    EXPECT_FALSE(image.initWithEncodedData(garbage.data(), garbage.size()));
    EXPECT_FALSE(image.initWithFile(test::writeFile("empty.png", "")));
    EXPECT_FALSE(image.initWithFile(test::scratchDir() + "no-such-file.png"));
    EXPECT_TRUE(image.isEmpty());

    // Corrupt bytes in the middle of the data: no crash, whatever the decoder makes of it.
    std::string damaged = png;
    for (std::size_t i = 60; i < damaged.size(); i += 7) {
        damaged[i] = static_cast<char>(damaged[i] ^ 0x55);
    }
    image.initWithEncodedData(damaged.data(), damaged.size());
    std::string damagedJpeg = jpeg;
    for (std::size_t i = jpeg.size() / 2; i < damagedJpeg.size() - 2; i += 5) {
        damagedJpeg[i] = static_cast<char>(damagedJpeg[i] ^ 0x33);
    }
    image.initWithEncodedData(damagedJpeg.data(), damagedJpeg.size());
}

TEST(Image, HostileHeaderSizesAreRefusedBeforeDecoding) {
    std::string png = test::readBytes(test::writePng("small.png", 4, 4, [](int, int) { return kWhite; }));
    // Claim 100000 x 100000 pixels in the header.
    const unsigned char huge[4] = {0x00, 0x01, 0x86, 0xA0};
    png.replace(16, 4, reinterpret_cast<const char*>(huge), 4);
    png.replace(20, 4, reinterpret_cast<const char*>(huge), 4);
    int width = 0;
    int height = 0;
    EXPECT_TRUE(probeImageSize(reinterpret_cast<const std::uint8_t*>(png.data()), png.size(), width, height));
    EXPECT_EQ(width, 100000);
    Image image;
    EXPECT_FALSE(image.initWithEncodedData(png.data(), png.size()));
}

TEST(Image, RawDataAndBlankImages) {
    const std::uint8_t pixels[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    Image image;
    ASSERT_TRUE(image.initWithRawData(pixels, 2, 1));
    EXPECT_EQ(at(image, 1, 0), (ccColor4B{5, 6, 7, 8}));
    EXPECT_FALSE(image.initWithRawData(pixels, 0, 1));
    EXPECT_TRUE(Image(0, 5).isEmpty());
    EXPECT_TRUE(Image(Image::kMaxSide + 1, 1).isEmpty());
    EXPECT_EQ(at(Image(2, 2), 1, 1), (ccColor4B{255, 255, 255, 0}));
}

}  // namespace
}  // namespace lirava
