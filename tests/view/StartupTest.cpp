// The view's start: colours from "default.css" in the current directory,
// white background, scales 3 and 1, the "ready" label and an undo copy equal
// to all of it, under either code page.

#include "tests/view/ViewTestFixture.h"

#include <cctype>
#include <string>
#include <tuple>

namespace {

enum class StartupFile { kMissing, kEmpty, kWithoutBodyRule, kKnown };

struct CStartupCase {
    StartupFile file;
    const char* what;
};

const CStartupCase kStartupCases[] = {
    {StartupFile::kMissing, "missing"},
    {StartupFile::kEmpty, "empty"},
    {StartupFile::kWithoutBodyRule, "without a BODY rule"},
    {StartupFile::kKnown, "with all seven colours"},
};

// A comment in the code page's own encoding ("default colour scheme") ahead
// of the known rule.
CString KnownFileIn(int codePage) {
    const CString comment = codePage == multibyte::kShiftJis
                                ? CString{"/* \x8A\xF9\x92\xE8\x82\xCC\x94\x7A\x90\x46 */\n"}
                                : CString{"/* 既定の配色 */\n"};
    return comment + CString{kKnownCss};
}

class StartupTest : public CViewTest,
                    public ::testing::WithParamInterface<std::tuple<int, CStartupCase>> {};

TEST_P(StartupTest, StartsFromDefaultCss) {
    const auto [codePage, startup] = GetParam();
    multibyte::SetCodePage(codePage);
    switch (startup.file) {
    case StartupFile::kMissing:
        break;
    case StartupFile::kEmpty:
        WriteDefaultCss("");
        break;
    case StartupFile::kWithoutBodyRule:
        WriteDefaultCss("P { scrollbar-face-color: #336699 }\n");
        break;
    case StartupFile::kKnown:
        WriteDefaultCss(KnownFileIn(codePage));
        break;
    }
    // Without the file, or without the rule, every colour is the one that an
    // empty colour text gives: black.
    const ColorList colors =
        startup.file == StartupFile::kKnown
            ? kKnownColors
            : ColorList{kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack};
    const CViewState expected = {kWhite, colors, colors, 3, 1};

    CTintbarView& view = StartView();

    EXPECT_EQ(StateOf(view), expected);
    EXPECT_EQ(view.GetLabel(), InCurrentCodePage(kExpectedReady));
    EXPECT_EQ(m_platform->surfaces.obtainCount, 0);
    EXPECT_EQ(m_platform->desktop.beeps, 0);
    EXPECT_TRUE(m_platform->desktop.messages.empty());
    EXPECT_TRUE(m_platform->clipboard.calls.empty());

    view.OnDraw();
    ASSERT_NE(m_platform->surfaces.GetLastPicture(), nullptr);
    ASSERT_EQ(m_platform->surfaces.GetLastPicture()->GetTextRuns().size(), 1U);
    EXPECT_EQ(m_platform->surfaces.GetLastPicture()->GetTextRuns()[0].text,
              InCurrentCodePage(kExpectedReady));

    view.OnEditUndo();
    EXPECT_EQ(StateOf(view), expected) << "the undo copy is the start-up state";
}

INSTANTIATE_TEST_SUITE_P(
    CodePagesAndFiles, StartupTest,
    ::testing::Combine(::testing::Values(multibyte::kShiftJis, multibyte::kUtf8),
                       ::testing::ValuesIn(kStartupCases)),
    [](const ::testing::TestParamInfo<StartupTest::ParamType>& parameter) {
        std::string name = "CodePage" + std::to_string(std::get<0>(parameter.param)) + "_";
        for (const char* letter = std::get<1>(parameter.param).what; *letter != '\0'; ++letter) {
            if (std::isalnum(static_cast<unsigned char>(*letter))) {
                name += *letter;
            }
        }
        return name;
    });

} // namespace
