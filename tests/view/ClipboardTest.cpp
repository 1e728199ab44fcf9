// Copy, Copy for browsers, Paste and View in browser: the platform calls, the
// clipboard's open-retry protocol, the beeps and messages, the page, and what
// each leaves of the colours and the undo copy.

#include "css/BrowserPage.h"
#include "css/CopyText.h"
#include "css/ModernCss.h"
#include "tests/view/ViewTestFixture.h"

namespace {

constexpr std::string_view kExpectedCopyFailed =
    "クリップボードへのコピーに失敗しました。\nメモリの不足、あるいはクリップボードが他のアプリ"
    "ケーションに占有されている可能性があります。";
constexpr std::string_view kExpectedWriteFailed = "確認用のページを書き込めませんでした。";
constexpr std::string_view kExpectedNoBrowser =
    "ブラウザを起動できませんでした。\n既定のブラウザが設定されているか確認してください。";

// 21 attempts at most, a 1 ms pause after every failed one, the last too.
std::string Busy(int attempts) {
    std::string result;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        result += "busy pause1 ";
    }
    return result;
}

enum class Command { kCopy, kCopyModern, kPaste, kViewInBrowser };

// The command, what Paste finds on the clipboard (nullptr: no text), the
// fault injected (kLockFailed fails Paste's lock too; for View in browser,
// kRefused refuses the page and kLockFailed starts no browser), the calls,
// and the colours that both bars take (nullptr: they stay).
struct CClipboardCase {
    const char* what;
    Command command = Command::kCopy;
    int openFailures = 0;
    const char* text = nullptr;
    ClipboardWrite fault = ClipboardWrite::kWritten;
    std::string log;
    const ColorList* pasted = nullptr;
};

using enum ClipboardWrite;
using enum Command;

// Non-blank text is taken whatever it holds: what a text without the colours
// gives is the import's rule. The full-width space is not blank in either
// code page: in UTF-8 its two bytes are two characters that are not spaces.
const CClipboardCase kClipboardCases[] = {
    {"Copy, 21st attempt", kCopy, 20, nullptr, kWritten, Busy(20) + "open write close beep"},
    {"Copy, never opened", kCopy, 21, nullptr, kWritten, Busy(21) + "message"},
    {"Copy, no memory", kCopy, 0, nullptr, kAllocationFailed, "open write close message"},
    {"Copy, lock failed", kCopy, 0, nullptr, kLockFailed, "open write close message"},
    {"Copy, refused", kCopy, 0, nullptr, kRefused, "open write close message"},
    {"Copy for browsers, 21st attempt", kCopyModern, 20, nullptr, kWritten,
     Busy(20) + "open write close beep"},
    {"Copy for browsers, never opened", kCopyModern, 21, nullptr, kWritten, Busy(21) + "message"},
    {"Copy for browsers, refused", kCopyModern, 0, nullptr, kRefused, "open write close message"},
    {"Paste, 21st attempt", kPaste, 20, kKnownCss, kWritten,
     Busy(20) + "open read close beep paint", &kKnownColors},
    {"Paste, never opened", kPaste, 21, kKnownCss, kWritten, Busy(21) + "paint"},
    {"Paste, no text", kPaste, 0, nullptr, kWritten, "open read close paint"},
    {"Paste, lock failed", kPaste, 0, kKnownCss, kLockFailed, "open read close message paint"},
    {"Paste, blank", kPaste, 0, " \t\r\n\v\f  \r\n", kWritten, "open read close paint"},
    {"Paste, full-width space", kPaste, 0, "\x81\x40", kWritten, "open read close beep paint",
     &kAllBlack},
    {"Paste, no BODY rule", kPaste, 0, "plain words", kWritten, "open read close beep paint",
     &kAllBlack},
    {"View in browser", kViewInBrowser, 0, nullptr, kWritten, "page browser"},
    {"View in browser, page refused", kViewInBrowser, 0, nullptr, kRefused, "page message"},
    {"View in browser, no browser", kViewInBrowser, 0, nullptr, kLockFailed,
     "page browser message"},
};

using ClipboardTest = CViewTest;

// Each case on a view that shows a picked background over its undo copy, the
// start-up state, so that a snapshot shows in Undo. No command but Paste
// repaints or changes any colour.
TEST_F(ClipboardTest, Outcomes) {
    for (int codePage : {multibyte::kShiftJis, multibyte::kUtf8}) {
        multibyte::SetCodePage(codePage);
        const CString noCaption = "(no caption): ";
        for (const CClipboardCase& row : kClipboardCases) {
            SCOPED_TRACE(::testing::Message() << row.what << " in code page " << codePage);
            CTintbarView& view = StartView();
            m_platform->answers = {kPicked};
            view.OnLButtonDown(80, 100);
            m_platform->log.clear();
            m_platform->openFailures = row.openFailures;
            m_platform->content = row.text ? std::optional<CString>{row.text} : std::nullopt;
            m_platform->readLockFails = row.fault == kLockFailed;
            m_platform->writeResult = row.fault;
            m_platform->pageWritable = row.fault != kRefused;
            m_platform->browserStarts = row.fault != kLockFailed;

            const bool browser = row.command == kViewInBrowser;
            row.command == kPaste        ? view.OnEditPaste()
            : row.command == kCopyModern ? view.OnEditCopyModern()
            : browser                    ? view.OnEditViewInBrowser()
                                         : view.OnEditCopy();

            EXPECT_EQ(m_platform->log, row.log);
            const CString message =
                row.command == kPaste
                    ? noCaption + "error on the step ClipboardPaste - GlobalLock()"
                : !browser
                    ? "Fatal error: " + InViewTextCodePage(kExpectedCopyFailed)
                    : noCaption + InViewTextCodePage(row.fault == kRefused ? kExpectedWriteFailed
                                                                           : kExpectedNoBrowser);
            const bool shown = row.log.find("message") != std::string::npos;
            EXPECT_EQ(m_platform->messages, shown ? std::vector{message} : std::vector<CString>{});
            EXPECT_EQ(m_platform->page, browser && row.fault != kRefused
                                            ? BuildBrowserPage(view.GetBar(0), kPicked)
                                            : "");
            const CViewState before = {kPicked, kKnownColors};
            EXPECT_EQ(StateOf(view),
                      (CViewState{kPicked, row.pasted ? *row.pasted : kKnownColors}));
            view.OnEditUndo();
            EXPECT_EQ(StateOf(view), row.pasted ? before : kKnownStart);
        }
    }
}

// A text longer than Paste takes counts as none: no beep, no message, no
// change; the limit is the one that the README gives.
TEST_F(ClipboardTest, TooLongTextIsNoText) {
    CTintbarView& view = StartView();
    m_platform->log.clear();
    m_platform->content = "plain words";
    m_platform->readTooLarge = true;

    view.OnEditPaste();

    EXPECT_EQ(m_platform->maxBytesAsked, 128u * 1024 * 1024);
    EXPECT_EQ(m_platform->log, "open read close paint");
    EXPECT_EQ(StateOf(view), kKnownStart);
}

// Each Copy text is the export of the current colours and survives the
// Copy; Copy for browsers opens with the Copy text, and a Paste of either
// brings back the copied colours. Neither command touches the label.
TEST_F(ClipboardTest, CopyThenPaste) {
    for (const bool modern : {false, true}) {
        SCOPED_TRACE(modern ? "Copy for browsers" : "Copy");
        CTintbarView& view = StartView();
        m_platform->answers = {kPicked, RgbColor(0x99, 0x88, 0x77)};
        view.OnLButtonDown(10, 25);
        const CViewState copied = StateOf(view);
        modern ? view.OnEditCopyModern() : view.OnEditCopy();
        const CString copyText = BuildCopyText(view.GetBar(0));
        EXPECT_EQ(m_platform->content, modern ? BuildModernCss(view.GetBar(0)) : copyText);
        EXPECT_TRUE(m_platform->content->starts_with(copyText));
        view.OnLButtonDown(22, 25);

        view.OnEditPaste();

        EXPECT_EQ(StateOf(view), copied);
        EXPECT_EQ(view.GetLabel(), InViewTextCodePage(kExpectedReady));
    }
}

} // namespace
