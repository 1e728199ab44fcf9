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
// kNoMemory, kLockFailed and kRefused fail the clipboard's write, kLockFailed
// Paste's read too and kRefused the page; kTooLong gives Paste a text longer
// than it takes, which counts as none; kNoBrowser starts no browser.
enum class Fault { kNone, kNoMemory, kLockFailed, kRefused, kTooLong, kNoBrowser };

// The command, what Paste finds on the clipboard (nullptr: no text), the
// fault injected, the calls, and the colours that both bars take (nullptr:
// they stay).
struct CClipboardCase {
    const char* what;
    Command command = Command::kCopy;
    int openFailures = 0;
    const char* text = nullptr;
    Fault fault = Fault::kNone;
    std::string log;
    const ColorList* pasted = nullptr;
};

using enum Command;
using enum Fault;

// Non-blank text is taken whatever it holds: what a text without the colours
// gives is the import's rule. The full-width space is not blank in either
// code page: in UTF-8 its two bytes are two characters that are not spaces.
const CClipboardCase kClipboardCases[] = {
    {"Copy, 21st attempt", kCopy, 20, nullptr, kNone, Busy(20) + "open write close beep"},
    {"Copy, never opened", kCopy, 21, nullptr, kNone, Busy(21) + "message"},
    {"Copy, no memory", kCopy, 0, nullptr, kNoMemory, "open write close message"},
    {"Copy, lock failed", kCopy, 0, nullptr, kLockFailed, "open write close message"},
    {"Copy, refused", kCopy, 0, nullptr, kRefused, "open write close message"},
    {"Copy for browsers, 21st attempt", kCopyModern, 20, nullptr, kNone,
     Busy(20) + "open write close beep"},
    {"Copy for browsers, never opened", kCopyModern, 21, nullptr, kNone, Busy(21) + "message"},
    {"Paste, 21st attempt", kPaste, 20, kKnownCss, kNone, Busy(20) + "open read close beep paint",
     &kKnownColors},
    {"Paste, never opened", kPaste, 21, kKnownCss, kNone, Busy(21) + "paint"},
    {"Paste, no text", kPaste, 0, nullptr, kNone, "open read close paint"},
    {"Paste, lock failed", kPaste, 0, kKnownCss, kLockFailed, "open read close message paint"},
    {"Paste, too long", kPaste, 0, "plain words", kTooLong, "open read close paint"},
    {"Paste, blank", kPaste, 0, " \t\r\n\v\f  \r\n", kNone, "open read close paint"},
    {"Paste, full-width space", kPaste, 0, "\x81\x40", kNone, "open read close beep paint",
     &kAllBlack},
    {"Paste, no BODY rule", kPaste, 0, "plain words", kNone, "open read close beep paint",
     &kAllBlack},
    {"View in browser", kViewInBrowser, 0, nullptr, kNone, "page browser"},
    {"View in browser, page refused", kViewInBrowser, 0, nullptr, kRefused, "page message"},
    {"View in browser, no browser", kViewInBrowser, 0, nullptr, kNoBrowser, "page browser message"},
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
            m_platform->readResult = row.fault == kLockFailed ? ClipboardRead::kLockFailed
                                     : row.fault == kTooLong  ? ClipboardRead::kTooLarge
                                                              : ClipboardRead::kText;
            m_platform->writeResult = row.fault == kNoMemory     ? ClipboardWrite::kAllocationFailed
                                      : row.fault == kLockFailed ? ClipboardWrite::kLockFailed
                                      : row.fault == kRefused    ? ClipboardWrite::kRefused
                                                                 : ClipboardWrite::kWritten;
            m_platform->pageWritable = row.fault != kRefused;
            m_platform->browserStarts = row.fault != kNoBrowser;

            const bool browser = row.command == kViewInBrowser;
            row.command == kPaste        ? view.OnEditPaste()
            : row.command == kCopyModern ? view.OnEditCopyModern()
            : browser                    ? view.OnEditViewInBrowser()
                                         : view.OnEditCopy();

            EXPECT_EQ(m_platform->log, row.log);
            // The limit on what Paste reads is the one that the README gives.
            EXPECT_EQ(m_platform->maxBytesAsked,
                      row.log.find("read") != std::string::npos ? 128u * 1024 * 1024 : 0u);
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
