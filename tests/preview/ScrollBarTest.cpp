// The preview scrollbar: the element shapes, the elements that fill and hit
// test them, and the model that lays the seven elements out as a bar.

#include "preview/RasterSurface.h"
#include "preview/ScrollBarModel.h"
#include "tests/preview/RecordingSurface.h"
#include "tests/preview/WorkedBars.h"
#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
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
    const auto draw = orientation == kVertical ? &CScrollBarModel::DrawVertical
                                               : &CScrollBarModel::DrawHorizontal;
    (model.*draw)(surface, bounds.left, bounds.top, bounds.right - bounds.left,
                  bounds.bottom - bounds.top);
}

int HitTest(CScrollBarModel& model, std::int32_t x, std::int32_t y, const RECT& bounds,
            Orientation orientation) {
    return model.HitTest(x, y, bounds.left, bounds.top, bounds.right - bounds.left,
                         bounds.bottom - bounds.top, orientation);
}

// The kind comes from the key after lower-casing; nothing is trimmed, and
// the orientation set before stays, even one set while the element had no
// shape. A key that names no element leaves a shapeless element, which
// draws nothing and is never hit.
TEST(BarElementTest, SetKindSelectsTheArrowOrNothing) {
    const std::vector<std::pair<const char*, bool>> keys = {
        {"SCROLL-ARROW-COLOR", true}, {" scroll-arrow-color", false}, {"scroll-arrow", false}};
    for (const auto& [key, selectsArrow] : keys) {
        SCOPED_TRACE(testing::Message() << '"' << key << '"');
        CBarElement element;
        element.SetKind("");
        element.SetOrientation(kHorizontal);
        element.SetKind(key);
        element.SetRect(kWorkedHorizontal.bounds);
        element.SetScale(kWorkedHorizontal.scale);
        CRecordingSurface surface;
        element.Draw(surface);
        std::vector<RECT> drawn;
        std::ranges::transform(surface.GetFills(), std::back_inserter(drawn), &CRecordedFill::rect);
        EXPECT_EQ(drawn, selectsArrow ? kWorkedHorizontal.rects[kArrow - 1] : std::vector<RECT>{});
        // A corner of the arrow's first strip, (21, 24, 24, 27).
        EXPECT_EQ(element.HitTest(21, 24), selectsArrow);
    }
}

// Edges far out of range clamp to the 32-bit range, in the shapes and in a
// rectangle given by corner and size, where edges that fit stay exact. An
// arrow asked for more strips than it has yields the empty rectangle
// instead of reading on.
TEST(ElementShapeTest, ExtremeBoundsClampAndExtraStripsAreEmpty) {
    EXPECT_EQ(RectFromSize(INT_MAX - 1, 5, 10, 1), (RECT{INT_MAX - 1, 5, INT_MAX, 6}));
    EXPECT_EQ(RectFromSize(INT_MIN, INT_MIN, INT_MIN, -1),
              (RECT{INT_MIN, INT_MIN, INT_MIN, INT_MIN}));
    EXPECT_EQ(RectFromSize(-10, -10, INT_MAX, INT_MAX),
              (RECT{-10, -10, INT_MAX - 10, INT_MAX - 10}));
    CArrowShape arrow(kVertical);
    EXPECT_EQ(arrow.NextRect(RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, INT_MAX),
              (RECT{INT_MAX, INT_MAX, INT_MAX, INT_MAX}));
    CDarkShadowShape darkShadow(kHorizontal);
    EXPECT_EQ(darkShadow.NextRect(RECT{0, 0, 10, 10}, INT_MIN), (RECT{INT_MAX, INT_MIN, 10, 10}));
    for (int strip = 1; strip < 6; ++strip) {
        arrow.NextRect(kWorkedVertical.bounds, 1);
    }
    EXPECT_EQ(arrow.NextRect(kWorkedVertical.bounds, 1), (RECT{}));
}

// Every rectangle that each element fills, face to arrow, also those that a
// later element covers; colours set after the scale must not lose it. (The
// view tests compare the picture.)
TEST(ScrollBarModelTest, WorkedBarsFillTheListedRectanglesFaceToArrow) {
    for (const WorkedBar& bar : {kWorkedHorizontal, kWorkedVertical}) {
        CScrollBarModel model;
        model.SetScale(bar.scale);
        model.SetColors(kDistinctColors);
        std::vector<CRecordedFill> expected;
        for (int number = kFace; number <= kArrow; ++number) {
            for (const RECT& rect : bar.rects[number - 1]) {
                expected.push_back(CRecordedFill{rect, kColorByNumber[number - 1]});
            }
        }
        CRecordingSurface recording;
        Draw(model, recording, bar.bounds, bar.orientation);
        EXPECT_EQ(recording.GetFills(), expected);
    }
}

// A length of zero or less takes the bitmap's size; the other dimension
// never does. The track shows the length used; a new model draws in white.
TEST(ScrollBarModelTest, NewModelTakesTheLengthFromTheBitmapOnlyWhenNotPositive) {
    // Orientation, cx, cy, and the track drawn at (10, 20) in a 300 x 400 bitmap.
    const std::vector<std::tuple<Orientation, std::int32_t, std::int32_t, RECT>> lengths = {
        {kHorizontal, 0, 17, {27, 20, 293, 37}},  {kHorizontal, -5, 17, {27, 20, 293, 37}},
        {kHorizontal, 163, 0, {10, 20, 173, 20}}, {kVertical, 17, 0, {10, 37, 27, 403}},
        {kVertical, 17, -1, {10, 37, 27, 403}},   {kVertical, 0, 240, {10, 20, 10, 260}}};
    for (const auto& [orientation, cx, cy, track] : lengths) {
        CScrollBarModel model;
        CRecordingSurface surface(CBitmapSize{300, 400});
        Draw(model, surface, RectFromSize(10, 20, cx, cy), orientation);
        EXPECT_EQ(surface.GetFills().at(2).rect, track)
            << (orientation == kVertical ? "vertical " : "horizontal ") << cx << " x " << cy;
        for (const CRecordedFill& fill : surface.GetFills()) {
            EXPECT_EQ(Color(fill.color), Color(kWhite));
        }
    }
}

// In a bar 23 units thick the edges follow the thickness and the arrow
// keeps its unit offsets, left of the centre, at a new model's scale of 1.
// (Elsewhere the invariants below tie every hit to the painted picture.)
TEST(ScrollBarModelTest, HitTestInABarThickerThanDesigned) {
    // x, y and the element number that HitTest must give there.
    const std::vector<std::tuple<std::int32_t, std::int32_t, int>> thick = {
        {8, 7, kArrow},    {11, 7, kFace},  {22, 10, kDarkShadow},
        {21, 10, kShadow}, {6, 44, kArrow}, {24, 30, kNoElement}};
    CScrollBarModel model;
    for (const auto& [x, y, element] : thick) {
        EXPECT_EQ(HitTest(model, x, y, {0, 0, 23, 60}, kVertical), element)
            << "at (" << x << ", " << y << ")";
    }
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
            const auto* found = std::ranges::find(kColorByNumber, surface.GetPixel(x, y));
            return found == kColorByNumber.end() ? 0 : int(found - kColorByNumber.begin()) + 1;
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
