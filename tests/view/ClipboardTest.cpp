// Copy and Paste: the clipboard calls, the open-retry protocol, the beeps and
// messages, and what each leaves of the colours and the undo copy.

#include "css/CopyText.h"
#include "tests/view/ViewTestFixture.h"

#include <algorithm>
#include <vector>

namespace {

constexpr const char* kCopyCaption = "Fatal error";
constexpr const char* kLockMessage = "error on the step ClipboardPaste - GlobalLock()";
constexpr int kOpenAttempts = 21;
constexpr COLORREF kPicked = RgbColor(0x11, 0x22, 0x33);

using Calls = std::vector<ClipboardCall>;

Calls FailedOpens(int count) {
    return Calls(count, ClipboardCall::kOpenFailed);
}

Calls Then(Calls calls, const Calls& more) {
    calls.insert(calls.end(), more.begin(), more.end());
    return calls;
}

// The one message of a failed Copy, shown with the clipboard closed.
std::vector<CMessageRecord> CopyFailedMessage() {
    return {{InCurrentCodePage(kExpectedCopyFailed), CString{kCopyCaption}, false}};
}

const Calls kWriteCalls = {ClipboardCall::kOpen, ClipboardCall::kWrite, ClipboardCall::kClose};
const Calls kReadCalls = {ClipboardCall::kOpen, ClipboardCall::kRead, ClipboardCall::kClose};

// The colours that the import makes of a text, as both bars must hold them
// after a Paste of it.
ColorList ImportedColors(const CString& text) {
    CScrollBarModel bar;
    bar.ImportCssText(text);
    return bar.GetColors();
}

class ClipboardTest : public CViewTest {
protected:
    // A started view whose undo copy (the start-up state) differs from what
    // it shows (the face picked afresh), so that a snapshot shows in Undo.
    CTintbarView& StartWithOnePick() {
        CTintbarView& view = StartKnownView();
        m_platform->colorDialog.answers = {kPicked};
        view.OnLButtonDown(10, 25);
        m_platform->surfaces.obtainCount = 0;
        m_platform->surfaces.releaseCount = 0;
        return view;
    }
};

TEST_F(ClipboardTest, CopyPlacesTheCopyTextAndBeeps) {
    CTintbarView& view = StartWithOnePick();
    const CViewState before = StateOf(view);

    view.OnEditCopy();

    ASSERT_TRUE(m_platform->clipboard.content.has_value());
    const CString& text = *m_platform->clipboard.content;
    EXPECT_EQ(text, BuildCopyText(view.GetBar(0)));
    EXPECT_TRUE(text.starts_with("/*Hueline */\r\n")) << text;
    EXPECT_NE(text.find("\r\nBODY\r\n{\r\n\tscrollbar-track-color:#102030;\r\n"
                        "\tscrollbar-face-color:#112233;\r\n"),
              CString::npos)
        << text;
    EXPECT_TRUE(text.ends_with(";\r\n}")) << text;
    EXPECT_EQ(m_platform->clipboard.calls, kWriteCalls);
    EXPECT_EQ(m_platform->desktop.beeps, 1);
    EXPECT_TRUE(m_platform->desktop.messages.empty());
    EXPECT_TRUE(m_platform->desktop.pauses.empty());
    EXPECT_EQ(m_platform->surfaces.obtainCount, 0) << "Copy does not repaint";
    EXPECT_EQ(StateOf(view), before);
    view.OnEditUndo();
    EXPECT_EQ(Colors(StateOf(view).horizontalColors), Colors(kKnownColors))
        << "the undo copy is untouched";
}

struct COpenCase {
    int failures;
    bool opens;
};

// 21 attempts at most, a 1 ms pause after every failed one, the last too.
const std::vector<COpenCase> kOpenCases = {
    {0, true}, {1, true}, {20, true}, {21, false}, {30, false},
};

TEST_F(ClipboardTest, CopyOpensWithinTwentyOneAttempts) {
    for (const COpenCase& open : kOpenCases) {
        SCOPED_TRACE(::testing::Message() << open.failures << " failed attempts");
        CTintbarView& view = StartKnownView();
        m_platform->clipboard.openFailures = open.failures;

        view.OnEditCopy();

        const int failedAttempts = std::min(open.failures, kOpenAttempts);
        EXPECT_EQ(m_platform->desktop.pauses, std::vector<int>(failedAttempts, 1));
        if (open.opens) {
            EXPECT_EQ(m_platform->clipboard.calls, Then(FailedOpens(failedAttempts), kWriteCalls));
            EXPECT_EQ(m_platform->desktop.beeps, 1);
            EXPECT_TRUE(m_platform->desktop.messages.empty());
        } else {
            EXPECT_EQ(m_platform->clipboard.calls, FailedOpens(kOpenAttempts));
            EXPECT_EQ(m_platform->desktop.beeps, 0);
            EXPECT_EQ(m_platform->desktop.messages, CopyFailedMessage());
        }
    }
}

TEST_F(ClipboardTest, PasteOpensWithinTwentyOneAttempts) {
    for (const COpenCase& open : kOpenCases) {
        SCOPED_TRACE(::testing::Message() << open.failures << " failed attempts");
        CTintbarView& view = StartView();
        m_platform->clipboard.content = CString{kKnownCss};
        m_platform->clipboard.openFailures = open.failures;

        view.OnEditPaste();

        const int failedAttempts = std::min(open.failures, kOpenAttempts);
        EXPECT_EQ(m_platform->desktop.pauses, std::vector<int>(failedAttempts, 1));
        EXPECT_TRUE(m_platform->desktop.messages.empty());
        EXPECT_EQ(m_platform->surfaces.obtainCount, 1);
        const CViewState startUp = {kWhite, ImportedColors(""), ImportedColors(""), 3, 1};
        if (open.opens) {
            EXPECT_EQ(m_platform->clipboard.calls, Then(FailedOpens(failedAttempts), kReadCalls));
            EXPECT_EQ(m_platform->desktop.beeps, 1);
            EXPECT_EQ(StateOf(view), (CViewState{kWhite, kKnownColors, kKnownColors, 3, 1}));
        } else {
            EXPECT_EQ(m_platform->clipboard.calls, FailedOpens(kOpenAttempts));
            EXPECT_EQ(m_platform->desktop.beeps, 0);
            EXPECT_EQ(StateOf(view), startUp);
        }
    }
}

struct CWriteFailureCase {
    ClipboardWrite failure;
    const char* what;
};

TEST_F(ClipboardTest, FailedCopyShowsTheMessageWithTheClipboardClosed) {
    const std::vector<CWriteFailureCase> kFailures = {
        {ClipboardWrite::kAllocationFailed, "allocation"},
        {ClipboardWrite::kLockFailed, "lock"},
        {ClipboardWrite::kRefused, "refused by the clipboard"},
    };
    for (int codePage : {multibyte::kShiftJis, multibyte::kUtf8}) {
        for (const CWriteFailureCase& write : kFailures) {
            SCOPED_TRACE(::testing::Message() << write.what << " in code page " << codePage);
            multibyte::SetCodePage(codePage);
            CTintbarView& view = StartWithOnePick();
            const CViewState before = StateOf(view);
            m_platform->clipboard.content = "earlier text";
            m_platform->clipboard.writeResult = write.failure;

            view.OnEditCopy();

            EXPECT_EQ(m_platform->clipboard.calls, kWriteCalls);
            EXPECT_EQ(m_platform->clipboard.content, CString{"earlier text"});
            EXPECT_EQ(m_platform->desktop.beeps, 0);
            EXPECT_EQ(m_platform->desktop.messages, CopyFailedMessage());
            EXPECT_EQ(m_platform->surfaces.obtainCount, 0);
            EXPECT_EQ(StateOf(view), before);
            view.OnEditUndo();
            EXPECT_EQ(Colors(StateOf(view).horizontalColors), Colors(kKnownColors));
        }
    }
}

struct CEmptyPasteCase {
    const char* what;
    std::optional<CString> content;
    bool lockFails;
    std::vector<CMessageRecord> messages;
};

// Each of these repaints only: no beep, no snapshot, no change of colour.
TEST_F(ClipboardTest, PasteOfNothingRepaintsOnly) {
    const std::vector<CEmptyPasteCase> kCases = {
        {"no text on the clipboard", std::nullopt, false, {}},
        {"the text cannot be locked",
         CString{kKnownCss},
         true,
         {{CString{kLockMessage}, std::nullopt, false}}},
        {"empty text", CString{}, false, {}},
        {"ASCII white space only", CString{" \t\r\n\v\f  \r\n"}, false, {}},
    };
    for (const CEmptyPasteCase& paste : kCases) {
        SCOPED_TRACE(paste.what);
        CTintbarView& view = StartWithOnePick();
        const CViewState before = StateOf(view);
        m_platform->clipboard.content = paste.content;
        m_platform->clipboard.lockFailsOnRead = paste.lockFails;

        view.OnEditPaste();

        EXPECT_EQ(m_platform->clipboard.calls, kReadCalls);
        EXPECT_FALSE(m_platform->clipboard.IsOpen());
        EXPECT_EQ(m_platform->desktop.messages, paste.messages);
        EXPECT_EQ(m_platform->desktop.beeps, 0);
        EXPECT_EQ(m_platform->surfaces.obtainCount, 1);
        EXPECT_EQ(StateOf(view), before);
        view.OnEditUndo();
        EXPECT_EQ(Colors(StateOf(view).horizontalColors), Colors(kKnownColors))
            << "Undo brings back the state before the last pick";
    }
}

struct CPasteCase {
    const char* what;
    CString shiftJis;
    CString utf8;
};

// Non-blank text is taken whatever it holds: a beep, the snapshot, and the
// import into both bars; background and scales stay.
TEST_F(ClipboardTest, PasteOfTextImportsIntoBothBars) {
    const std::vector<CPasteCase> kCases = {
        {"a lone full-width space", "\x81\x40", "\xE3\x80\x80"},
        {"a full-width space between ASCII spaces", " \x81\x40 ", " \xE3\x80\x80 "},
        {"plain words without a BODY rule", "plain words", "plain words"},
        {"a rule for another selector", "P { scrollbar-face-color: #ff0000 }",
         "P { scrollbar-face-color: #ff0000 }"},
    };
    for (int codePage : {multibyte::kShiftJis, multibyte::kUtf8}) {
        for (const CPasteCase& paste : kCases) {
            SCOPED_TRACE(::testing::Message() << paste.what << " in code page " << codePage);
            multibyte::SetCodePage(codePage);
            CTintbarView& view = StartWithOnePick();
            m_platform->colorDialog.answers = {kPicked};
            view.OnLButtonDown(80, 100);
            const CViewState before = StateOf(view);
            const CString text = codePage == multibyte::kShiftJis ? paste.shiftJis : paste.utf8;
            m_platform->clipboard.content = text;

            view.OnEditPaste();

            EXPECT_EQ(m_platform->desktop.beeps, 1);
            EXPECT_TRUE(m_platform->desktop.messages.empty());
            CViewState expected = before;
            expected.horizontalColors = ImportedColors(multibyte::Trim(text));
            expected.verticalColors = expected.horizontalColors;
            EXPECT_EQ(StateOf(view), expected);
            EXPECT_NE(Colors(expected.horizontalColors), Colors(before.horizontalColors));
            view.OnEditUndo();
            EXPECT_EQ(StateOf(view), before);
        }
    }
}

TEST_F(ClipboardTest, WhiteSpaceAroundTheCssMakesNoDifference) {
    CTintbarView& view = StartView();
    m_platform->clipboard.content = " \t\r\n" + CString{kKnownCss} + "\r\n\f ";
    view.OnEditPaste();
    EXPECT_EQ(StateOf(view), (CViewState{kWhite, kKnownColors, kKnownColors, 3, 1}));
}

// The Copy text survives the Copy, and a Paste of it brings back the copied
// colours; Undo then brings back those from before the Paste.
TEST_F(ClipboardTest, CopyThenPasteRestoresTheCopiedColours) {
    CTintbarView& view = StartWithOnePick();
    const CViewState copied = StateOf(view);
    view.OnEditCopy();
    const CString copyText = *m_platform->clipboard.content;
    m_platform->colorDialog.answers = {RgbColor(0x99, 0x88, 0x77), RgbColor(0x66, 0x55, 0x44)};
    view.OnLButtonDown(22, 25);
    view.OnLButtonDown(80, 25);
    const CViewState beforePaste = StateOf(view);

    view.OnEditPaste();

    EXPECT_EQ(m_platform->clipboard.content, copyText);
    EXPECT_EQ(StateOf(view), copied);
    EXPECT_EQ(m_platform->desktop.beeps, 2);
    view.OnEditUndo();
    EXPECT_EQ(StateOf(view), beforePaste);
}

} // namespace
