#include "preview/ScrollBarModel.h"
#include "preview/RasterSurface.h"
#include "tests/preview/RecordingSurface.h"
#include "tests/preview/WorkedBars.h"
#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace {

// One distinct colour per element, in colour list order, and the same
// colours by element number.
constexpr ColorList kDistinctColors = {0x222222, 0x111111, 0x333333, 0x444444,
                                       0x555555, 0x666666, 0x777777};
constexpr std::array<COLORREF, kElementCount> kColorByNumber = {
    0x111111, 0x222222, 0x333333, 0x444444, 0x555555, 0x666666, 0x777777};
constexpr COLORREF kPage = 0xFFFFFF;

bool Contains(const RECT& rect, std::int32_t x, std::int32_t y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

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

TEST(ScrollBarModelTest, ColourListOrderRoundTrips) {
    EXPECT_EQ(CScrollBarModel().GetColors(),
              (ColorList{kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite}));
    EXPECT_EQ(CScrollBarModel().GetScale(), 1);
    CScrollBarModel model;
    model.SetColors(kDistinctColors);
    EXPECT_EQ(model.GetColors(), kDistinctColors);
    for (int number = kFace; number <= kArrow; ++number) {
        EXPECT_EQ(Color(model.GetElementColor(number)), Color(kColorByNumber[number - 1]))
            << number;
    }
    model.SetElementColor(kFace, 0xABCDEF);
    model.SetElementColor(kArrow, 0x010203);
    EXPECT_EQ(model.GetColors(),
              (ColorList{0x222222, 0xABCDEF, 0x333333, 0x444444, 0x555555, 0x666666, 0x010203}));
}

// Every pixel against the colour of the last fill over it, or the page:
// the picture painted by hand from the rectangle tables.
void ExpectPicture(const CRasterSurface& surface, const std::vector<CRecordedFill>& fills) {
    int wrong = 0;
    for (std::int32_t y = 0; y < surface.GetHeight(); ++y) {
        for (std::int32_t x = 0; x < surface.GetWidth(); ++x) {
            COLORREF want = kPage;
            for (const CRecordedFill& fill : fills) {
                want = Contains(fill.rect, x, y) ? fill.color : want;
            }
            if (surface.GetPixel(x, y) != want && ++wrong <= 5) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is "
                              << testing::PrintToString(Color(surface.GetPixel(x, y)))
                              << ", expected " << testing::PrintToString(Color(want));
            }
        }
    }
    EXPECT_EQ(wrong, 0) << "pixels that differ";
}

// Colours set after the scale must not lose it; a second draw must give
// the same fills as the first.
TEST(ScrollBarModelTest, WorkedBarsFillTheListedRectanglesFaceToArrowAndPaintThePicture) {
    for (const WorkedBar& bar : {kHorizontalBar, kVerticalBar}) {
        SCOPED_TRACE(bar.name);
        CScrollBarModel model;
        model.SetScale(bar.scale);
        model.SetColors(kDistinctColors);
        std::vector<CRecordedFill> expected;
        for (int number = kFace; number <= kArrow; ++number) {
            for (const RECT& rect : bar.rects[number - 1]) {
                expected.push_back(CRecordedFill{rect, kColorByNumber[number - 1]});
            }
        }
        for (int draw = 0; draw < 2; ++draw) {
            CRecordingSurface recording;
            Draw(model, recording, bar.bounds, bar.orientation);
            EXPECT_EQ(recording.GetFills(), expected) << "draw " << draw;
        }
        CRasterSurface surface(bar.bounds.right + 2, bar.bounds.bottom + 2, kPage);
        Draw(model, surface, bar.bounds, bar.orientation);
        ExpectPicture(surface, expected);
    }
}

// A length of zero or less takes the bitmap's size; the other dimension and
// any positive length leave the bitmap alone.
TEST(ScrollBarModelTest, LengthComesFromTheBitmapOnlyWhenNotPositive) {
    struct FallbackCase {
        Orientation orientation;
        std::int32_t cx;
        std::int32_t cy;
        RECT track;
        int bitmapQueries;
    };
    const std::vector<FallbackCase> lengths = {
        {kHorizontal, 0, 17, {27, 20, 293, 37}, 1},   {kHorizontal, -5, 17, {27, 20, 293, 37}, 1},
        {kHorizontal, 163, 17, {27, 20, 156, 37}, 0}, {kHorizontal, 163, 0, {10, 20, 173, 20}, 0},
        {kVertical, 17, 0, {10, 37, 27, 403}, 1},     {kVertical, 17, -1, {10, 37, 27, 403}, 1},
        {kVertical, 17, 240, {10, 37, 27, 243}, 0},   {kVertical, 0, 240, {10, 20, 10, 260}, 0}};
    for (const FallbackCase& test : lengths) {
        CScrollBarModel model;
        CRecordingSurface surface(CBitmapSize{300, 400});
        if (test.orientation == kVertical) {
            model.DrawVertical(surface, 10, 20, test.cx, test.cy);
        } else {
            model.DrawHorizontal(surface, 10, 20, test.cx, test.cy);
        }
        SCOPED_TRACE(testing::Message()
                     << (test.orientation == kVertical ? "vertical" : "horizontal") << " cx "
                     << test.cx << " cy " << test.cy);
        EXPECT_EQ(surface.GetBitmapQueries(), test.bitmapQueries);
        ASSERT_GE(surface.GetFills().size(), 3u);
        EXPECT_EQ(surface.GetFills()[2].rect, test.track);
    }
}

struct HitCase {
    std::int32_t x;
    std::int32_t y;
    int element;
};

void ExpectHits(const RECT& bounds, std::int32_t scale, Orientation orientation,
                const std::vector<HitCase>& cases) {
    CScrollBarModel model;
    model.SetScale(scale);
    for (const HitCase& test : cases) {
        EXPECT_EQ(HitTest(model, test.x, test.y, bounds, orientation), test.element)
            << "at (" << test.x << ", " << test.y << ")";
    }
}

// Hit rectangles are closed: the first track column, x = 51, is the right
// edge of 3dlight above and of darkshadow below, and the row and the
// column just past the bar still hit. 3dlight covers darkshadow in the
// corner cell (1, 49), the arrow covers the face.
TEST(ScrollBarModelHitTest, HorizontalBarAtScaleThree) {
    std::vector<HitCase> cases = {
        {22, 25, kArrow},     {20, 25, kFace},        {10, 25, kFace},       {80, 25, kTrack},
        {52, 20, kTrack},     {20, 51, kDarkShadow},  {80, 51, kTrack},      {20, 52, kNoElement},
        {163, 3, k3DLight},   {163, 20, kDarkShadow}, {164, 20, kNoElement}, {-1, 20, kNoElement},
        {20, -1, kNoElement}, {1, 49, k3DLight},      {113, 49, k3DLight},   {141, 25, kArrow},
        {143, 25, kFace}};
    for (std::int32_t y = 0; y <= 52; ++y) {
        cases.push_back({51, y, y <= 3 ? k3DLight : y <= 51 ? kDarkShadow : kNoElement});
    }
    ExpectHits(kHorizontalBar.bounds, 3, kHorizontal, cases);
}

TEST(ScrollBarModelHitTest, VerticalBarAtScaleOne) {
    const std::vector<HitCase> cases = {
        {171, 8, kArrow},       {170, 100, kTrack},     {171, 232, kArrow},
        {168, 8, kFace},        {163, 239, k3DLight},   {180, 240, kDarkShadow},
        {181, 240, kNoElement}, {180, 241, kNoElement}, {162, 100, kNoElement}};
    ExpectHits(kVerticalBar.bounds, 1, kVertical, cases);
}

// A bar 23 units thick: the edges follow the thickness, the arrow keeps its
// unit offsets and so sits left of the centre.
TEST(ScrollBarModelHitTest, ThickBarKeepsTheArrowAtItsUnitOffsets) {
    const std::vector<HitCase> cases = {
        {8, 7, kArrow},   {11, 7, kFace},  {22, 10, kDarkShadow}, {21, 10, kShadow},
        {11, 30, kTrack}, {6, 44, kArrow}, {23, 60, kDarkShadow}, {24, 30, kNoElement}};
    ExpectHits({0, 0, 23, 60}, 1, kVertical, cases);
}

// Invariants over several bars: every pixel of a bar is painted by some
// element, and HitTest names the element painted on top at the point. As
// hit rectangles are closed, a point also belongs to the elements painted
// just left of it, above it and above-left of it, the highest number
// winning; so HitTest gives the highest of the four top elements there.
TEST(ScrollBarModelTest, EveryBarPixelIsPaintedAndHitTestNamesTheTopElement) {
    const std::vector<std::tuple<RECT, std::int32_t, Orientation>> bars = {
        {{0, 0, 163, 51}, 3, kHorizontal}, {{163, 0, 180, 240}, 1, kVertical},
        {{5, 7, 39, 207}, 2, kVertical},   {{3, 2, 120, 25}, 1, kHorizontal},
        {{1, 1, 47, 13}, 1, kHorizontal},  {{0, 0, 17, 20}, 1, kVertical},
        {{2, 4, 40, 36}, 0, kHorizontal}};
    for (const auto& [bounds, scale, orientation] : bars) {
        SCOPED_TRACE(testing::PrintToString(bounds) + " at scale " + std::to_string(scale));
        CScrollBarModel model(kDistinctColors);
        model.SetScale(scale);
        const std::int32_t margin = 2;
        CRasterSurface surface(bounds.right + margin, bounds.bottom + margin, kPage);
        Draw(model, surface, bounds, orientation);
        const auto topAt = [&](std::int32_t x, std::int32_t y) {
            const auto found =
                std::find(kColorByNumber.begin(), kColorByNumber.end(), surface.GetPixel(x, y));
            return found == kColorByNumber.end()
                       ? static_cast<int>(kNoElement)
                       : static_cast<int>(found - kColorByNumber.begin()) + 1;
        };
        for (std::int32_t y = 0; y < surface.GetHeight(); ++y) {
            for (std::int32_t x = 0; x < surface.GetWidth(); ++x) {
                ASSERT_EQ(topAt(x, y) != kNoElement, Contains(bounds, x, y))
                    << "pixel (" << x << ", " << y << ")";
                const int expected =
                    std::max({topAt(x, y), topAt(x - 1, y), topAt(x, y - 1), topAt(x - 1, y - 1)});
                ASSERT_EQ(HitTest(model, x, y, bounds, orientation), expected)
                    << "point (" << x << ", " << y << ")";
            }
        }
    }
}

} // namespace
