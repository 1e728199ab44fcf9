#include "preview/RasterSurface.h"
#include "tests/preview/RecordingSurface.h"
#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

namespace {

constexpr std::int32_t kWidth = 6;
constexpr std::int32_t kHeight = 4;
constexpr COLORREF kGround = 0x102030;
constexpr COLORREF kPaint = 0xC0FFEE;
constexpr RECT kNothing{0, 0, 0, 0};

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

TEST(RasterSurfaceTest, FillsExactlyTheClippedRectangle) {
    // Each rectangle beside what it must paint in the 6 x 4 raster.
    const std::vector<std::pair<RECT, RECT>> fills = {
        {{1, 1, 3, 2}, {1, 1, 3, 2}},
        {{5, 3, 6, 4}, {5, 3, 6, 4}},
        {{2, 1, 2, 3}, kNothing},
        {{3, 3, 1, 1}, kNothing},
        {{-3, -2, 2, 2}, {0, 0, 2, 2}},
        {{4, 2, 100, 100}, {4, 2, 6, 4}},
        {{6, 0, 9, 4}, kNothing},
        {{0, 4, 6, 9}, kNothing},
        {{-5, -5, 0, 0}, kNothing},
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, kWidth, kHeight}},
        {{INT_MAX, INT_MAX, INT_MIN, INT_MIN}, kNothing},
        {{INT_MAX - 1, 1, INT_MAX, 3}, kNothing}};
    for (const auto& [rect, clip] : fills) {
        SCOPED_TRACE(testing::PrintToString(rect));
        CRasterSurface surface(kWidth, kHeight, kGround);
        surface.FillRectangle(rect, kPaint);
        ExpectFilled(surface, clip);
    }
}

// A fill by corner and size; the far edges clamp instead of overflowing.
TEST(RasterSurfaceTest, SizedFillClampsTheFarEdges) {
    struct SizeCase {
        std::int32_t x, y, cx, cy;
        RECT rect;
    };
    const std::vector<SizeCase> sizes = {
        {163, 0, 17, 240, {163, 0, 180, 240}},
        {0, 0, -1, -2, {0, 0, -1, -2}},
        {INT_MAX - 1, 5, 10, 1, {INT_MAX - 1, 5, INT_MAX, 6}},
        {INT_MIN, INT_MIN, INT_MIN, -1, {INT_MIN, INT_MIN, INT_MIN, INT_MIN}},
        {-10, -10, INT_MAX, INT_MAX, {-10, -10, INT_MAX - 10, INT_MAX - 10}}};
    for (const SizeCase& test : sizes) {
        CRecordingSurface surface;
        surface.FillRectangle(test.x, test.y, test.cx, test.cy, kPaint);
        EXPECT_EQ(surface.GetFills(), (std::vector<CRecordedFill>{{test.rect, kPaint}}))
            << test.x << ", " << test.y << ", " << test.cx << " x " << test.cy;
    }
}

TEST(RasterSurfaceTest, PixelsAreRowsOfRedGreenBlueAndOutsideReadsAsOutside) {
    CRasterSurface twoPixels(2, 1, kGround);
    twoPixels.FillRectangle(RECT{1, 0, 2, 1}, RgbColor(0x11, 0x22, 0x33));
    EXPECT_EQ(twoPixels.GetRgbData(),
              (std::vector<std::uint8_t>{0x30, 0x20, 0x10, 0x11, 0x22, 0x33}));

    const CRasterSurface surface(kWidth, kHeight, kGround);
    const std::vector<std::pair<std::int32_t, std::int32_t>> outside = {
        {-1, 0}, {0, -1}, {kWidth, 0}, {0, kHeight}, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}};
    for (const auto& [x, y] : outside) {
        EXPECT_EQ(Color(surface.GetPixel(x, y)), Color(CRasterSurface::kOutside)) << x << ", " << y;
    }
    EXPECT_EQ(surface.GetSelectedBitmapSize().width, kWidth);
    EXPECT_EQ(surface.GetSelectedBitmapSize().height, kHeight);

    CRasterSurface empty(-4, 3, kGround);
    empty.FillRectangle(RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, kPaint);
    EXPECT_EQ(empty.GetWidth(), 0);
    EXPECT_TRUE(empty.GetRgbData().empty());
    EXPECT_EQ(Color(empty.GetPixel(0, 0)), Color(CRasterSurface::kOutside));
}

// Runs keep their bytes (a Shift-JIS trail byte may be a backslash) and the
// colours current when drawn; they paint no pixel.
TEST(RasterSurfaceTest, TextRunsAreRecordedWithTheirColoursNotPainted) {
    CRasterSurface surface(kWidth, kHeight, kGround);
    surface.SetTextBackground(0xD9D9D9);
    surface.SetTextForeground(0x000080);
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
