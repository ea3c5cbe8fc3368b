#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/make/PagePicture.h"

namespace lirava::make {
namespace {

// A real photograph from a Debian package (python-matplotlib-data), 512 x 600.
const char* const kPhoto = "/usr/share/matplotlib/mpl-data/sample_data/grace_hopper.jpg";

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The photograph with an EXIF block saying "turn 90 degrees clockwise to view" (orientation 6),
// as a phone held sideways writes it.
std::string turnedPhoto() {
    const std::string tiff("II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 26);
    const std::string body = std::string("Exif\0\0", 6) + tiff;
    const std::size_t length = body.size() + 2;
    std::string app1 = "\xFF\xE1";
    app1 += static_cast<char>(length >> 8);
    app1 += static_cast<char>(length & 0xFF);
    const std::string jpeg = readAll(kPhoto);
    return jpeg.substr(0, 2) + app1 + body + jpeg.substr(2);
}

class PagePictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::ifstream(kPhoto)) {
            GTEST_SKIP() << "needs python-matplotlib-data";
        }
        ASSERT_EQ(TTF_Init(), 0);
        font = TTF_OpenFont("/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf", 30);
        ASSERT_NE(font, nullptr);
    }
    void TearDown() override {
        if (font) {
            TTF_CloseFont(font);
        }
    }
    TTF_Font* font = nullptr;
};

TEST_F(PagePictureTest, PhotographKeepsItsProportionsOnThePage) {
    std::string error;
    SDL_Surface* photo = PagePicture::loadUpright(kPhoto, error);
    ASSERT_NE(photo, nullptr) << error;
    const TextLayout layout = layOutText(font, {"The sun is up.", "The bees are busy in the garden today."});
    const std::string out = ::testing::TempDir() + "page.jpg";
    ASSERT_TRUE(PagePicture::write(photo, font, layout, out, error)) << error;
    SDL_FreeSurface(photo);

    // Where the written page differs from its plain background below the panel is the picture.
    SDL_Surface* page = IMG_Load(out.c_str());
    ASSERT_NE(page, nullptr);
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(page, SDL_PIXELFORMAT_ABGR8888, 0);
    SDL_FreeSurface(page);
    ASSERT_EQ(rgba->w, kPageWidth);
    ASSERT_EQ(rgba->h, kPageHeight);
    Box ink{kPageWidth, kPageHeight, 0, 0};
    for (int y = layout.panel.y1 + 2; y < kPageHeight; ++y) {
        const Uint8* row = static_cast<const Uint8*>(rgba->pixels) + y * rgba->pitch;
        for (int x = 0; x < kPageWidth; ++x) {
            const Uint8* p = row + 4 * x;
            if (std::abs(p[0] - 244) + std::abs(p[1] - 239) + std::abs(p[2] - 228) > 24) {
                ink = {std::min(ink.x0, x), std::min(ink.y0, y), std::max(ink.x1, x + 1), std::max(ink.y1, y + 1)};
            }
        }
    }
    SDL_FreeSurface(rgba);
    // JPEG's ringing may reach one pixel past the picture's edge.
    EXPECT_GE(ink.y0, layout.stage.y0 - 1);
    EXPECT_LE(ink.y1, kPageHeight - kReservedBottom + 1);
    // 512 x 600 fills the stage's height; allow the photograph's own near-background edge pixels.
    EXPECT_NEAR(static_cast<double>(ink.width()) / ink.height(), 512.0 / 600.0, 0.02);
    EXPECT_GE(ink.height(), layout.stage.height() - 4);
}

TEST_F(PagePictureTest, ExifOrientationStandsThePictureUpright) {
    const std::string path = ::testing::TempDir() + "turned.jpg";
    std::ofstream(path, std::ios::binary) << turnedPhoto();
    std::string error;
    SDL_Surface* photo = PagePicture::loadUpright(path, error);
    ASSERT_NE(photo, nullptr) << error;
    EXPECT_EQ(photo->w, 600);
    EXPECT_EQ(photo->h, 512);
    SDL_FreeSurface(photo);

    std::ofstream(path, std::ios::binary) << "not a picture";
    EXPECT_EQ(PagePicture::loadUpright(path, error), nullptr);
    EXPECT_NE(error.find("not a JPEG or PNG"), std::string::npos) << error;
}

TEST_F(PagePictureTest, TooManySentencesSayHowManyFit) {
    std::vector<std::string> sentences(14, "A sentence long enough to wrap onto a second line of the panel.");
    const TextLayout layout = layOutText(font, sentences);
    EXPECT_FALSE(layout.fits());
    EXPECT_GT(layout.fitting, 0);
    EXPECT_LT(layout.fitting, 14);
    // Each sentence's button box is its text: inside the panel, never overlapping the next.
    for (std::size_t i = 0; i + 1 < layout.sentences.size(); ++i) {
        EXPECT_LE(layout.sentences[i].y1, layout.sentences[i + 1].y0);
        EXPECT_GE(layout.sentences[i].x0, layout.panel.x0);
        EXPECT_LE(layout.sentences[i].x1, layout.panel.x1);
    }
}

}  // namespace
}  // namespace lirava::make
