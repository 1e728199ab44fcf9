// The CSS for current browsers as Paste and older engines see it. How
// browsers draw it is checked in real browsers (tests/browser).

#include "css/ModernCss.h"
#include "css/CopyText.h"
#include "preview/ScrollBarModel.h"
#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

std::vector<ColorValue> Colors(const ColorList& colors) {
    std::vector<ColorValue> values;
    for (const COLORREF color : colors) {
        values.push_back(Color(color));
    }
    return values;
}

// The text opens with the Copy text, whose BODY rule holds the first "body"
// of the whole text, so that a Paste of it gives the copied colours.
TEST(ModernCssTest, OpensWithTheCopyTextAndPastesBackAsTheSameColours) {
    const ColorList schemes[] = {
        {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x0F1E2D, 0x3C4B5A},
        {kBlack, kWhite, kBlack, kWhite, kBlack, kWhite, kBlack},
    };
    for (const ColorList& colors : schemes) {
        const CScrollBarModel bar(colors);
        const CString css = BuildModernCss(bar);
        const CString copyText = BuildCopyText(bar);
        EXPECT_TRUE(css.starts_with(copyText)) << css;
        CString lowered = css;
        std::ranges::transform(lowered, lowered.begin(),
                               [](unsigned char c) { return std::tolower(c); });
        EXPECT_EQ(lowered.find("body"), copyText.find("BODY"));

        CScrollBarModel pasted;
        pasted.ImportCssText(css);
        EXPECT_EQ(Colors(pasted.GetColors()), Colors(colors));
    }
}

} // namespace
