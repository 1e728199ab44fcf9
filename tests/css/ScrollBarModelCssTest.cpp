// The CSS import and export of a scrollbar: importing a text sets all seven
// colours, a missing one to the colour of the empty text; the export writes
// the seven declarations in colour list order and the Copy text around them,
// byte for byte. Importing from a file is covered beside the file reader.

#include "chromlib/Chromlib.h"
#include "css/CopyText.h"
#include "preview/ScrollBarModel.h"
#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

namespace {

// The colour of a property that is not there.
const COLORREF kMissing = static_cast<COLORREF>(CChromlib::HtmlColorToRgb(""));
// Colours that no import below yields by chance.
const ColorList kBefore = {0x010101, 0x020202, 0x030303, 0x040404, 0x050505, 0x060606, 0x070707};
// Colour list order: track, face, shadow, darkshadow, highlight, 3dlight,
// arrow; each channel distinct, so a swapped line or channel shows.
const ColorList kKnownColors = {0x0000FF, 0x00FF00, 0xFF0000, 0x000000,
                                0xFFFFFF, 0x123456, 0xABCDEF};

std::vector<ColorValue> Colors(const ColorList& colors) {
    std::vector<ColorValue> values;
    std::ranges::transform(colors, std::back_inserter(values), Color);
    return values;
}

std::vector<ColorValue> Imported(const CString& text) {
    CScrollBarModel bar(kBefore);
    bar.ImportCssText(text);
    return Colors(bar.GetColors());
}

TEST(CssImport, TextSetsEverySevenColours) {
    const std::pair<const char*, ColorList> cases[] = {
        {"BODY{scrollbar-arrow-color:#070000; scrollbar-3dlight-color:#060000;"
         "scrollbar-highlight-color:#050000; scrollbar-darkshadow-color:#040000;"
         "scrollbar-shadow-color:#030000; scrollbar-face-color:#020000;"
         "scrollbar-track-color:#010000}",
         {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07}},
        {"body { SCROLLBAR-TRACK-COLOR: #0000FF; Scrollbar-Face-Color: #00FF00;"
         "scrollbar-face-color:#ff0000; scrollbar-shadow-color:#ABCDEF }",
         {0xFF0000, 0x00FF00, 0xEFCDAB, kMissing, kMissing, kMissing, kMissing}},
        {"P{scrollbar-face-color:#00ff00}",
         {kMissing, kMissing, kMissing, kMissing, kMissing, kMissing, kMissing}},
        {"", {kMissing, kMissing, kMissing, kMissing, kMissing, kMissing, kMissing}},
    };
    for (const auto& [css, expected] : cases) {
        SCOPED_TRACE(css);
        EXPECT_EQ(Imported(css), Colors(expected));
    }
}

TEST(CssImport, CopyTextPastedBackGivesTheSameColours) {
    for (const ColorList& colors :
         {kKnownColors, ColorList{kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite},
          ColorList{kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack}}) {
        EXPECT_EQ(Imported(BuildCopyText(CScrollBarModel(colors))), Colors(colors));
    }
}

TEST(CssExport, CopyTextByteForByte) {
    EXPECT_EQ(BuildCopyText(CScrollBarModel(kKnownColors)),
              "/*Hueline */\r\n"
              "/* Scrollbar colours made with Tintbar */\r\n"
              "BODY\r\n"
              "{\r\n"
              "\tscrollbar-track-color:#ff0000;\r\n"
              "\tscrollbar-face-color:#00ff00;\r\n"
              "\tscrollbar-shadow-color:#0000ff;\r\n"
              "\tscrollbar-darkshadow-color:#000000;\r\n"
              "\tscrollbar-highlight-color:#ffffff;\r\n"
              "\tscrollbar-3dlight-color:#563412;\r\n"
              "\tscrollbar-arrow-color:#efcdab;\r\n"
              "}");
}

TEST(CssExport, IndentAndLineEndAreUsedVerbatim) {
    const CScrollBarModel equalColors(
        {0x336699, 0x336699, 0x336699, 0x336699, 0x336699, 0x336699, 0x336699});
    EXPECT_EQ(CScrollBarModel(kKnownColors).GetCssDeclarations("", ""),
              "scrollbar-track-color:#ff0000;scrollbar-face-color:#00ff00;"
              "scrollbar-shadow-color:#0000ff;scrollbar-darkshadow-color:#000000;"
              "scrollbar-highlight-color:#ffffff;scrollbar-3dlight-color:#563412;"
              "scrollbar-arrow-color:#efcdab;");
    // Equal colours still give seven lines.
    EXPECT_EQ(equalColors.GetCssDeclarations("  ", "\n"),
              "  scrollbar-track-color:#996633;\n  scrollbar-face-color:#996633;\n"
              "  scrollbar-shadow-color:#996633;\n  scrollbar-darkshadow-color:#996633;\n"
              "  scrollbar-highlight-color:#996633;\n  scrollbar-3dlight-color:#996633;\n"
              "  scrollbar-arrow-color:#996633;\n");
}

} // namespace
