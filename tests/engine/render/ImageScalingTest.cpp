#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/render/ImageScaling.h"

namespace lirava {
namespace {

Image imageOf(int width, int height, const std::vector<std::uint32_t>& rgba) {
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t pixel : rgba) {
        bytes.push_back(static_cast<std::uint8_t>(pixel >> 24));
        bytes.push_back(static_cast<std::uint8_t>(pixel >> 16));
        bytes.push_back(static_cast<std::uint8_t>(pixel >> 8));
        bytes.push_back(static_cast<std::uint8_t>(pixel));
    }
    Image image;
    image.initWithRawData(bytes.data(), width, height);
    return image;
}

std::uint32_t at(const Image& image, int x, int y) {
    const std::uint8_t* p = image.pixel(x, y);
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

TEST(ImageScaling, ShrinkingByAWholeFactorAveragesEachBlock) {
    // Two 2 x 2 blocks side by side: black and white in a checker, and plain blue.
    const Image source = imageOf(4, 2,
                                 {0x000000ff, 0xffffffff, 0x0000ffff, 0x0000ffff,  //
                                  0xffffffff, 0x000000ff, 0x0000ffff, 0x0000ffff});
    const Image half = scaledImage(source, 2, 1);
    ASSERT_EQ(half.width(), 2);
    ASSERT_EQ(half.height(), 1);
    EXPECT_EQ(at(half, 0, 0), 0x808080ffu);
    EXPECT_EQ(at(half, 1, 0), 0x0000ffffu);
}

TEST(ImageScaling, TransparentPixelsLendNoColour) {
    const Image source = imageOf(2, 1, {0xff0000ff, 0x00ff0000});
    EXPECT_EQ(at(scaledImage(source, 1, 1), 0, 0), 0xff000080u);
}

TEST(ImageScaling, EnlargingKeepsPlainAreasAndBlendsOnlyAtEdges) {
    const Image plain = scaledImage(imageOf(1, 1, {0x336699ff}), 3, 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(at(plain, x, y), 0x336699ffu);
        }
    }
    // Two pixels over three: the middle one straddles both halves.
    const Image wide = scaledImage(imageOf(2, 1, {0x000000ff, 0xffffffffu}), 3, 1);
    EXPECT_EQ(at(wide, 0, 0), 0x000000ffu);
    EXPECT_EQ(at(wide, 1, 0), 0x808080ffu);
    EXPECT_EQ(at(wide, 2, 0), 0xffffffffu);
}

TEST(ImageScaling, FittingKeepsTheProportionsOnATransparentSquare) {
    std::vector<std::uint32_t> tall(62 * 103, 0xff0000ffu);
    const Image icon = fittedImage(imageOf(62, 103, tall), 128, 128);
    ASSERT_EQ(icon.width(), 128);
    ASSERT_EQ(icon.height(), 128);
    // 62 x 103 scaled by 128 / 103 is 77 wide, centred: columns 25 to 101.
    EXPECT_EQ(at(icon, 24, 64), 0u);
    EXPECT_EQ(at(icon, 25, 64), 0xff0000ffu);
    EXPECT_EQ(at(icon, 101, 0), 0xff0000ffu);
    EXPECT_EQ(at(icon, 102, 127), 0u);
}

TEST(ImageScaling, NothingToScaleGivesNothing) {
    EXPECT_TRUE(scaledImage(Image(), 10, 10).isEmpty());
    const Image one = imageOf(1, 1, {0xffffffffu});
    EXPECT_TRUE(scaledImage(one, 0, 10).isEmpty());
    EXPECT_TRUE(scaledImage(one, 10, -1).isEmpty());
    EXPECT_TRUE(scaledImage(one, Image::kMaxSide + 1, 1).isEmpty());
    EXPECT_TRUE(fittedImage(Image(), 16, 16).isEmpty());
}

}  // namespace
}  // namespace lirava
