// Copy and Paste: the clipboard calls, the open-retry protocol, the beeps and
// messages, and what each leaves of the colours and the undo copy.

#include "css/CopyText.h"
#include "tests/view/ViewTestFixture.h"

#include <string>

namespace {

using enum ClipboardWrite;

constexpr CExpectedText kExpectedCopyFailed = {
    "クリップボードへのコピーに失敗しました。\nメモリの不足、あるいはクリップボードが他のアプリ"
    "ケーションに占有されている可能性があります。",
    "834e838a83628376837b815b836882d682cc83528373815b82c98eb8947382b582dc82b582bd81420a8381838283"
    "8a82cc957391ab814182a082e982a282cd834e838a83628376837b815b836882aa91bc82cc83418376838a835081"
    "5b83568387839382c990e8974c82b382ea82c482a282e989c2945c90ab82aa82a082e882dc82b78142"};

constexpr COLORREF kPicked = RgbColor(0x11, 0x22, 0x33);

std::string Repeat(const std::string& entries, int count) {
    std::string result;
    for (int time = 0; time < count; ++time) {
        result += entries;
    }
    return result;
}

// 21 attempts at most, a 1 ms pause after every failed one, the last too.
const std::string kBusy20 = Repeat("busy pause1 ", 20);
const std::string kBusy21 = Repeat("busy pause1 ", 21);

class ClipboardTest : public CViewTest {
protected:
    // A started view whose undo copy (the start-up state) differs from what
    // it shows (the background picked afresh), so that a snapshot shows in
    // Undo.
    CTintbarView& StartWithOnePick(int codePage) {
        multibyte::SetCodePage(codePage);
        CTintbarView& view = StartKnownView();
        m_platform->answers = {kPicked};
        view.OnLButtonDown(80, 100);
        m_platform->log.clear();
        return view;
    }

    // The calls in order, the message if the log shows one, both bars'
    // colours (those pasted, or as they were) and the undo copy: the state
    // before the Paste after a Paste, else still the start-up state.
    void ExpectOutcome(CTintbarView& view, const CViewState& before, const std::string& log,
                       const CString& message, const ColorList* pasted) {
        EXPECT_EQ(m_platform->log, log);
        const bool shown = log.find("message") != std::string::npos;
        EXPECT_EQ(m_platform->messages, shown ? std::vector{message} : std::vector<CString>{});
        CViewState expected = before;
        if (pasted != nullptr) {
            expected.colors = *pasted;
        }
        EXPECT_EQ(StateOf(view), expected);
        view.OnEditUndo();
        EXPECT_EQ(StateOf(view), pasted != nullptr ? before : kKnownStart);
    }
};

struct CCopyCase {
    const char* what;
    int codePage;
    int openFailures;
    ClipboardWrite writeResult;
    std::string log;
};

const CCopyCase kCopyCases[] = {
    {"written", 932, 0, kWritten, "open write close beep"},
    {"opened at the 21st attempt", 932, 20, kWritten, kBusy20 + "open write close beep"},
    {"never opened", 932, 21, kWritten, kBusy21 + "message"},
    {"never opened, UTF-8", 65001, 21, kWritten, kBusy21 + "message"},
    {"allocation failed", 932, 0, kAllocationFailed, "open write close message"},
    {"lock failed", 932, 0, kLockFailed, "open write close message"},
    {"refused", 932, 0, kRefused, "open write close message"},
};

// Copy never repaints nor changes any colour.
TEST_F(ClipboardTest, CopyOutcomes) {
    for (const CCopyCase& row : kCopyCases) {
        SCOPED_TRACE(row.what);
        CTintbarView& view = StartWithOnePick(row.codePage);
        const CViewState before = StateOf(view);
        m_platform->openFailures = row.openFailures;
        m_platform->writeResult = row.writeResult;
        view.OnEditCopy();
        ExpectOutcome(view, before, row.log,
                      "Fatal error: " + InCurrentCodePage(kExpectedCopyFailed), nullptr);
    }
}

struct CPasteCase {
    const char* what;
    int codePage;
    int openFailures;
    std::optional<CString> content; // none: the clipboard holds no text
    bool lockFails;
    std::string log;
    const ColorList* pasted; // nullptr: the colours stay
};

const CString kCss{kKnownCss};

// Non-blank text is taken whatever it holds: what a text without the colours
// gives is the import's rule.
const CPasteCase kPasteCases[] = {
    {"opened at the 21st attempt", 932, 20, kCss, false, kBusy20 + "open read close beep paint",
     &kKnownColors},
    {"never opened", 932, 21, kCss, false, kBusy21 + "paint", nullptr},
    {"no text", 932, 0, std::nullopt, false, "open read close paint", nullptr},
    {"lock failed", 932, 0, kCss, true, "open read close message paint", nullptr},
    {"ASCII white space", 932, 0, " \t\r\n\v\f  \r\n", false, "open read close paint", nullptr},
    {"white space around CSS", 932, 0, " \t\r\n" + kCss + "\r\n\f ", false,
     "open read close beep paint", &kKnownColors},
    {"lone full-width space", 932, 0, "\x81\x40", false, "open read close beep paint", &kAllBlack},
    {"lone full-width space, UTF-8", 65001, 0, "\xE3\x80\x80", false, "open read close beep paint",
     &kAllBlack},
    {"no BODY rule", 932, 0, "plain words", false, "open read close beep paint", &kAllBlack},
};

TEST_F(ClipboardTest, PasteOutcomes) {
    for (const CPasteCase& row : kPasteCases) {
        SCOPED_TRACE(row.what);
        CTintbarView& view = StartWithOnePick(row.codePage);
        const CViewState before = StateOf(view);
        m_platform->openFailures = row.openFailures;
        m_platform->content = row.content;
        m_platform->lockFailsOnRead = row.lockFails;
        view.OnEditPaste();
        ExpectOutcome(view, before, row.log,
                      "(no caption): error on the step ClipboardPaste - GlobalLock()", row.pasted);
    }
}

// The Copy text is the export of the horizontal bar's current colours and
// survives the Copy; a Paste of it brings back the copied colours, and Undo
// those from before it. Neither command touches the label.
TEST_F(ClipboardTest, CopyThenPasteThenUndo) {
    CTintbarView& view = StartWithOnePick(932);
    m_platform->answers = {kPicked, RgbColor(0x99, 0x88, 0x77), RgbColor(0x66, 0x55, 0x44)};
    view.OnLButtonDown(10, 25);
    const CViewState copied = StateOf(view);
    view.OnEditCopy();
    const CString text = m_platform->content.value_or("");
    EXPECT_EQ(text, BuildCopyText(view.GetBar(0)));
    EXPECT_NE(text.find("scrollbar-face-color:#112233;"), CString::npos) << text;
    view.OnLButtonDown(22, 25);
    view.OnLButtonDown(80, 25);
    const CViewState beforePaste = StateOf(view);

    view.OnEditPaste();

    EXPECT_EQ(StateOf(view), copied);
    view.OnEditUndo();
    EXPECT_EQ(StateOf(view), beforePaste);
    EXPECT_EQ(view.GetLabel(), InCurrentCodePage(kExpectedReady));
}

} // namespace
