// Picking colours with the colour dialog, and the one-level Undo.

#include "tests/view/ViewTestFixture.h"

#include <vector>

namespace {

constexpr COLORREF kPicked = RgbColor(0x11, 0x22, 0x33);
constexpr COLORREF kSecondPick = RgbColor(0x44, 0x55, 0x66);

const CViewState kKnownStart = {kWhite, kKnownColors, kKnownColors, 3, 1};

// The state after an element (or, for 0, the background) took a colour.
CViewState WithColor(CViewState state, int element, COLORREF color) {
    if (element == kNoElement) {
        state.background = color;
    } else {
        state.horizontalColors[PositionOf(element)] = color;
        state.verticalColors[PositionOf(element)] = color;
    }
    return state;
}

struct CClickCase {
    std::int32_t x;
    std::int32_t y;
    int element;
    const char* where;
};

const std::vector<CClickCase> kClickCases = {
    {10, 25, kFace, "horizontal face"},
    {80, 25, kTrack, "horizontal track"},
    {46, 20, kShadow, "horizontal inner right edge"},
    {49, 20, kDarkShadow, "horizontal outer right edge"},
    {4, 20, kHighlight, "horizontal inner left edge"},
    {1, 20, k3DLight, "horizontal outer left edge"},
    {22, 25, kArrow, "horizontal arrow"},
    {20, 51, kDarkShadow, "row under the horizontal bar"},
    {163, 25, kTrack, "column shared by both bars"},
    {171, 8, kArrow, "vertical up arrow"},
    {170, 230, kArrow, "vertical down arrow over the strip"},
    {80, 100, kNoElement, "page background"},
    {80, 52, kNoElement, "first background row that the bar does not claim"},
    {100, 230, kNoElement, "status strip"},
    {162, 239, kNoElement, "strip's last pixel left of the vertical bar"},
};

using PickingTest = CViewTest;

TEST_F(PickingTest, ConfirmedClickSetsTheColourInBothBarsAndTakesTheUndoCopy) {
    for (const CClickCase& click : kClickCases) {
        SCOPED_TRACE(click.where);
        CTintbarView& view = StartKnownView();
        m_platform->colorDialog.requests.clear();
        m_platform->colorDialog.answers = {kPicked};
        const int paintsBefore = m_platform->surfaces.obtainCount;

        view.OnLButtonDown(click.x, click.y);

        const COLORREF initial =
            click.element == kNoElement ? kWhite : ColorOf(kKnownColors, click.element);
        const std::vector<CColorDialogRequest> expectedRequests = {{initial, true}};
        EXPECT_EQ(m_platform->colorDialog.requests, expectedRequests);
        EXPECT_EQ(StateOf(view), WithColor(kKnownStart, click.element, kPicked));
        EXPECT_EQ(m_platform->surfaces.obtainCount, paintsBefore + 1);
        view.OnEditUndo();
        EXPECT_EQ(StateOf(view), kKnownStart);
    }
}

TEST_F(PickingTest, DialogStartsFromTheCurrentColour) {
    CTintbarView& view = StartKnownView();
    m_platform->colorDialog.answers = {kPicked, std::nullopt, kSecondPick, std::nullopt};
    view.OnLButtonDown(22, 25);
    view.OnLButtonDown(171, 8);
    view.OnLButtonDown(80, 100);
    view.OnLButtonDown(100, 230);
    const std::vector<CColorDialogRequest> expected = {
        {ColorOf(kKnownColors, kArrow), true},
        {kPicked, true}, // the other bar's arrow took the colour too
        {kWhite, true},
        {kSecondPick, true},
    };
    EXPECT_EQ(m_platform->colorDialog.requests, expected);
}

TEST_F(PickingTest, CancelChangesNothingAndKeepsTheUndoCopy) {
    CTintbarView& view = StartKnownView();
    m_platform->colorDialog.answers = {kPicked, std::nullopt, std::nullopt};
    view.OnLButtonDown(10, 25);
    const CViewState afterPick = StateOf(view);
    const int paintsBefore = m_platform->surfaces.obtainCount;

    view.OnLButtonDown(80, 25);
    view.OnLButtonDown(80, 100);

    EXPECT_EQ(StateOf(view), afterPick);
    EXPECT_EQ(m_platform->surfaces.obtainCount, paintsBefore) << "a cancel does not repaint";
    view.OnEditUndo();
    EXPECT_EQ(StateOf(view), kKnownStart) << "Undo still reverts the last confirmed change";
}

TEST_F(PickingTest, ConfirmingTheSameColourStillTakesTheUndoCopy) {
    CTintbarView& view = StartKnownView();
    m_platform->colorDialog.answers = {kPicked, kPicked};
    view.OnLButtonDown(10, 25);
    view.OnLButtonDown(10, 25);
    const CViewState afterPicks = WithColor(kKnownStart, kFace, kPicked);
    EXPECT_EQ(StateOf(view), afterPicks);
    view.OnEditUndo();
    EXPECT_EQ(StateOf(view), afterPicks) << "the first change can no longer be undone";
}

TEST_F(PickingTest, UndoRevertsOnlyTheLastChangeAndRepeatsIt) {
    CTintbarView& view = StartKnownView();
    m_platform->colorDialog.answers = {kPicked, kSecondPick};
    view.OnLButtonDown(80, 25);
    const CViewState afterFirst = WithColor(kKnownStart, kTrack, kPicked);
    view.OnLButtonDown(80, 100);
    EXPECT_EQ(StateOf(view), WithColor(afterFirst, kNoElement, kSecondPick));

    const int paintsBefore = m_platform->surfaces.obtainCount;
    view.OnEditUndo();
    EXPECT_EQ(StateOf(view), afterFirst);
    view.OnEditUndo();
    EXPECT_EQ(StateOf(view), afterFirst);
    EXPECT_EQ(m_platform->surfaces.obtainCount, paintsBefore + 2) << "every Undo repaints";
}

TEST_F(PickingTest, UndoRightAfterStartUpChangesNothing) {
    CTintbarView& view = StartKnownView();
    view.OnEditUndo();
    EXPECT_EQ(StateOf(view), kKnownStart);
}

// A run of picks on either bar: the two previews never differ in colour.
TEST_F(PickingTest, BothBarsAlwaysHoldTheSameColours) {
    CTintbarView& view = StartKnownView();
    COLORREF next = RgbColor(1, 2, 3);
    for (const CClickCase& click : kClickCases) {
        SCOPED_TRACE(click.where);
        m_platform->colorDialog.answers = {next};
        view.OnLButtonDown(click.x, click.y);
        EXPECT_EQ(Colors(view.GetBar(0).GetColors()), Colors(view.GetBar(1).GetColors()));
        view.OnEditUndo();
        EXPECT_EQ(Colors(view.GetBar(0).GetColors()), Colors(view.GetBar(1).GetColors()));
        m_platform->colorDialog.answers = {next};
        view.OnLButtonDown(click.x, click.y);
        next += RgbColor(7, 11, 13);
    }
}

} // namespace
