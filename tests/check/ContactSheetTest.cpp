#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>

#include "app/reader/BookState.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/render/Image.h"
#include "gui/action/ActionManager.h"
#include "gui/document/DictionaryAccessor.h"
#include "gui/document/UIToolbox.h"
#include "support/HeadlessFixture.h"
#include "tools/check/ContactSheet.h"

namespace lirava::test {
namespace {

using check::SheetLayout;

TEST(SheetLayout, TenCellsARowWithRoomForThePageNumbers) {
    const SheetLayout book = SheetLayout::forCells(95);
    EXPECT_EQ(book.columns, 10);
    EXPECT_EQ(book.rows, 10);
    EXPECT_EQ(book.width(), 10 * 168 + 8);
    EXPECT_EQ(book.height(), 10 * 276 + 8);
    EXPECT_EQ(book.thumbnailX(0), 8);
    EXPECT_EQ(book.thumbnailY(0), 8);
    // Page 96 is the 95th cell: row 9, column 4.
    EXPECT_EQ(book.thumbnailX(94), 8 + 4 * 168);
    EXPECT_EQ(book.thumbnailY(94), 8 + 9 * 276);
    EXPECT_LE(book.thumbnailY(94) + 240 + 28 + 8, book.height());

    const SheetLayout few = SheetLayout::forCells(3);
    EXPECT_EQ(few.columns, 3);
    EXPECT_EQ(few.rows, 1);
    EXPECT_EQ(SheetLayout::forCells(11).rows, 2);
    EXPECT_EQ(SheetLayout::forCells(0).width(), 0);
    EXPECT_EQ(SheetLayout::forCells(-4).height(), 0);
}

class ContactSheetTest : public HeadlessFixture {
protected:
    void SetUp() override {
        HeadlessFixture::SetUp();
        SimpleAudioEngine::sharedEngine()->selectBackend(AudioBackendKind::Virtual);
    }
    void TearDown() override {
        HeadlessFixture::TearDown();
        book::reset();
        DictionaryAccessor::purge();
        UIToolbox::purgeToolbox();
        ActionManager::destroyInstance();
    }

    // Whether some pixel of the rectangle differs from the sheet's background.
    static bool drawnOn(const Image& sheet, int left, int top, int width, int height) {
        const std::uint8_t* background = sheet.pixel(0, 0);
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x) {
                const std::uint8_t* p = sheet.pixel(x, y);
                if (p[0] != background[0] || p[1] != background[1] || p[2] != background[2]) {
                    return true;
                }
            }
        }
        return false;
    }
};

TEST_F(ContactSheetTest, EachCellShowsItsPageAsTheReaderDrawsIt) {
    std::ostringstream progress;
    Image sheet;
    ASSERT_TRUE(check::renderContactSheet(2, 4, sheet, progress));
    EXPECT_EQ(progress.str(),
              "contact sheet: page 2 (1 of 3)\ncontact sheet: page 3 (2 of 3)\ncontact sheet: page 4 (3 of 3)\n");
    const SheetLayout layout = SheetLayout::forCells(3);
    ASSERT_EQ(sheet.width(), layout.width());
    ASSERT_EQ(sheet.height(), layout.height());

    // Page 3 looks the same on a sheet of its own: each cell is its page, not its neighbour's.
    std::ostringstream ignored;
    Image single;
    ASSERT_TRUE(check::renderContactSheet(3, 3, single, ignored));
    const auto sameThumbnail = [](const Image& a, int ax, int ay, const Image& b, int bx, int by) {
        for (int y = 0; y < SheetLayout::kThumbnailHeight; ++y) {
            if (std::memcmp(a.pixel(ax, ay + y), b.pixel(bx, by + y), SheetLayout::kThumbnailWidth * 4) != 0) {
                return false;
            }
        }
        return true;
    };
    const SheetLayout one = SheetLayout::forCells(1);
    EXPECT_TRUE(
        sameThumbnail(sheet, layout.thumbnailX(1), layout.thumbnailY(1), single, one.thumbnailX(0), one.thumbnailY(0)));
    EXPECT_FALSE(
        sameThumbnail(sheet, layout.thumbnailX(0), layout.thumbnailY(0), single, one.thumbnailX(0), one.thumbnailY(0)));
    // Every cell has a picture and a number below it; the margins stay clear.
    for (int cell = 0; cell < 3; ++cell) {
        const int x = layout.thumbnailX(cell);
        const int y = layout.thumbnailY(cell);
        EXPECT_TRUE(drawnOn(sheet, x, y, SheetLayout::kThumbnailWidth, SheetLayout::kThumbnailHeight)) << cell;
        EXPECT_TRUE(drawnOn(sheet, x, y + SheetLayout::kThumbnailHeight, SheetLayout::kThumbnailWidth,
                            SheetLayout::kLabelHeight))
            << cell;
        EXPECT_FALSE(
            drawnOn(sheet, x + SheetLayout::kThumbnailWidth, y, SheetLayout::kGap, SheetLayout::kThumbnailHeight))
            << cell;
    }
    // The pages have left the stage and the book state is as at start.
    EXPECT_EQ(book::currentPage, 0);
    EXPECT_EQ(book::captionLabel, nullptr);
}

TEST_F(ContactSheetTest, PagesThatAreMissingStillGetTheirCell) {
    // Past the book's last page there is no document: the cell shows the empty page with its items.
    std::ostringstream progress;
    Image sheet;
    ASSERT_TRUE(check::renderContactSheet(96, 97, sheet, progress));
    const SheetLayout layout = SheetLayout::forCells(2);
    EXPECT_TRUE(drawnOn(sheet, layout.thumbnailX(1), layout.thumbnailY(1), SheetLayout::kThumbnailWidth,
                        SheetLayout::kThumbnailHeight));
    EXPECT_FALSE(check::renderContactSheet(5, 4, sheet, progress));
}

}  // namespace
}  // namespace lirava::test
