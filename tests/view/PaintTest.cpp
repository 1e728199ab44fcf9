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

class CExpectedPicture {
public:
    CExpectedPicture() : m_pixels(kClientWidth * kClientHeight, kUnpainted) {}

    void Fill(const RECT& rect, COLORREF color) {
        for (std::int32_t y = rect.top; y < rect.bottom; ++y) {
            for (std::int32_t x = rect.left; x < rect.right; ++x) {
                m_pixels[y * kClientWidth + x] = color;
            }
        }
    }

    void FillBar(const std::vector<CElementRectangles>& bar, const ColorList& colors) {
        for (const CElementRectangles& element : bar) {
            for (const RECT& rect : element.rectangles) {
                Fill(rect, ColorOf(colors, element.element));
            }
        }
    }

    COLORREF At(std::int32_t x, std::int32_t y) const { return m_pixels[y * kClientWidth + x]; }

private:
    std::vector<COLORREF> m_pixels;
};

// Layout: page background, strip, horizontal bar, then the vertical bar over
// the strip's right end.
CExpectedPicture BuildExpected(COLORREF background, const ColorList& colors) {
    CExpectedPicture picture;
    picture.Fill({0, 51, 163, 219}, background);
    picture.Fill({0, 219, 180, 240}, kExpectedStripGrey);
    picture.FillBar(kHorizontalBar, colors);
    picture.FillBar(kVerticalBar, colors);
    return picture;
}

::testing::AssertionResult SamePicture(const CRasterSurface* actual,
                                       const CExpectedPicture& expected) {
    if (actual == nullptr) {
        return ::testing::AssertionFailure() << "nothing was painted";
    }
    if (actual->GetWidth() != kClientWidth || actual->GetHeight() != kClientHeight) {
        return ::testing::AssertionFailure() << "the raster is not 180 x 240";
    }
    constexpr int kReportedMismatches = 5;
    int mismatches = 0;
    ::testing::AssertionResult result = ::testing::AssertionFailure();
    for (std::int32_t y = 0; y < kClientHeight; ++y) {
        for (std::int32_t x = 0; x < kClientWidth; ++x) {
            const COLORREF want = expected.At(x, y);
            const COLORREF got = actual->GetPixel(x, y);
            if (got != want && ++mismatches <= kReportedMismatches) {
                result << "\n  (" << x << ", " << y << ") is "
                       << ::testing::PrintToString(Color(got)) << ", expected "
                       << ::testing::PrintToString(Color(want));
            }
        }
    }
    if (mismatches == 0) {
        return ::testing::AssertionSuccess();
    }
    return result << "\n  " << mismatches << " pixels differ";
}

CTextRun ExpectedLabelRun(const CString& label) {
    return {2, 220, kBlack, kExpectedStripGrey, label};
}

using PaintTest = CViewTest;

TEST_F(PaintTest, ExpectedPictureHasEveryPixelCovered) {
    const CExpectedPicture picture = BuildExpected(kWhite, kKnownColors);
    for (std::int32_t y = 0; y < kClientHeight; ++y) {
        for (std::int32_t x = 0; x < kClientWidth; ++x) {
            ASSERT_NE(picture.At(x, y), kUnpainted) << "(" << x << ", " << y << ")";
        }
    }
}

TEST_F(PaintTest, StartUpThenColourChangesThenUndo) {
    CTintbarView& view = StartKnownView();
    const COLORREF kNewArrow = RgbColor(0xFF, 0x00, 0x00);
    const COLORREF kNewBackground = RgbColor(0x00, 0x80, 0x00);
    ColorList changed = kKnownColors;
    changed[PositionOf(kArrow)] = kNewArrow;

    view.OnDraw();
    EXPECT_TRUE(
        SamePicture(m_platform->surfaces.GetLastPicture(), BuildExpected(kWhite, kKnownColors)));

    m_platform->colorDialog.answers = {kNewArrow, kNewBackground};
    view.OnLButtonDown(22, 25);
    EXPECT_TRUE(SamePicture(m_platform->surfaces.GetLastPicture(), BuildExpected(kWhite, changed)));

    view.OnLButtonDown(80, 100);
    EXPECT_TRUE(
        SamePicture(m_platform->surfaces.GetLastPicture(), BuildExpected(kNewBackground, changed)));

    // One level: Undo takes back the background only.
    view.OnEditUndo();
    EXPECT_TRUE(SamePicture(m_platform->surfaces.GetLastPicture(), BuildExpected(kWhite, changed)));
}

TEST_F(PaintTest, EveryPaintDrawsOneLabelRunInBlackOnTheStripGrey) {
    CTintbarView& view = StartKnownView();
    view.OnDraw();
    ASSERT_NE(m_platform->surfaces.GetLastPicture(), nullptr);
    EXPECT_EQ(m_platform->surfaces.GetLastPicture()->GetTextRuns(),
              std::vector<CTextRun>{ExpectedLabelRun(InCurrentCodePage(kExpectedReady))});

    view.OnMouseMove(22, 25);
    EXPECT_EQ(m_platform->surfaces.GetLastPicture()->GetTextRuns(),
              std::vector<CTextRun>{ExpectedLabelRun(InCurrentCodePage(kExpectedLabels[kArrow]))});
}

TEST_F(PaintTest, EachPaintObtainsAndReleasesOneSurface) {
    CTintbarView& view = StartKnownView();
    EXPECT_EQ(m_platform->surfaces.obtainCount, 0) << "construction paints nothing";
    view.OnDraw();
    view.OnDraw();
    EXPECT_EQ(m_platform->surfaces.obtainCount, 2);
    EXPECT_EQ(m_platform->surfaces.releaseCount, 2);
}

// Without a surface nothing is drawn and nothing reported, and the handlers
// still change the colours.
TEST_F(PaintTest, NoSurfacePaintsNothingAndReportsNothing) {
    CTintbarView& view = StartKnownView();
    m_platform->surfaces.available = false;
    m_platform->colorDialog.answers = {kBlack};

    view.OnDraw();
    view.OnMouseMove(10, 10);
    view.OnLButtonDown(80, 100);

    EXPECT_EQ(m_platform->surfaces.obtainCount, 3);
    EXPECT_EQ(m_platform->surfaces.releaseCount, 0);
    EXPECT_EQ(m_platform->surfaces.GetLastPicture(), nullptr);
    EXPECT_TRUE(m_platform->desktop.messages.empty());
    EXPECT_EQ(m_platform->desktop.beeps, 0);
    EXPECT_EQ(Color(view.GetBackground()), Color(kBlack));
}

} // namespace
