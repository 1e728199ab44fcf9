#include "preview/ElementShape.h"
#include "preview/BarElement.h"
#include "tests/preview/RecordingSurface.h"
#include "tests/preview/WorkedBars.h"
#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

std::vector<RECT> DrawnRects(CBarElement& element) {
    CRecordingSurface surface;
    element.Draw(surface);
    std::vector<RECT> rects;
    for (const CRecordedFill& fill : surface.GetFills()) {
        rects.push_back(fill.rect);
    }
    return rects;
}

void LayOut(CBarElement& element, const WorkedBar& bar) {
    element.SetRect(bar.bounds);
    element.SetScale(bar.scale);
    element.SetOrientation(bar.orientation);
}

class WorkedBarTest : public testing::TestWithParam<WorkedBar> {};

TEST_P(WorkedBarTest, EachElementYieldsItsRectanglesInOrder) {
    const WorkedBar& bar = GetParam();
    for (int number = kFace; number <= kArrow; ++number) {
        CBarElement element;
        element.SetKind(CString(kElementKeys[number - 1]));
        LayOut(element, bar);
        EXPECT_EQ(DrawnRects(element), bar.rects[number - 1]) << kElementKeys[number - 1];
    }
}

INSTANTIATE_TEST_SUITE_P(Bars, WorkedBarTest,
                         testing::Values(kHorizontalBar, kVerticalBar, kThickVerticalBar));

TEST(ElementShapeTest, BaseShapeYieldsEmptyRectangleWithoutAdvancing) {
    CElementShape shape(3, kVertical);
    for (int call = 0; call < 5; ++call) {
        ASSERT_TRUE(shape.HasNext());
        EXPECT_EQ(shape.NextRect(RECT{0, 0, 163, 51}, 3), (RECT{0, 0, 0, 0}));
    }
}

TEST(ElementShapeTest, ShapesStopAfterTheirCountAndResetRestarts) {
    CArrowShape shape(kHorizontal);
    const RECT bounds = kHorizontalBar.bounds;
    int produced = 0;
    while (shape.HasNext()) {
        shape.NextRect(bounds, 3);
        ++produced;
    }
    EXPECT_EQ(produced, 6);
    shape.Reset();
    ASSERT_TRUE(shape.HasNext());
    EXPECT_EQ(shape.NextRect(bounds, 3), kHorizontalBar.rects[kArrow - 1][0]);
}

TEST(ElementShapeTest, ArrowPastItsStripsYieldsEmptyRectangle) {
    CArrowShape shape(kVertical);
    for (int strip = 0; strip < 6; ++strip) {
        shape.NextRect(kVerticalBar.bounds, 1);
    }
    EXPECT_EQ(shape.NextRect(kVerticalBar.bounds, 1), (RECT{0, 0, 0, 0}));
}

TEST(ElementShapeTest, ExtremeBoundsAndScalesClampInsteadOfOverflowing) {
    const RECT everything{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    CArrowShape arrow(kVertical);
    EXPECT_EQ(arrow.NextRect(everything, INT_MAX), (RECT{INT_MAX, INT_MAX, INT_MAX, INT_MAX}));
    CTrackShape track(kHorizontal);
    EXPECT_EQ(track.NextRect(everything, 1), (RECT{INT_MAX, INT_MIN, INT_MIN, INT_MAX}));
    CDarkShadowShape darkShadow(kHorizontal);
    EXPECT_EQ(darkShadow.NextRect(RECT{0, 0, 10, 10}, INT_MIN), (RECT{INT_MAX, INT_MIN, 10, 10}));
}

// The kind comes from the key after lower-casing; nothing is trimmed.
struct KindCase {
    const char* key;
    bool selectsArrow;
};

void PrintTo(const KindCase& test, std::ostream* out) {
    *out << '"' << test.key << '"';
}

class SetKindTest : public testing::TestWithParam<KindCase> {};

TEST_P(SetKindTest, SelectsTheArrowOrNothing) {
    CBarElement element;
    element.SetKind(GetParam().key);
    LayOut(element, kVerticalBar);
    const std::vector<RECT> expected =
        GetParam().selectsArrow ? kVerticalBar.rects[kArrow - 1] : std::vector<RECT>{};
    EXPECT_EQ(DrawnRects(element), expected);
    EXPECT_EQ(element.HitTest(171, 7), GetParam().selectsArrow);
}

INSTANTIATE_TEST_SUITE_P(Keys, SetKindTest,
                         testing::Values(KindCase{"scroll-arrow-color", true},
                                         KindCase{"SCROLL-ARROW-COLOR", true},
                                         KindCase{"Scroll-Arrow-Color", true},
                                         KindCase{" scroll-arrow-color", false},
                                         KindCase{"scroll-arrow-color ", false},
                                         KindCase{"scrollbar-arrow-color", false},
                                         KindCase{"scroll-arrow", false}, KindCase{"", false}));

TEST(BarElementTest, ElementWithoutShapeIsNeverHit) {
    CBarElement element;
    element.SetKind(" scroll-face-color");
    element.SetOrientation(kHorizontal);
    LayOut(element, kHorizontalBar);
    for (std::int32_t y = -1; y <= 52; ++y) {
        for (std::int32_t x = -1; x <= 164; ++x) {
            ASSERT_FALSE(element.HitTest(x, y)) << x << ", " << y;
        }
    }
}

TEST(BarElementTest, NewElementIsAVerticalWhiteFace) {
    CBarElement element;
    EXPECT_EQ(Color(element.GetColor()), Color(kWhite));
    element.SetRect(kVerticalBar.bounds);
    EXPECT_EQ(DrawnRects(element), kVerticalBar.rects[kFace - 1]);
}

TEST(BarElementTest, NewKindKeepsTheOrientation) {
    CBarElement element;
    element.SetOrientation(kHorizontal);
    element.SetKind("scroll-arrow-color");
    element.SetRect(kHorizontalBar.bounds);
    element.SetScale(kHorizontalBar.scale);
    EXPECT_EQ(DrawnRects(element), kHorizontalBar.rects[kArrow - 1]);
}

TEST(BarElementTest, DrawFillsWithTheElementColour) {
    CBarElement element;
    element.SetKind("scroll-track-color");
    element.SetColor(0x336699);
    element.SetRect(kVerticalBar.bounds);
    CRecordingSurface surface;
    element.Draw(surface);
    EXPECT_EQ(surface.GetFills(),
              (std::vector<CRecordedFill>{{kVerticalBar.rects[kTrack - 1][0], 0x336699}}));
}

// Hit rectangles are closed: the right column and the bottom row belong to
// them although they are not filled.
struct ElementHitCase {
    const char* key;
    std::int32_t x;
    std::int32_t y;
    bool hit;
};

void PrintTo(const ElementHitCase& test, std::ostream* out) {
    *out << test.key << " at (" << test.x << ", " << test.y << ")";
}

class ElementHitTest : public testing::TestWithParam<ElementHitCase> {};

TEST_P(ElementHitTest, InTheHorizontalBar) {
    const ElementHitCase& test = GetParam();
    CBarElement element;
    element.SetKind(test.key);
    LayOut(element, kHorizontalBar);
    EXPECT_EQ(element.HitTest(test.x, test.y), test.hit);
}

INSTANTIATE_TEST_SUITE_P(Points, ElementHitTest,
                         testing::Values(ElementHitCase{"scroll-darkshadow-color", 51, 20, true},
                                         ElementHitCase{"scroll-darkshadow-color", 52, 20, false},
                                         ElementHitCase{"scroll-track-color", 51, 20, true},
                                         ElementHitCase{"scroll-track-color", 52, 20, true},
                                         ElementHitCase{"scroll-track-color", 112, 51, true},
                                         ElementHitCase{"scroll-track-color", 80, 52, false},
                                         ElementHitCase{"scroll-face-color", 45, 45, true},
                                         ElementHitCase{"scroll-face-color", 46, 45, false},
                                         ElementHitCase{"scroll-3dlight-color", 0, 0, true},
                                         ElementHitCase{"scroll-3dlight-color", -1, 0, false},
                                         ElementHitCase{"scroll-3dlight-color", 163, 3, true},
                                         ElementHitCase{"scroll-3dlight-color", 164, 3, false}));

} // namespace
