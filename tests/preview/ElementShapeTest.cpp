#include "preview/ElementShape.h"
#include "preview/BarElement.h"
#include "tests/preview/RecordingSurface.h"
#include "tests/preview/WorkedBars.h"
#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

namespace {

// The kind comes from the key after lower-casing; nothing is trimmed, and
// the orientation set before stays. A key that names no element leaves a
// shapeless element, which draws nothing and is never hit.
TEST(BarElementTest, SetKindSelectsTheArrowOrNothing) {
    const WorkedBar& bar = kHorizontalBar;
    const std::vector<std::pair<const char*, bool>> keys = {{"scroll-arrow-color", true},
                                                            {"SCROLL-ARROW-COLOR", true},
                                                            {"Scroll-Arrow-Color", true},
                                                            {" scroll-arrow-color", false},
                                                            {"scroll-arrow-color ", false},
                                                            {"scroll-arrow", false},
                                                            {"", false}};
    for (const auto& [key, selectsArrow] : keys) {
        SCOPED_TRACE(testing::Message() << '"' << key << '"');
        CBarElement element;
        element.SetOrientation(kHorizontal);
        element.SetKind(key);
        element.SetRect(bar.bounds);
        element.SetScale(bar.scale);
        CRecordingSurface surface;
        element.Draw(surface);
        std::vector<RECT> drawn;
        for (const CRecordedFill& fill : surface.GetFills()) {
            drawn.push_back(fill.rect);
        }
        EXPECT_EQ(drawn, selectsArrow ? bar.rects[kArrow - 1] : std::vector<RECT>{});
        int hits = 0;
        for (std::int32_t y = bar.bounds.top - 1; y <= bar.bounds.bottom + 1; ++y) {
            for (std::int32_t x = bar.bounds.left - 1; x <= bar.bounds.right + 1; ++x) {
                hits += element.HitTest(x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(hits > 0, selectsArrow) << hits << " points hit";
    }
}

// Edges far out of range clamp to the 32-bit range, and an arrow asked for
// more strips than it has yields the empty rectangle instead of reading on.
TEST(ElementShapeTest, ExtremeBoundsClampAndExtraStripsAreEmpty) {
    const RECT everything{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    CArrowShape arrow(kVertical);
    EXPECT_EQ(arrow.NextRect(everything, INT_MAX), (RECT{INT_MAX, INT_MAX, INT_MAX, INT_MAX}));
    CTrackShape track(kHorizontal);
    EXPECT_EQ(track.NextRect(everything, 1), (RECT{INT_MAX, INT_MIN, INT_MIN, INT_MAX}));
    CDarkShadowShape darkShadow(kHorizontal);
    EXPECT_EQ(darkShadow.NextRect(RECT{0, 0, 10, 10}, INT_MIN), (RECT{INT_MAX, INT_MIN, 10, 10}));
    for (int strip = 1; strip < 6; ++strip) {
        arrow.NextRect(kVerticalBar.bounds, 1);
    }
    EXPECT_EQ(arrow.NextRect(kVerticalBar.bounds, 1), (RECT{}));
}

} // namespace
