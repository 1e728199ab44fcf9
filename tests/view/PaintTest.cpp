// The whole picture that the view paints, compared pixel for pixel with one
// built from the screen layout and the element rectangles of both bars.

#include "tests/view/ViewTestFixture.h"

namespace {

// Every pixel as built from the layout, and the label drawn as one run at
// (2, 220) in black on the strip grey.
::testing::AssertionResult PaintedAsExpected(const std::optional<CRasterSurface>& actual,
                                             COLORREF background, const ColorList& colors,
                                             const CString& label) {
    if (!actual) {
        return ::testing::AssertionFailure() << "nothing was painted";
    }
    const CRasterSurface expected = BuildExpectedPicture(background, colors);
    for (std::int32_t at = 0; at < kClientWidth * kClientHeight; ++at) {
        const std::int32_t x = at % kClientWidth;
        const std::int32_t y = at / kClientWidth;
        if (actual->GetPixel(x, y) != expected.GetPixel(x, y)) {
            return ::testing::AssertionFailure()
                   << "(" << x << ", " << y << ") is "
                   << ::testing::PrintToString(Color(actual->GetPixel(x, y))) << ", expected "
                   << ::testing::PrintToString(Color(expected.GetPixel(x, y)));
        }
    }
    const std::vector<CTextRun> runs = {{2, 220, kBlack, kExpectedStripGrey, label}};
    if (actual->GetTextRuns() != runs) {
        return ::testing::AssertionFailure()
               << "the label is not one black run on grey at (2, 220)";
    }
    return ::testing::AssertionSuccess();
}

using PaintTest = CViewTest;

// A click and Undo repaint everything and leave the label "ready".
TEST_F(PaintTest, StartUpThenColourChangeThenUndoThenNoSurface) {
    CTintbarView& view = StartView();
    const CString ready = InViewTextCodePage(kExpectedReady);
    view.OnDraw();
    EXPECT_TRUE(PaintedAsExpected(m_platform->picture, kWhite, kKnownColors, ready));

    m_platform->answers = {kPicked};
    view.OnLButtonDown(80, 100);
    EXPECT_TRUE(PaintedAsExpected(m_platform->picture, kPicked, kKnownColors, ready));

    view.OnEditUndo();
    EXPECT_TRUE(PaintedAsExpected(m_platform->picture, kWhite, kKnownColors, ready));

    // Without a surface nothing is drawn, and nothing reported.
    m_platform->surfaceAvailable = false;
    m_platform->log.clear();
    view.OnDraw();
    EXPECT_EQ(m_platform->log, "no-surface");
}

} // namespace
