// Each way the view can start (either code page; "default.css" missing,
// empty or holding seven distinct colours): the state it starts in and the
// whole picture it paints, and what a move and a click do at each point of a
// table; then a cancel, a second Undo and an OK on the colour already there.

#include "tests/preview/RecordingSurface.h"
#include "tests/preview/WorkedBars.h"
#include "tests/view/ViewTestFixture.h"

namespace {

// Every pixel of the last paint: the page background, the strip, the
// horizontal bar, then the vertical bar over the strip's right end, from the
// element rectangles written out by hand for the preview tests; and the label
// drawn as one run at (2, 220) in black on the strip grey.
void ExpectPainted(const std::optional<CRasterSurface>& actual, const CViewState& state,
                   std::string_view label) {
    ASSERT_TRUE(actual.has_value()) << "nothing was painted";
    std::vector<CRecordedFill> fills = {{{0, 51, 163, 219}, state.background},
                                        {{0, 219, 180, 240}, kExpectedStripGrey}};
    for (const WorkedBar* bar : {&kWorkedHorizontal, &kWorkedVertical}) {
        for (int element = kFace; element <= kArrow; ++element) {
            for (const RECT& rect : bar->rects[element - 1]) {
                fills.push_back({rect, state.colors[PositionOf(element)]});
            }
        }
    }
    ExpectPicture(*actual, fills, kUnpainted);
    EXPECT_EQ(actual->GetTextRuns(), (std::vector<CTextRun>{{2, 220, kBlack, kExpectedStripGrey,
                                                             InViewTextCodePage(label)}}));
}

struct CStart {
    const char* what;
    int codePage;
    const char* css; // nullptr: no "default.css"
    ColorList colors;
};

void PrintTo(const CStart& start, std::ostream* out) {
    *out << start.what;
}

const CStart kStarts[] = {
    {"932, no file", multibyte::kShiftJis, nullptr, kAllBlack},
    {"932, empty file", multibyte::kShiftJis, "", kAllBlack},
    {"932, known file", multibyte::kShiftJis, kKnownCss, kKnownColors},
    {"65001, no file", multibyte::kUtf8, nullptr, kAllBlack},
    {"65001, empty file", multibyte::kUtf8, "", kAllBlack},
    {"65001, known file", multibyte::kUtf8, kKnownCss, kKnownColors},
    // A single-byte code page has no Japanese: the labels stay UTF-8.
    {"1252, known file", 1252, kKnownCss, kKnownColors},
};

class StartTest : public CViewTest, public ::testing::WithParamInterface<CStart> {
protected:
    CTintbarView& Start() {
        multibyte::SetCodePage(GetParam().codePage);
        return StartView(GetParam().css);
    }
};

// White background, the file's colours, the "ready" label, no call on the
// platform yet, and an undo copy equal to all of it; without a surface
// nothing is drawn, and nothing reported.
TEST_P(StartTest, StartsFromDefaultCss) {
    CTintbarView& view = Start();
    const CViewState expected = {kWhite, GetParam().colors};
    EXPECT_EQ(StateOf(view), expected);
    EXPECT_EQ(view.GetLabel(), InViewTextCodePage(kExpectedReady));
    EXPECT_EQ(m_platform->log, "");
    view.OnDraw();
    ExpectPainted(m_platform->picture, expected, kExpectedReady);
    view.OnEditUndo();
    EXPECT_EQ(StateOf(view), expected);
    m_platform->surfaceAvailable = false;
    m_platform->log.clear();
    view.OnDraw();
    EXPECT_EQ(m_platform->log, "no-surface");
}

// Indexed by element number, 0 the page background.
constexpr std::string_view kExpectedLabels[] = {"背景(option)", "四角形の面", "トラック部分",
                                                "内周右下",     "外周右下",   "内周左上",
                                                "外周左上",     "矢印"};

struct CPointCase {
    std::int32_t x;
    std::int32_t y;
    int element;
    const char* where;
};

// Every element and the background, and the edges between the areas.
constexpr CPointCase kPointCases[] = {
    {4, 20, kHighlight, "horizontal bar, inner left edge"},
    {10, 25, kFace, "horizontal bar, face of the first button"},
    {22, 25, kArrow, "horizontal bar, arrow of the first button"},
    {46, 20, kShadow, "horizontal bar, inner right edge"},
    {80, 25, kTrack, "horizontal track"},
    // The row y = 51 still belongs to the horizontal bar.
    {20, 51, kDarkShadow, "first background row, under the bottom edge"},
    {20, 52, kNoElement, "second background row"},
    // The column x = 163 belongs to both bars; the vertical one claims it.
    {162, 25, kDarkShadow, "last column left of the vertical bar"},
    {163, 25, kTrack, "vertical bar's first column beside the horizontal bar"},
    // The strip is background left of x = 163. Two rows in one element: a
    // move that keeps the label still repaints.
    {162, 230, kNoElement, "strip, last column left of the vertical bar"},
    {163, 230, k3DLight, "strip, first column of the vertical bar"},
    {170, 224, k3DLight, "strip, top edge of the down button"},
    {179, 239, kDarkShadow, "bottom-right corner"},
};

// Labels depend on the geometry alone, also where all colours are equal. A
// move names the element and repaints; a click opens the dialog on its colour
// (the background's for none), OK sets it in both bars and repaints the
// whole picture, Undo takes it back; neither changes the label.
TEST_P(StartTest, EveryPointNamesAndPicksItsElement) {
    CTintbarView& view = Start();
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
        const CViewState picked = WithColor(before, point.element, kPicked);
        EXPECT_EQ(StateOf(view), picked);
        const std::string_view label = kExpectedLabels[point.element];
        ExpectPainted(m_platform->picture, picked, label);
        view.OnEditUndo();

        EXPECT_EQ(m_platform->log, "paint " + DialogFor(initial) + " paint paint");
        EXPECT_EQ(StateOf(view), before);
        ExpectPainted(m_platform->picture, before, label);
    }
}

INSTANTIATE_TEST_SUITE_P(CodePagesAndFiles, StartTest, ::testing::ValuesIn(kStarts));

using PickingTest = CViewTest;

// A cancel neither repaints nor takes the undo copy, and a second Undo
// brings back no more than the first; an OK takes the undo copy even for
// the colour already there, which the other bar's dialog opens on.
TEST_F(PickingTest, CancelUndoTwiceAndConfirmTheSameColour) {
    CTintbarView& view = StartView();
    const CViewState arrowPicked = WithColor(kKnownStart, kArrow, kPicked);
    m_platform->answers = {kPicked, std::nullopt, kPicked, kPicked};
    view.OnLButtonDown(22, 25);
    m_platform->log.clear();
    view.OnLButtonDown(80, 25);
    EXPECT_EQ(m_platform->log, DialogFor(kKnownColors[PositionOf(kTrack)]));
    EXPECT_EQ(StateOf(view), arrowPicked);
    for (int undo = 1; undo <= 2; ++undo) {
        view.OnEditUndo();
        EXPECT_EQ(StateOf(view), kKnownStart) << "Undo " << undo;
    }
    view.OnLButtonDown(22, 25);
    m_platform->log.clear();
    view.OnLButtonDown(171, 8);
    EXPECT_EQ(m_platform->log, DialogFor(kPicked) + " paint");
    view.OnEditUndo();
    EXPECT_EQ(StateOf(view), arrowPicked);
}

} // namespace
