#include "preview/RasterSurface.h"
#include "preview/PreviewPicture.h"
#include "tests/preview/RecordingSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
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

// Bits of a colour that give x in a picture whose every pixel names
// itself; the next twelve give y.
constexpr COLORREF kCoordinateBits = 12;
constexpr COLORREF kCoordinateMask = (1 << kCoordinateBits) - 1;

struct CScaleCase {
    double scale;
    std::int32_t width;
    std::int32_t height;
    // The first device column of pixel columns 1 to 4.
    std::array<std::int32_t, 4> columnStarts;
};

const CScaleCase kScales[] = {
    {1, 180, 240, {1, 2, 3, 4}},
    {1.25, 225, 300, {1, 3, 4, 5}},
    {1.5, 270, 360, {2, 3, 5, 6}},
    {1.75, 315, 420, {2, 4, 5, 7}},
    {2, 360, 480, {2, 4, 6, 8}},
    {2.5, 450, 600, {3, 5, 8, 10}},
    {3, 540, 720, {3, 6, 9, 12}},
    {4, 720, 960, {4, 8, 12, 16}},
    {0.5, 180, 240, {1, 2, 3, 4}},
    {-2, 180, 240, {1, 2, 3, 4}},
    {std::nan(""), 180, 240, {1, 2, 3, 4}},
    {100, 1440, 1920, {8, 16, 24, 32}},
};

// Every device pixel shows the pixel of its column's source column and its
// row's source row, so a line keeps its thickness along its length; the
// sources run from the first pixel to the last, none skipped, and at a whole
// scale each pixel is a square block.
TEST(RasterSurfaceTest, ScaledShowsEachPixelAsOneSpanOfDeviceColumnsAndRows) {
    CRasterSurface coordinates(kClientWidth, kClientHeight);
    for (std::int32_t y = 0; y < kClientHeight; ++y) {
        for (std::int32_t x = 0; x < kClientWidth; ++x) {
            coordinates.FillRectangle(x, y, 1, 1, COLORREF(x) | COLORREF(y) << kCoordinateBits);
        }
    }
    const CTextRun run{5, kStripTop + 3, kBlack, kWhite, "face"};
    coordinates.DrawTextRun(run.x, run.y, run.text);
    const auto firstShowing = [](const std::vector<COLORREF>& sources, COLORREF source) {
        return static_cast<std::int32_t>(std::ranges::find(sources, source) - sources.begin());
    };
    for (const CScaleCase& row : kScales) {
        SCOPED_TRACE(testing::Message() << "scale " << row.scale);
        const CRasterSurface device = coordinates.Scaled(row.scale);
        ASSERT_EQ(device.GetWidth(), row.width);
        ASSERT_EQ(device.GetHeight(), row.height);
        // The source column of each device column, read along the top row,
        // and the source row of each device row.
        std::vector<COLORREF> columns;
        std::vector<COLORREF> rows;
        for (std::int32_t x = 0; x < row.width; ++x) {
            columns.push_back(device.GetPixel(x, 0) & kCoordinateMask);
        }
        for (std::int32_t y = 0; y < row.height; ++y) {
            rows.push_back(device.GetPixel(0, y) >> kCoordinateBits);
        }
        for (const auto& [line, length] :
             {std::pair{&columns, kClientWidth}, std::pair{&rows, kClientHeight}}) {
            // At a whole scale n each pixel covers n device columns or rows.
            const std::size_t whole = line->size() % length == 0 ? line->size() / length : 0;
            EXPECT_EQ(line->front(), 0u);
            EXPECT_EQ(line->back(), length - 1u);
            for (std::size_t index = 1; index < line->size(); ++index) {
                ASSERT_LE((*line)[index] - (*line)[index - 1], 1u) << "at " << index;
                ASSERT_TRUE(whole == 0 || (*line)[index] == index / whole) << "at " << index;
            }
        }
        for (COLORREF column = 1; column <= row.columnStarts.size(); ++column) {
            EXPECT_EQ(firstShowing(columns, column), row.columnStarts[column - 1])
                << "column " << column;
        }
        for (std::int32_t y = 0; y < row.height; ++y) {
            for (std::int32_t x = 0; x < row.width; ++x) {
                ASSERT_EQ(device.GetPixel(x, y), columns[x] | rows[y] << kCoordinateBits)
                    << "device pixel (" << x << ", " << y << ")";
            }
        }
        // A text run moves to where its first pixel lands.
        CTextRun moved = run;
        moved.x = firstShowing(columns, run.x);
        moved.y = firstShowing(rows, run.y);
        EXPECT_EQ(device.GetTextRuns(), std::vector<CTextRun>{moved});
    }
}

} // namespace
