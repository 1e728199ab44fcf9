// The undo copy that picking a colour takes or keeps, and the one-level
// Undo. Where a click opens the dialog and what OK sets: PointerTest.

#include "tests/view/ViewTestFixture.h"

namespace {

constexpr COLORREF kPicked = RgbColor(0x11, 0x22, 0x33);
constexpr COLORREF kSecondPick = RgbColor(0x44, 0x55, 0x66);

using PickingTest = CViewTest;

TEST_F(PickingTest, CancelChangesNothingAndKeepsTheUndoCopy) {
    CTintbarView& view = StartKnownView();
    m_platform->answers = {kPicked, std::nullopt, std::nullopt};
    view.OnLButtonDown(10, 25);
    const CViewState afterPick = StateOf(view);
    m_platform->log.clear();

    view.OnLButtonDown(80, 25);
    view.OnLButtonDown(80, 100);

    EXPECT_EQ(m_platform->log,
              DialogFor(kKnownColors[PositionOf(kTrack)]) + " " + DialogFor(kWhite))
        << "a cancel does not repaint";
    EXPECT_EQ(StateOf(view), afterPick);
    view.OnEditUndo();
    EXPECT_EQ(StateOf(view), kKnownStart) << "Undo still reverts the last confirmed change";
}

TEST_F(PickingTest, ConfirmingTheSameColourStillTakesTheUndoCopy) {
    CTintbarView& view = StartKnownView();
    m_platform->answers = {kPicked, kPicked};
    view.OnLButtonDown(10, 25);
    view.OnLButtonDown(10, 25);
    const CViewState afterPicks = WithColor(kKnownStart, kFace, kPicked);
    EXPECT_EQ(StateOf(view), afterPicks);
    view.OnEditUndo();
    EXPECT_EQ(StateOf(view), afterPicks) << "the first change can no longer be undone";
}

// The second pick, on the other bar, opens on the colour the first one gave
// both bars; Undo reverts only it, and again, and repaints each time.
TEST_F(PickingTest, TwoChangesThenUndoTwice) {
    CTintbarView& view = StartKnownView();
    m_platform->answers = {kPicked, kSecondPick};
    view.OnLButtonDown(22, 25);
    const CViewState afterFirst = WithColor(kKnownStart, kArrow, kPicked);
    view.OnLButtonDown(171, 8);
    EXPECT_EQ(m_platform->log, DialogFor(kKnownColors[PositionOf(kArrow)]) + " paint " +
                                   DialogFor(kPicked) + " paint");
    EXPECT_EQ(StateOf(view), WithColor(afterFirst, kArrow, kSecondPick));
    m_platform->log.clear();

    view.OnEditUndo();
    EXPECT_EQ(StateOf(view), afterFirst);
    view.OnEditUndo();
    EXPECT_EQ(StateOf(view), afterFirst);
    EXPECT_EQ(m_platform->log, "paint paint");
}

} // namespace
