// The view's start: colours from "default.css" in the current directory,
// white background, scales 3 and 1, the "ready" label and an undo copy equal
// to all of it, under either code page.

#include "tests/view/ViewTestFixture.h"

#include <optional>

namespace {

struct CStartupCase {
    const char* what;
    std::optional<CString> file; // none: no "default.css"
    ColorList colors;
};

using StartupTest = CViewTest;

TEST_F(StartupTest, StartsFromDefaultCss) {
    for (int codePage : {multibyte::kShiftJis, multibyte::kUtf8}) {
        multibyte::SetCodePage(codePage);
        // A comment in the code page's own encoding ("default colour scheme")
        // ahead of the known rule.
        const CString comment = codePage == multibyte::kShiftJis
                                    ? "/* \x8A\xF9\x92\xE8\x82\xCC\x94\x7A\x90\x46 */\n"
                                    : "/* 既定の配色 */\n";
        const CStartupCase cases[] = {
            {"missing", std::nullopt, kAllBlack},
            {"empty", "", kAllBlack},
            {"without a BODY rule", "P { scrollbar-face-color: #336699 }\n", kAllBlack},
            {"with all seven colours", comment + CString{kKnownCss}, kKnownColors},
        };
        for (const CStartupCase& startup : cases) {
            SCOPED_TRACE(::testing::Message() << startup.what << " in code page " << codePage);
            std::filesystem::remove("default.css");
            if (startup.file) {
                WriteDefaultCss(*startup.file);
            }
            const CViewState expected = {kWhite, startup.colors, 3, 1};

            CTintbarView& view = StartView();

            EXPECT_EQ(StateOf(view), expected);
            EXPECT_EQ(view.GetLabel(), InCurrentCodePage(kExpectedReady));
            EXPECT_EQ(m_platform->log, "") << "no paint, no clipboard, no beep or message";
            view.OnEditUndo();
            EXPECT_EQ(StateOf(view), expected) << "the undo copy is the start-up state";
        }
    }
}

} // namespace
