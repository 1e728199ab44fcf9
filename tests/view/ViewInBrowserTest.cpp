// View in browser: the page of the current colours and background, the two
// platform steps in order, the message for each failure, and no change to
// the colours, the undo copy or the window.

#include "css/BrowserPage.h"
#include "tests/view/ViewTestFixture.h"

namespace {

constexpr std::string_view kExpectedWriteFailed = "確認用のページを書き込めませんでした。";
constexpr std::string_view kExpectedNoBrowser =
    "ブラウザを起動できませんでした。\n既定のブラウザが設定されているか確認してください。";

// The faults injected, the calls, and the message shown (empty: none).
struct CBrowserCase {
    bool pageWritable;
    bool browserStarts;
    std::string log;
    std::string_view message;
};

const CBrowserCase kBrowserCases[] = {
    {true, true, "page browser", ""},
    {false, true, "page message", kExpectedWriteFailed},
    {true, false, "page browser message", kExpectedNoBrowser},
};

using ViewInBrowserTest = CViewTest;

// Each case on a view with a picked background over the start-up undo copy.
TEST_F(ViewInBrowserTest, WritesThePageOpensItAndSaysWhichStepFailed) {
    for (int codePage : {multibyte::kShiftJis, multibyte::kUtf8}) {
        multibyte::SetCodePage(codePage);
        for (const CBrowserCase& row : kBrowserCases) {
            SCOPED_TRACE(::testing::Message() << row.log << " in code page " << codePage);
            CTintbarView& view = StartView();
            m_platform->answers = {kPicked};
            view.OnLButtonDown(80, 100);
            m_platform->log.clear();
            m_platform->pageWritable = row.pageWritable;
            m_platform->browserStarts = row.browserStarts;

            view.OnEditViewInBrowser();

            EXPECT_EQ(m_platform->log, row.log);
            EXPECT_EQ(m_platform->page,
                      row.pageWritable ? BuildBrowserPage(view.GetBar(0), kPicked) : "");
            EXPECT_EQ(m_platform->messages,
                      row.message.empty()
                          ? std::vector<CString>{}
                          : std::vector{"(no caption): " + InViewTextCodePage(row.message)});
            EXPECT_EQ(StateOf(view), (CViewState{kPicked, kKnownColors}));
            view.OnEditUndo();
            EXPECT_EQ(StateOf(view), kKnownStart) << "the undo copy is untouched";
        }
    }
}

} // namespace
