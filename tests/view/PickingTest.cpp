// The undo copy that picking a colour takes or keeps, and the one-level
// Undo. Where a click opens the dialog and what OK sets: StartTest.

#include "tests/view/ViewTestFixture.h"

namespace {

using PickingTest = CViewTest;

const CViewState kFacePicked = WithColor(kKnownStart, kFace, kPicked);

// A cancel neither repaints nor takes the undo copy: Undo still reverts the
// face.
TEST_F(PickingTest, CancelChangesNothing) {
    CTintbarView& view = StartView();
    m_platform->answers = {kPicked, std::nullopt};
    view.OnLButtonDown(10, 25);
    m_platform->log.clear();
    view.OnLButtonDown(80, 25);
    EXPECT_EQ(m_platform->log, DialogFor(kKnownColors[PositionOf(kTrack)]));
    EXPECT_EQ(StateOf(view), kFacePicked);
    view.OnEditUndo();
    EXPECT_EQ(StateOf(view), kKnownStart);
}

// The second OK takes the undo copy too: the first change can no longer be
// undone.
TEST_F(PickingTest, ConfirmingTheSameColourTakesTheUndoCopy) {
    CTintbarView& view = StartView();
    m_platform->answers = {kPicked, kPicked};
    view.OnLButtonDown(10, 25);
    view.OnLButtonDown(10, 25);
    view.OnEditUndo();
    EXPECT_EQ(StateOf(view), kFacePicked);
}

// The second pick, on the other bar, opens on the colour the first one gave
// both bars; Undo reverts only it, and a second Undo changes nothing more.
TEST_F(PickingTest, TwoChangesThenUndoTwice) {
    CTintbarView& view = StartView();
    m_platform->answers = {kPicked, kWhite};
    view.OnLButtonDown(22, 25);
    view.OnLButtonDown(171, 8);
    EXPECT_EQ(m_platform->log, DialogFor(kKnownColors[PositionOf(kArrow)]) + " paint " +
                                   DialogFor(kPicked) + " paint");
    EXPECT_EQ(StateOf(view), WithColor(kKnownStart, kArrow, kWhite));
    for (int undo = 1; undo <= 2; ++undo) {
        view.OnEditUndo();
        EXPECT_EQ(StateOf(view), WithColor(kKnownStart, kArrow, kPicked)) << "Undo " << undo;
    }
}

} // namespace
