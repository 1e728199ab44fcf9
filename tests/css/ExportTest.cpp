// Writing a scrollbar's colours as CSS: the seven declarations in colour
// list order and the Copy text around them, byte for byte.

#include "css/CopyText.h"
#include "preview/ScrollBarModel.h"
#include "text/MultiByte.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Colour list order: track, face, shadow, darkshadow, highlight, 3dlight,
// arrow; each channel distinct, so a swapped line or channel shows.
const ColorList kKnownColors = {0x0000FF, 0x00FF00, 0xFF0000, 0x000000,
                                0xFFFFFF, 0x123456, 0xABCDEF};

TEST(CssExport, CopyTextByteForByte) {
    const CScrollBarModel bar(kKnownColors);
    EXPECT_EQ(BuildCopyText(bar), "/*Hueline */\r\n"
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

TEST(CssExport, NoticeLineIsOneCommentWithoutTheSelectorWord) {
    const CString text = BuildCopyText(CScrollBarModel());
    const std::size_t start = text.find("\r\n") + 2;
    const CString notice = text.substr(start, text.find("\r\n", start) - start);
    EXPECT_TRUE(notice.starts_with("/*")) << notice;
    EXPECT_TRUE(notice.ends_with("*/")) << notice;
    EXPECT_EQ(notice.find("*/"), notice.size() - 2) << notice;
    EXPECT_EQ(multibyte::Lower(notice).find("body"), CString::npos) << notice;
}

struct DeclarationCase {
    const char* indent;
    const char* lineEnd;
    const char* expected;
};

TEST(CssExport, IndentAndLineEndAreUsedVerbatim) {
    const DeclarationCase cases[] = {
        {"", "",
         "scrollbar-track-color:#ff0000;scrollbar-face-color:#00ff00;"
         "scrollbar-shadow-color:#0000ff;scrollbar-darkshadow-color:#000000;"
         "scrollbar-highlight-color:#ffffff;scrollbar-3dlight-color:#563412;"
         "scrollbar-arrow-color:#efcdab;"},
        {"  ", "\n",
         "  scrollbar-track-color:#ff0000;\n  scrollbar-face-color:#00ff00;\n"
         "  scrollbar-shadow-color:#0000ff;\n  scrollbar-darkshadow-color:#000000;\n"
         "  scrollbar-highlight-color:#ffffff;\n  scrollbar-3dlight-color:#563412;\n"
         "  scrollbar-arrow-color:#efcdab;\n"},
    };
    const CScrollBarModel bar(kKnownColors);
    for (const DeclarationCase& row : cases) {
        SCOPED_TRACE(testing::Message() << "indent \"" << row.indent << "\"");
        EXPECT_EQ(bar.GetCssDeclarations(row.indent, row.lineEnd), row.expected);
    }
}

TEST(CssExport, EqualColoursStillGiveSevenLines) {
    const CScrollBarModel bar(
        {0x336699, 0x336699, 0x336699, 0x336699, 0x336699, 0x336699, 0x336699});
    const CString declarations = bar.GetCssDeclarations("\t", "\r\n");
    EXPECT_EQ(std::count(declarations.begin(), declarations.end(), '\n'), kElementCount);
    EXPECT_EQ(declarations, "\tscrollbar-track-color:#996633;\r\n"
                            "\tscrollbar-face-color:#996633;\r\n"
                            "\tscrollbar-shadow-color:#996633;\r\n"
                            "\tscrollbar-darkshadow-color:#996633;\r\n"
                            "\tscrollbar-highlight-color:#996633;\r\n"
                            "\tscrollbar-3dlight-color:#996633;\r\n"
                            "\tscrollbar-arrow-color:#996633;\r\n");
}

// Face is element 1 but the second line; track is element 2 but the first.
TEST(CssExport, EachLineReadsItsOwnElement) {
    CScrollBarModel bar;
    bar.SetElementColor(kFace, 0x112233);
    bar.SetElementColor(kArrow, 0x445566);
    EXPECT_EQ(bar.GetCssDeclarations("", "\n"), "scrollbar-track-color:#ffffff;\n"
                                                "scrollbar-face-color:#332211;\n"
                                                "scrollbar-shadow-color:#ffffff;\n"
                                                "scrollbar-darkshadow-color:#ffffff;\n"
                                                "scrollbar-highlight-color:#ffffff;\n"
                                                "scrollbar-3dlight-color:#ffffff;\n"
                                                "scrollbar-arrow-color:#665544;\n");
}

} // namespace
