// The element under the pointer: the label a move puts in the status strip,
// and the colour a click picks.

#include "tests/view/ViewTestFixture.h"

#include <algorithm>
#include <tuple>

namespace {

struct CPointCase {
    std::int32_t x;
    std::int32_t y;
    int element;
    const char* where;
};

// Consecutive rows in the same element check that a move that keeps the
// label still repaints.
constexpr CPointCase kPointCases[] = {
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
    {80, 52, kNoElement, "second background row"},
    {162, 218, kNoElement, "page background, last pixel"},
    // The column x = 163 belongs to the vertical bar, tested first.
    {163, 0, k3DLight, "vertical bar, top-left"},
    {163, 25, kTrack, "vertical bar's first column beside the horizontal bar"},
    {170, 100, kTrack, "vertical track"},
    {171, 8, kArrow, "up arrow"},
    // The status strip: background left of x = 163, the vertical bar from
    // there on.
    {0, 239, kNoElement, "strip, bottom-left"},
    {162, 230, kNoElement, "strip, last column left of the vertical bar"},
    {163, 230, k3DLight, "strip, first column of the vertical bar"},
    {170, 230, kArrow, "strip, down arrow"},
    {175, 235, kFace, "strip, face of the second button"},
    {179, 239, kDarkShadow, "bottom-right corner"},
};

constexpr COLORREF kPicked = RgbColor(0x11, 0x22, 0x33);

// Under each code page, with seven distinct colours and with seven equal
// ones (a missing "default.css"): labels depend on the geometry alone. At
// each point a move names the element and repaints; a click opens the dialog
// on its colour (the background's for none), OK sets it in both bars and
// repaints, and Undo takes it back; neither changes the label.
class PointerTest : public CViewTest,
                    public ::testing::WithParamInterface<std::tuple<int, bool>> {};

TEST_P(PointerTest, EveryPointNamesAndPicksItsElement) {
    const auto [codePage, knownColors] = GetParam();
    multibyte::SetCodePage(codePage);
    CTintbarView& view = knownColors ? StartKnownView() : StartView();
    const ColorList colors = view.GetBar(0).GetColors();
    ASSERT_EQ(std::count(colors.begin(), colors.end(), colors[0]) == kElementCount, !knownColors);
    for (const CPointCase& point : kPointCases) {
        SCOPED_TRACE(::testing::Message()
                     << "(" << point.x << ", " << point.y << ") " << point.where);
        EXPECT_EQ(view.HitTestBars(point.x, point.y), point.element);
        const CViewState before = StateOf(view);
        const COLORREF initial = point.element == kNoElement
                                     ? before.background
                                     : before.colors[PositionOf(point.element)];
        m_platform->log.clear();
        m_platform->answers = {kPicked};

        view.OnMouseMove(point.x, point.y);
        view.OnLButtonDown(point.x, point.y);
        EXPECT_EQ(StateOf(view), WithColor(before, point.element, kPicked));
        view.OnEditUndo();

        EXPECT_EQ(m_platform->log, "paint " + DialogFor(initial) + " paint paint");
        EXPECT_EQ(StateOf(view), before);
        const CString label = InCurrentCodePage(kExpectedLabels[point.element]);
        EXPECT_EQ(view.GetLabel(), label);
        ASSERT_EQ(m_platform->picture->GetTextRuns().size(), 1U);
        EXPECT_EQ(m_platform->picture->GetTextRuns()[0].text, label);
    }
}

INSTANTIATE_TEST_SUITE_P(CodePagesAndColours, PointerTest,
                         ::testing::Combine(::testing::Values(multibyte::kShiftJis,
                                                              multibyte::kUtf8),
                                            ::testing::Bool()));

} // namespace
