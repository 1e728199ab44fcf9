#include "preview/RasterSurface.h"
#include "tests/preview/RecordingSurface.h"

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

TEST(RasterSurfaceTest, FillsExactlyTheClippedRectangle) {
    // Each rectangle beside what it must paint in the 6 x 4 raster.
    const std::vector<std::pair<RECT, RECT>> fills = {
        {{5, 3, 6, 4}, {5, 3, 6, 4}},
        {{-3, -2, 2, 2}, {0, 0, 2, 2}},
        {{4, 2, 100, 100}, {4, 2, 6, 4}},
        {{6, 0, 9, 4}, kNothing},
        {{0, 4, 6, 9}, kNothing},
        {{-5, -5, 0, 0}, kNothing},
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, kWidth, kHeight}},
        {{INT_MAX, INT_MAX, INT_MIN, INT_MIN}, kNothing}};
    for (const auto& [rect, clip] : fills) {
        SCOPED_TRACE(testing::PrintToString(rect));
        CRasterSurface surface(kWidth, kHeight, kGround);
        surface.FillRectangle(rect, kPaint);
        ExpectPicture(surface, {{clip, kPaint}}, kGround);
    }
}

TEST(RasterSurfaceTest, PixelsAreRowsOfRedGreenBlueAndOutsideReadsAsOutside) {
    CRasterSurface twoPixels(2, 1, kGround);
    twoPixels.FillRectangle(1, 0, 1, 1, RgbColor(0x11, 0x22, 0x33));
    EXPECT_EQ(twoPixels.GetRgbData(),
              (std::vector<std::uint8_t>{0x30, 0x20, 0x10, 0x11, 0x22, 0x33}));

    const CRasterSurface surface(kWidth, kHeight, kGround);
    const std::vector<std::pair<std::int32_t, std::int32_t>> outside = {
        {-1, 0}, {0, -1}, {kWidth, 0}, {0, kHeight}, {INT_MIN, INT_MAX}};
    for (const auto& [x, y] : outside) {
        EXPECT_EQ(Color(surface.GetPixel(x, y)), Color(CRasterSurface::kOutside)) << x << ", " << y;
    }
    EXPECT_EQ(surface.GetSelectedBitmapSize().width, kWidth);
    EXPECT_EQ(surface.GetSelectedBitmapSize().height, kHeight);

    CRasterSurface empty(-4, 3, kGround);
    empty.FillRectangle(RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, kPaint);
    EXPECT_TRUE(empty.GetRgbData().empty());
    EXPECT_EQ(Color(empty.GetPixel(0, 0)), Color(CRasterSurface::kOutside));
}

// Runs keep their bytes, as many as the length says (a Shift-JIS trail
// byte may be a backslash), and the colours current when drawn; they paint
// no pixel.
TEST(RasterSurfaceTest, TextRunsAreRecordedWithTheirColoursNotPainted) {
    CRasterSurface surface(kWidth, kHeight, kGround);
    surface.SetTextBackground(0xD9D9D9);
    surface.SetTextForeground(0x000080);
    surface.DrawTextRun(2, 3, std::string_view("\x83\\face\0x", 6));
    surface.SetTextForeground(0x00FF00);
    surface.DrawTextRun(-1, 0, "track");
    EXPECT_EQ(surface.GetTextRuns(),
              (std::vector<CTextRun>{{2, 3, 0x000080, 0xD9D9D9, "\x83\\face"},
                                     {-1, 0, 0x00FF00, 0xD9D9D9, "track"}}));
    ExpectPicture(surface, {}, kGround);
}

} // namespace
