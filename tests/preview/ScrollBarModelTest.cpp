#include "preview/ScrollBarModel.h"
#include "preview/RasterSurface.h"
#include "tests/preview/RecordingSurface.h"
#include "tests/preview/WorkedBars.h"
#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// One distinct colour per element, in colour list order, and the same
// colours by element number.
constexpr ColorList kDistinctColors = {0x222222, 0x111111, 0x333333, 0x444444,
                                       0x555555, 0x666666, 0x777777};
constexpr std::array<COLORREF, kElementCount> kColorByNumber = {
    0x111111, 0x222222, 0x333333, 0x444444, 0x555555, 0x666666, 0x777777};
constexpr COLORREF kPage = 0xFFFFFF;

void Draw(CScrollBarModel& model, CDrawSurface& surface, const RECT& bounds,
          Orientation orientation) {
    const std::int32_t cx = bounds.right - bounds.left;
    const std::int32_t cy = bounds.bottom - bounds.top;
    if (orientation == kVertical) {
        model.DrawVertical(surface, bounds.left, bounds.top, cx, cy);
    } else {
        model.DrawHorizontal(surface, bounds.left, bounds.top, cx, cy);
    }
}

int HitTest(CScrollBarModel& model, std::int32_t x, std::int32_t y, const RECT& bounds,
            Orientation orientation) {
    return model.HitTest(x, y, bounds.left, bounds.top, bounds.right - bounds.left,
                         bounds.bottom - bounds.top, orientation);
}

TEST(ScrollBarModelColorsTest, DefaultModelIsWhiteAtScaleOne) {
    const CScrollBarModel model;
    for (COLORREF color : model.GetColors()) {
        EXPECT_EQ(Color(color), Color(kWhite));
    }
    EXPECT_EQ(model.GetScale(), 1);
}

TEST(ScrollBarModelColorsTest, ColourListPutsTrackBeforeFace) {
    CScrollBarModel model;
    model.SetColors({1, 2, 3, 4, 5, 6, 7});
    const std::array<COLORREF, kElementCount> byNumber = {2, 1, 3, 4, 5, 6, 7};
    for (int number = kFace; number <= kArrow; ++number) {
        EXPECT_EQ(Color(model.GetElementColor(number)), Color(byNumber[number - 1])) << number;
    }
    EXPECT_EQ(model.GetColors(), (ColorList{1, 2, 3, 4, 5, 6, 7}));
}

TEST(ScrollBarModelColorsTest, ConstructorAndSetElementColorKeepTheOrder) {
    CScrollBarModel model(kDistinctColors);
    EXPECT_EQ(model.GetColors(), kDistinctColors);
    model.SetElementColor(kFace, 0xABCDEF);
    model.SetElementColor(kArrow, 0x010203);
    EXPECT_EQ(model.GetColors(),
              (ColorList{0x222222, 0xABCDEF, 0x333333, 0x444444, 0x555555, 0x666666, 0x010203}));
}

TEST(ScrollBarModelColorsTest, SetColorsKeepsTheScale) {
    CScrollBarModel model;
    model.SetScale(3);
    model.SetColors(kDistinctColors);
    EXPECT_EQ(model.GetScale(), 3);
    CRecordingSurface surface;
    model.DrawHorizontal(surface, 0, 0, 163, 51);
    ASSERT_FALSE(surface.GetFills().empty());
    EXPECT_EQ(surface.GetFills().front().rect, kHorizontalBar.rects[kFace - 1][0]);
}

std::vector<CRecordedFill> ExpectedFills(const WorkedBar& bar) {
    std::vector<CRecordedFill> fills;
    for (int number = kFace; number <= kArrow; ++number) {
        for (const RECT& rect : bar.rects[number - 1]) {
            fills.push_back(CRecordedFill{rect, kColorByNumber[number - 1]});
        }
    }
    return fills;
}

// The expected picture, painted from the hand-written rectangle tables
// without any of the library's code.
std::vector<COLORREF> PaintByHand(std::int32_t width, std::int32_t height,
                                  const std::vector<const WorkedBar*>& bars) {
    std::vector<COLORREF> pixels(static_cast<std::size_t>(width * height), kPage);
    for (const WorkedBar* bar : bars) {
        for (const CRecordedFill& fill : ExpectedFills(*bar)) {
            for (std::int32_t y = fill.rect.top; y < fill.rect.bottom; ++y) {
                for (std::int32_t x = fill.rect.left; x < fill.rect.right; ++x) {
                    pixels[static_cast<std::size_t>(y * width + x)] = fill.color;
                }
            }
        }
    }
    return pixels;
}

void ExpectPicture(const CRasterSurface& surface, const std::vector<COLORREF>& expected) {
    int wrong = 0;
    for (std::int32_t y = 0; y < surface.GetHeight(); ++y) {
        for (std::int32_t x = 0; x < surface.GetWidth(); ++x) {
            const COLORREF want = expected[static_cast<std::size_t>(y * surface.GetWidth() + x)];
            if (surface.GetPixel(x, y) != want && ++wrong <= 5) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is "
                              << testing::PrintToString(Color(surface.GetPixel(x, y)))
                              << ", expected " << testing::PrintToString(Color(want));
            }
        }
    }
    EXPECT_EQ(wrong, 0) << "pixels that differ";
}

class ModelWorkedBarTest : public testing::TestWithParam<WorkedBar> {};

TEST_P(ModelWorkedBarTest, FillsTheListedRectanglesFaceToArrow) {
    const WorkedBar& bar = GetParam();
    CScrollBarModel model(kDistinctColors);
    model.SetScale(bar.scale);
    CRecordingSurface surface;
    Draw(model, surface, bar.bounds, bar.orientation);
    EXPECT_EQ(surface.GetFills(), ExpectedFills(bar));
}

TEST_P(ModelWorkedBarTest, PaintsTheWholePicture) {
    const WorkedBar& bar = GetParam();
    CScrollBarModel model(kDistinctColors);
    model.SetScale(bar.scale);
    CRasterSurface surface(bar.bounds.right + 2, bar.bounds.bottom + 2, kPage);
    Draw(model, surface, bar.bounds, bar.orientation);
    ExpectPicture(surface, PaintByHand(surface.GetWidth(), surface.GetHeight(), {&bar}));
}

INSTANTIATE_TEST_SUITE_P(Bars, ModelWorkedBarTest,
                         testing::Values(kHorizontalBar, kVerticalBar, kThickVerticalBar));

TEST(ScrollBarModelDrawTest, BothBarsOfTheWindowMakeOnePicture) {
    CScrollBarModel horizontal(kDistinctColors);
    CScrollBarModel vertical(kDistinctColors);
    horizontal.SetScale(3);
    CRasterSurface surface(180, 240, kPage);
    horizontal.DrawHorizontal(surface, 0, 0, 163, 51);
    vertical.DrawVertical(surface, 163, 0, 17, 240);
    ExpectPicture(surface, PaintByHand(180, 240, {&kHorizontalBar, &kVerticalBar}));
}

// A length of zero or less takes the bitmap's size; the other dimension and
// any positive length leave the bitmap alone.
struct FallbackCase {
    Orientation orientation;
    std::int32_t cx;
    std::int32_t cy;
    RECT track;
    int bitmapQueries;
};

void PrintTo(const FallbackCase& test, std::ostream* out) {
    *out << (test.orientation == kVertical ? "vertical" : "horizontal") << " cx " << test.cx
         << " cy " << test.cy;
}

class BitmapFallbackTest : public testing::TestWithParam<FallbackCase> {};

TEST_P(BitmapFallbackTest, LengthComesFromTheBitmapOnlyWhenNotPositive) {
    const FallbackCase& test = GetParam();
    CScrollBarModel model;
    CRecordingSurface surface(CBitmapSize{300, 400});
    if (test.orientation == kVertical) {
        model.DrawVertical(surface, 10, 20, test.cx, test.cy);
    } else {
        model.DrawHorizontal(surface, 10, 20, test.cx, test.cy);
    }
    EXPECT_EQ(surface.GetBitmapQueries(), test.bitmapQueries);
    const std::vector<CRecordedFill>& fills = surface.GetFills();
    ASSERT_GE(fills.size(), 3u);
    EXPECT_EQ(fills[2].rect, test.track);
}

INSTANTIATE_TEST_SUITE_P(Lengths, BitmapFallbackTest,
                         testing::Values(FallbackCase{kHorizontal, 0, 17, {27, 20, 293, 37}, 1},
                                         FallbackCase{kHorizontal, -5, 17, {27, 20, 293, 37}, 1},
                                         FallbackCase{kHorizontal, 163, 17, {27, 20, 156, 37}, 0},
                                         FallbackCase{kHorizontal, 163, 0, {10, 20, 173, 20}, 0},
                                         FallbackCase{kVertical, 17, 0, {10, 37, 27, 403}, 1},
                                         FallbackCase{kVertical, 17, -1, {10, 37, 27, 403}, 1},
                                         FallbackCase{kVertical, 17, 240, {10, 37, 27, 243}, 0},
                                         FallbackCase{kVertical, 0, 240, {10, 20, 10, 260}, 0}));

struct HitCase {
    std::int32_t x;
    std::int32_t y;
    int element;
};

void ExpectHits(const WorkedBar& bar, const std::vector<HitCase>& cases) {
    CScrollBarModel model;
    model.SetScale(bar.scale);
    for (const HitCase& test : cases) {
        EXPECT_EQ(HitTest(model, test.x, test.y, bar.bounds, bar.orientation), test.element)
            << bar.name << " at (" << test.x << ", " << test.y << ")";
    }
}

TEST(ScrollBarModelHitTest, HorizontalBarAtScaleThree) {
    ExpectHits(kHorizontalBar, {
                                   {22, 25, kArrow},
                                   {20, 25, kFace},
                                   {10, 25, kFace},
                                   {80, 25, kTrack},
                                   // The first track column is the closed right
                                   // edge of 3dlight above and darkshadow below.
                                   {51, 0, k3DLight},
                                   {51, 3, k3DLight},
                                   {51, 4, kDarkShadow},
                                   {51, 51, kDarkShadow},
                                   {52, 20, kTrack},
                                   // The row just below the bar is closed too.
                                   {20, 51, kDarkShadow},
                                   {80, 51, kTrack},
                                   {20, 52, kNoElement},
                                   {163, 20, kDarkShadow},
                                   {164, 20, kNoElement},
                                   {-1, 20, kNoElement},
                                   {20, -1, kNoElement},
                                   // 3dlight covers darkshadow in the corner cell.
                                   {1, 49, k3DLight},
                                   {113, 49, k3DLight},
                                   // The arrow covers the face.
                                   {137, 25, kArrow},
                                   {141, 25, kArrow},
                                   {143, 25, kFace},
                               });
}

TEST(ScrollBarModelHitTest, VerticalBarAtScaleOne) {
    ExpectHits(kVerticalBar, {
                                 {171, 8, kArrow},
                                 {170, 100, kTrack},
                                 {171, 232, kArrow},
                                 {168, 8, kFace},
                                 {163, 0, k3DLight},
                                 {163, 239, k3DLight},
                                 {180, 240, kDarkShadow},
                                 {181, 240, kNoElement},
                                 {180, 241, kNoElement},
                                 {162, 100, kNoElement},
                             });
}

TEST(ScrollBarModelHitTest, ThickBarKeepsTheArrowAtItsUnitOffsets) {
    ExpectHits(kThickVerticalBar, {
                                      {8, 7, kArrow},
                                      {11, 7, kFace},
                                      {22, 10, kDarkShadow},
                                      {21, 10, kShadow},
                                      {11, 30, kTrack},
                                      {6, 44, kArrow},
                                      {23, 60, kDarkShadow},
                                      {24, 30, kNoElement},
                                  });
}

// Invariants over several bars: every pixel of a bar is painted by some
// element, and HitTest names the element painted on top at the point. As
// hit rectangles are closed, a point also belongs to the elements painted
// just left of it, above it and above-left of it, the highest number
// winning; so HitTest gives the highest of the four top elements there.
struct InvariantCase {
    RECT bounds;
    std::int32_t scale;
    Orientation orientation;
};

void PrintTo(const InvariantCase& test, std::ostream* out) {
    *out << (test.orientation == kVertical ? "vertical " : "horizontal ");
    PrintTo(test.bounds, out);
    *out << " at scale " << test.scale;
}

class BarInvariantTest : public testing::TestWithParam<InvariantCase> {};

int ElementOfColor(COLORREF color) {
    const auto found = std::find(kColorByNumber.begin(), kColorByNumber.end(), color);
    return found == kColorByNumber.end() ? kNoElement
                                         : static_cast<int>(found - kColorByNumber.begin()) + 1;
}

TEST_P(BarInvariantTest, PictureAndHitTestAgree) {
    const InvariantCase& test = GetParam();
    CScrollBarModel model(kDistinctColors);
    model.SetScale(test.scale);
    const std::int32_t margin = 2;
    CRasterSurface surface(test.bounds.right + margin, test.bounds.bottom + margin, kPage);
    Draw(model, surface, test.bounds, test.orientation);
    const auto topAt = [&](std::int32_t x, std::int32_t y) {
        return ElementOfColor(surface.GetPixel(x, y));
    };
    for (std::int32_t y = 0; y < surface.GetHeight(); ++y) {
        for (std::int32_t x = 0; x < surface.GetWidth(); ++x) {
            const bool inside = x >= test.bounds.left && x < test.bounds.right &&
                                y >= test.bounds.top && y < test.bounds.bottom;
            ASSERT_EQ(topAt(x, y) != kNoElement, inside) << "pixel (" << x << ", " << y << ")";
            const int expected =
                std::max({topAt(x, y), topAt(x - 1, y), topAt(x, y - 1), topAt(x - 1, y - 1)});
            ASSERT_EQ(HitTest(model, x, y, test.bounds, test.orientation), expected)
                << "point (" << x << ", " << y << ")";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Bars, BarInvariantTest,
                         testing::Values(InvariantCase{{0, 0, 163, 51}, 3, kHorizontal},
                                         InvariantCase{{163, 0, 180, 240}, 1, kVertical},
                                         InvariantCase{{5, 7, 39, 207}, 2, kVertical},
                                         InvariantCase{{3, 2, 120, 25}, 1, kHorizontal},
                                         InvariantCase{{1, 1, 47, 13}, 1, kHorizontal},
                                         InvariantCase{{0, 0, 17, 20}, 1, kVertical},
                                         InvariantCase{{2, 4, 40, 36}, 0, kHorizontal}));

} // namespace
