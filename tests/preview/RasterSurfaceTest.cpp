#include "preview/RasterSurface.h"
#include "tests/preview/RecordingSurface.h"
#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

constexpr std::int32_t kWidth = 6;
constexpr std::int32_t kHeight = 4;
constexpr COLORREF kGround = 0x102030;
constexpr COLORREF kPaint = 0xC0FFEE;

// Checks the whole raster: kPaint exactly inside the half-open clip,
// kGround everywhere else.
void ExpectFilled(const CRasterSurface& surface, const RECT& clip) {
    for (std::int32_t y = 0; y < surface.GetHeight(); ++y) {
        for (std::int32_t x = 0; x < surface.GetWidth(); ++x) {
            const bool inside =
                x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
            ASSERT_EQ(Color(surface.GetPixel(x, y)), Color(inside ? kPaint : kGround))
                << "pixel (" << x << ", " << y << ")";
        }
    }
}

struct FillCase {
    RECT rect;
    RECT clip; // what must be painted, within the 6 x 4 raster
};

void PrintTo(const FillCase& test, std::ostream* out) {
    PrintTo(test.rect, out);
}

class RasterFillTest : public testing::TestWithParam<FillCase> {};

TEST_P(RasterFillTest, FillsExactlyTheClippedRectangle) {
    CRasterSurface surface(kWidth, kHeight, kGround);
    surface.FillRectangle(GetParam().rect, kPaint);
    ExpectFilled(surface, GetParam().clip);
}

constexpr RECT kNothing{0, 0, 0, 0};
constexpr RECT kAll{0, 0, kWidth, kHeight};

INSTANTIATE_TEST_SUITE_P(
    Rectangles, RasterFillTest,
    testing::Values(FillCase{{1, 1, 3, 2}, {1, 1, 3, 2}}, FillCase{{0, 0, 1, 1}, {0, 0, 1, 1}},
                    FillCase{{5, 3, 6, 4}, {5, 3, 6, 4}}, FillCase{{2, 1, 2, 3}, kNothing},
                    FillCase{{3, 3, 1, 1}, kNothing}, FillCase{{-3, -2, 2, 2}, {0, 0, 2, 2}},
                    FillCase{{4, 2, 100, 100}, {4, 2, 6, 4}}, FillCase{{6, 0, 9, 4}, kNothing},
                    FillCase{{0, 4, 6, 9}, kNothing}, FillCase{{-5, -5, 0, 0}, kNothing},
                    FillCase{{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, kAll},
                    FillCase{{INT_MAX, INT_MAX, INT_MIN, INT_MIN}, kNothing},
                    FillCase{{INT_MIN, 1, INT_MIN + 1, 3}, kNothing},
                    FillCase{{INT_MAX - 1, 1, INT_MAX, 3}, kNothing}));

struct SizeCase {
    std::int32_t x;
    std::int32_t y;
    std::int32_t cx;
    std::int32_t cy;
    RECT rect;
};

void PrintTo(const SizeCase& test, std::ostream* out) {
    *out << test.x << ", " << test.y << ", " << test.cx << " x " << test.cy;
}

class RectFromSizeTest : public testing::TestWithParam<SizeCase> {};

TEST_P(RectFromSizeTest, ClampsTheFarEdges) {
    const SizeCase& test = GetParam();
    EXPECT_EQ(RectFromSize(test.x, test.y, test.cx, test.cy), test.rect);
}

TEST_P(RectFromSizeTest, SizedFillForwardsTheSameRectangle) {
    const SizeCase& test = GetParam();
    CRecordingSurface surface;
    surface.FillRectangle(test.x, test.y, test.cx, test.cy, kPaint);
    EXPECT_EQ(surface.GetFills(), (std::vector<CRecordedFill>{{test.rect, kPaint}}));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, RectFromSizeTest,
    testing::Values(SizeCase{163, 0, 17, 240, {163, 0, 180, 240}},
                    SizeCase{0, 0, -1, -2, {0, 0, -1, -2}},
                    SizeCase{INT_MAX - 1, 5, 10, 1, {INT_MAX - 1, 5, INT_MAX, 6}},
                    SizeCase{
                        INT_MAX, INT_MAX, INT_MAX, INT_MAX, {INT_MAX, INT_MAX, INT_MAX, INT_MAX}},
                    SizeCase{INT_MIN, INT_MIN, INT_MIN, -1, {INT_MIN, INT_MIN, INT_MIN, INT_MIN}},
                    SizeCase{-10, -10, INT_MAX, INT_MAX, {-10, -10, INT_MAX - 10, INT_MAX - 10}}));

TEST(RasterSurfaceTest, PixelsAreRowsOfRedGreenBlue) {
    CRasterSurface surface(kWidth, kHeight, kGround);
    surface.FillRectangle(RECT{2, 1, 3, 2}, RgbColor(0x11, 0x22, 0x33));
    const std::vector<std::uint8_t>& rgb = surface.GetRgbData();
    ASSERT_EQ(rgb.size(), static_cast<std::size_t>(kWidth * kHeight * 3));
    const std::size_t at = (1 * kWidth + 2) * 3;
    EXPECT_EQ((std::vector<std::uint8_t>(rgb.begin() + at, rgb.begin() + at + 3)),
              (std::vector<std::uint8_t>{0x11, 0x22, 0x33}));
    EXPECT_EQ((std::vector<std::uint8_t>(rgb.begin(), rgb.begin() + 3)),
              (std::vector<std::uint8_t>{0x30, 0x20, 0x10}));
}

TEST(RasterSurfaceTest, PointsOutsideReadAsOutside) {
    const CRasterSurface surface(kWidth, kHeight, kGround);
    const std::vector<std::pair<std::int32_t, std::int32_t>> outside = {
        {-1, 0}, {0, -1}, {kWidth, 0}, {0, kHeight}, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}};
    for (const auto& [x, y] : outside) {
        EXPECT_EQ(Color(surface.GetPixel(x, y)), Color(CRasterSurface::kOutside)) << x << ", " << y;
    }
    EXPECT_EQ(Color(surface.GetPixel(kWidth - 1, kHeight - 1)), Color(kGround));
}

TEST(RasterSurfaceTest, BitmapSizeIsTheRasterSize) {
    const CRasterSurface surface(180, 240);
    EXPECT_EQ(surface.GetSelectedBitmapSize().width, 180);
    EXPECT_EQ(surface.GetSelectedBitmapSize().height, 240);
}

TEST(RasterSurfaceTest, NegativeSizeMakesAnEmptyRaster) {
    CRasterSurface surface(-4, 3, kGround);
    surface.FillRectangle(RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, kPaint);
    EXPECT_EQ(surface.GetWidth(), 0);
    EXPECT_TRUE(surface.GetRgbData().empty());
    EXPECT_EQ(Color(surface.GetPixel(0, 0)), Color(CRasterSurface::kOutside));
}

TEST(RasterSurfaceTest, TextRunsAreRecordedWithTheirColoursNotPainted) {
    CRasterSurface surface(kWidth, kHeight, kGround);
    surface.SetTextBackground(0xD9D9D9);
    surface.SetTextForeground(0x000080);
    // A Shift-JIS character whose trail byte is the code of a backslash.
    const std::string_view label("\x83\x5c"
                                 "face",
                                 6);
    surface.DrawTextRun(2, 3, label);
    surface.SetTextForeground(0x00FF00);
    surface.DrawTextRun(-1, 0, std::string_view("track\0x", 5));
    EXPECT_EQ(surface.GetTextRuns(),
              (std::vector<CTextRun>{{2, 3, 0x000080, 0xD9D9D9, CString(label)},
                                     {-1, 0, 0x00FF00, 0xD9D9D9, "track"}}));
    ExpectFilled(surface, kNothing);
}

} // namespace
