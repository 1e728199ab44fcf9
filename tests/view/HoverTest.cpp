// The element under the pointer and the label it puts in the status strip.

#include "tests/view/ViewTestFixture.h"

#include <algorithm>
#include <vector>

namespace {

struct CHoverCase {
    std::int32_t x;
    std::int32_t y;
    int element;
    const char* where;
};

const std::vector<CHoverCase> kHoverCases = {
    // The horizontal bar, scale 3.
    {0, 0, k3DLight, "top-left corner"},
    {1, 20, k3DLight, "outer left edge"},
    {4, 20, kHighlight, "inner left edge"},
    {10, 25, kFace, "face of the first button"},
    {22, 25, kArrow, "arrow of the first button"},
    {46, 20, kShadow, "inner right edge"},
    {49, 20, kDarkShadow, "outer right edge"},
    {80, 25, kTrack, "track"},
    {137, 25, kArrow, "arrow of the second button"},
    {162, 25, kDarkShadow, "last column left of the vertical bar"},
    {80, -1, kNoElement, "just above the bar"},
    {-1, 25, kNoElement, "just left of the bar"},
    // The row y = 51 still belongs to the horizontal bar, the next does not.
    {20, 51, kDarkShadow, "first background row, under the bottom edge"},
    {80, 51, kTrack, "first background row, under the track"},
    {20, 52, kNoElement, "second background row"},
    {80, 52, kNoElement, "second background row"},
    // The column x = 163 belongs to the vertical bar, tested first.
    {163, 0, k3DLight, "vertical bar, top-left"},
    {163, 25, kTrack, "vertical bar's first column beside the horizontal bar"},
    {171, 8, kArrow, "up arrow"},
    {170, 100, kTrack, "vertical track"},
    {80, 100, kNoElement, "page background"},
    {162, 218, kNoElement, "page background, last pixel"},
    // The status strip: background left of x = 163, the vertical bar from
    // there on.
    {0, 239, kNoElement, "strip, bottom-left"},
    {100, 230, kNoElement, "strip"},
    {162, 230, kNoElement, "strip, last column left of the vertical bar"},
    {163, 230, k3DLight, "strip, first column of the vertical bar"},
    {170, 230, kArrow, "strip, down arrow"},
    {175, 235, kFace, "strip, face of the second button"},
    {179, 239, kDarkShadow, "bottom-right corner"},
};

CString LabelFor(int element) {
    return InCurrentCodePage(kExpectedLabels[element]);
}

class HoverTest : public CViewTest, public ::testing::WithParamInterface<int> {};

TEST_P(HoverTest, EveryPointNamesItsElement) {
    multibyte::SetCodePage(GetParam());
    CTintbarView& view = StartKnownView();
    for (const CHoverCase& hover : kHoverCases) {
        SCOPED_TRACE(::testing::Message()
                     << "(" << hover.x << ", " << hover.y << ") " << hover.where);
        EXPECT_EQ(view.HitTestBars(hover.x, hover.y), hover.element);
        view.OnMouseMove(hover.x, hover.y);
        EXPECT_EQ(view.GetLabel(), LabelFor(hover.element));
    }
}

// With all seven colours equal (a missing "default.css" gives seven times
// the same colour) the elements are still told apart.
TEST_P(HoverTest, LabelsDoNotDependOnTheColours) {
    multibyte::SetCodePage(GetParam());
    CTintbarView& view = StartView();
    const ColorList colors = view.GetBar(0).GetColors();
    ASSERT_EQ(std::count(colors.begin(), colors.end(), colors[0]), kElementCount);
    for (const CHoverCase& hover : kHoverCases) {
        SCOPED_TRACE(::testing::Message()
                     << "(" << hover.x << ", " << hover.y << ") " << hover.where);
        view.OnMouseMove(hover.x, hover.y);
        EXPECT_EQ(view.GetLabel(), LabelFor(hover.element));
    }
}

INSTANTIATE_TEST_SUITE_P(CodePages, HoverTest,
                         ::testing::Values(multibyte::kShiftJis, multibyte::kUtf8));

using HoverRepaintTest = CViewTest;

TEST_F(HoverRepaintTest, EveryMoveRepaintsWithTheCurrentLabel) {
    CTintbarView& view = StartKnownView();
    const std::int32_t kPointsInTheTrack[] = {60, 61, 62, 61};
    int paints = 0;
    for (std::int32_t x : kPointsInTheTrack) {
        view.OnMouseMove(x, 25);
        ++paints;
        EXPECT_EQ(m_platform->surfaces.obtainCount, paints);
        EXPECT_EQ(m_platform->surfaces.releaseCount, paints);
        ASSERT_EQ(m_platform->surfaces.GetLastPicture()->GetTextRuns().size(), 1U);
        EXPECT_EQ(m_platform->surfaces.GetLastPicture()->GetTextRuns()[0].text, LabelFor(kTrack));
    }
}

// A label is looked up when the pointer moves, under the code page then in
// force.
TEST_F(HoverRepaintTest, LabelFollowsTheCodePageAtTheMove) {
    multibyte::SetCodePage(multibyte::kShiftJis);
    CTintbarView& view = StartKnownView();
    EXPECT_EQ(view.GetLabel(), FromHex(kExpectedReady.shiftJisHex));
    multibyte::SetCodePage(multibyte::kUtf8);
    EXPECT_EQ(view.GetLabel(), FromHex(kExpectedReady.shiftJisHex)) << "stored text stays as it is";
    view.OnMouseMove(22, 25);
    EXPECT_EQ(view.GetLabel(), CString{kExpectedLabels[kArrow].utf8});
}

// Clicks, Undo, Copy and Paste leave the label alone.
TEST_F(HoverRepaintTest, OnlyMovesChangeTheLabel) {
    CTintbarView& view = StartKnownView();
    view.OnMouseMove(80, 25);
    m_platform->colorDialog.answers = {kBlack};
    m_platform->clipboard.content = CString{kKnownCss};
    view.OnLButtonDown(22, 25);
    view.OnEditUndo();
    view.OnEditCopy();
    view.OnEditPaste();
    EXPECT_EQ(view.GetLabel(), LabelFor(kTrack));
}

} // namespace
