// The whole picture that the view paints, compared pixel for pixel with one
// built here from the screen layout and the element rectangles of both bars.

#include "tests/view/ViewTestFixture.h"

#include <vector>

namespace {

constexpr COLORREF kExpectedStripGrey = 0xD9D9D9;

struct CElementRectangles {
    int element;
    std::vector<RECT> rectangles;
};

// The horizontal bar at (0, 0, 163, 51), scale 3, in drawing order.
const std::vector<CElementRectangles> kHorizontalBar = {
    {kFace, {{6, 6, 45, 45}, {118, 6, 157, 45}}},
    {kTrack, {{51, 0, 112, 51}}},
    {kShadow, {{45, 6, 48, 48}, {3, 45, 45, 48}, {157, 6, 160, 48}, {115, 45, 157, 48}}},
    {kDarkShadow, {{48, 3, 51, 51}, {0, 48, 48, 51}, {160, 3, 163, 51}, {112, 48, 160, 51}}},
    {kHighlight, {{3, 3, 48, 6}, {3, 6, 6, 45}, {115, 3, 160, 6}, {115, 6, 118, 45}}},
    {k3DLight, {{0, 0, 51, 3}, {0, 3, 3, 51}, {112, 0, 163, 3}, {112, 3, 115, 51}}},
    {kArrow,
     {{21, 24, 24, 27},
      {24, 21, 27, 30},
      {27, 18, 30, 33},
      {133, 18, 136, 33},
      {136, 21, 139, 30},
      {139, 24, 142, 27}}},
};

// The vertical bar at (163, 0, 17, 240), scale 1, in drawing order.
const std::vector<CElementRectangles> kVerticalBar = {
    {kFace, {{165, 2, 178, 15}, {165, 225, 178, 238}}},
    {kTrack, {{163, 17, 180, 223}}},
    {kShadow, {{178, 2, 179, 16}, {164, 15, 178, 16}, {178, 225, 179, 239}, {164, 238, 178, 239}}},
    {kDarkShadow,
     {{179, 1, 180, 17}, {163, 16, 179, 17}, {179, 224, 180, 240}, {163, 239, 179, 240}}},
    {kHighlight, {{164, 1, 179, 2}, {164, 2, 165, 15}, {164, 224, 179, 225}, {164, 225, 165, 238}}},
    {k3DLight, {{163, 0, 180, 1}, {163, 1, 164, 17}, {163, 223, 180, 224}, {163, 224, 164, 240}}},
    {kArrow,
     {{171, 7, 172, 8},
      {170, 8, 173, 9},
      {169, 9, 174, 10},
      {169, 230, 174, 231},
      {170, 231, 173, 232},
      {171, 232, 172, 233}}},
};

// Layout: page background, strip, horizontal bar, then the vertical bar over
// the strip's right end.
CRasterSurface BuildExpected(COLORREF background, const ColorList& colors) {
    CRasterSurface picture(kClientWidth, kClientHeight, kUnpainted);
    picture.FillRectangle({0, 51, 163, 219}, background);
    picture.FillRectangle({0, 219, 180, 240}, kExpectedStripGrey);
    for (const auto* bar : {&kHorizontalBar, &kVerticalBar}) {
        for (const CElementRectangles& element : *bar) {
            for (const RECT& rect : element.rectangles) {
                picture.FillRectangle(rect, colors[PositionOf(element.element)]);
            }
        }
    }
    return picture;
}

// Every pixel as expected, none left unpainted, and the label drawn as one
// run at (2, 220) in black on the strip grey.
::testing::AssertionResult PaintedAsExpected(const CRasterSurface* actual,
                                             const CRasterSurface& expected, const CString& label) {
    if (actual == nullptr) {
        return ::testing::AssertionFailure() << "nothing was painted";
    }
    ::testing::AssertionResult result = ::testing::AssertionFailure();
    int mismatches = 0;
    for (std::int32_t y = 0; y < kClientHeight; ++y) {
        for (std::int32_t x = 0; x < kClientWidth; ++x) {
            const COLORREF want = expected.GetPixel(x, y);
            const COLORREF got = actual->GetPixel(x, y);
            if ((got != want || want == kUnpainted) && ++mismatches <= 5) {
                result << "\n  (" << x << ", " << y << ") is "
                       << ::testing::PrintToString(Color(got)) << ", expected "
                       << ::testing::PrintToString(Color(want));
            }
        }
    }
    const std::vector<CTextRun> runs = {{2, 220, kBlack, kExpectedStripGrey, label}};
    if (actual->GetTextRuns() != runs) {
        return result << "\n  the label is not one black run on grey at (2, 220)";
    }
    return mismatches == 0 ? ::testing::AssertionSuccess()
                           : result << "\n  " << mismatches << " pixels differ";
}

using PaintTest = CViewTest;

// The label stays "ready" throughout: clicks and Undo leave it alone.
TEST_F(PaintTest, StartUpThenColourChangesThenUndo) {
    CTintbarView& view = StartKnownView();
    const CString ready = InCurrentCodePage(kExpectedReady);
    const COLORREF kNewArrow = RgbColor(0xFF, 0x00, 0x00);
    const COLORREF kNewBackground = RgbColor(0x00, 0x80, 0x00);
    ColorList changed = kKnownColors;
    changed[PositionOf(kArrow)] = kNewArrow;
    EXPECT_EQ(m_platform->log, "") << "construction paints nothing";

    view.OnDraw();
    EXPECT_TRUE(
        PaintedAsExpected(m_platform->picture.get(), BuildExpected(kWhite, kKnownColors), ready));

    m_platform->answers = {kNewArrow, kNewBackground};
    view.OnLButtonDown(22, 25);
    EXPECT_TRUE(
        PaintedAsExpected(m_platform->picture.get(), BuildExpected(kWhite, changed), ready));

    view.OnLButtonDown(80, 100);
    EXPECT_TRUE(PaintedAsExpected(m_platform->picture.get(), BuildExpected(kNewBackground, changed),
                                  ready));

    // One level: Undo takes back the background only.
    view.OnEditUndo();
    EXPECT_TRUE(
        PaintedAsExpected(m_platform->picture.get(), BuildExpected(kWhite, changed), ready));
}

// Without a surface nothing is drawn and nothing reported, and the handlers
// still change the colours.
TEST_F(PaintTest, NoSurfacePaintsNothing) {
    CTintbarView& view = StartKnownView();
    m_platform->surfaceAvailable = false;
    m_platform->answers = {kBlack};

    view.OnDraw();
    view.OnLButtonDown(80, 100);

    EXPECT_EQ(m_platform->log, "no-surface dialog#ffffff-full no-surface");
    EXPECT_EQ(m_platform->picture, nullptr);
    EXPECT_EQ(Color(view.GetBackground()), Color(kBlack));
}

} // namespace
