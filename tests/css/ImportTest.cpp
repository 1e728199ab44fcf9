// Setting a scrollbar's seven colours from the BODY rule of a CSS text or
// file: every colour is set every time, a missing one to the colour of the
// empty text.

#include "chromlib/Chromlib.h"
#include "css/CopyText.h"
#include "preview/ScrollBarModel.h"
#include "tests/support/Printers.h"
#include "text/MultiByte.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The colour of a property that is not there.
const COLORREF kMissing = static_cast<COLORREF>(CChromlib::HtmlColorToRgb(""));
// Colours that no import below yields by chance.
const ColorList kBefore = {0x010101, 0x020202, 0x030303, 0x040404, 0x050505, 0x060606, 0x070707};

std::vector<ColorValue> Colors(const ColorList& colors) {
    return {colors.begin(), colors.end()};
}

std::vector<ColorValue> Imported(const CString& text) {
    CScrollBarModel bar(kBefore);
    bar.ImportCssText(text);
    return Colors(bar.GetColors());
}

struct ImportCase {
    const char* css;
    ColorList expected; // colour list order: track, face, shadow, ...
};

TEST(CssImport, TextSetsEverySevenColours) {
    const ImportCase cases[] = {
        {"BODY{scrollbar-arrow-color:#070000; scrollbar-3dlight-color:#060000;"
         "scrollbar-highlight-color:#050000; scrollbar-darkshadow-color:#040000;"
         "scrollbar-shadow-color:#030000; scrollbar-face-color:#020000;"
         "scrollbar-track-color:#010000}",
         {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07}},
        {"body { SCROLLBAR-TRACK-COLOR: #0000FF; Scrollbar-Face-Color: #00FF00 }",
         {0xFF0000, 0x00FF00, kMissing, kMissing, kMissing, kMissing, kMissing}},
        {"BODY{scrollbar-face-color:#00ff00;scrollbar-face-color:#0000ff}",
         {kMissing, 0x00FF00, kMissing, kMissing, kMissing, kMissing, kMissing}},
        {"BODY{scrollbar-arrow-color:#ff0000; ;scrollbar-face-color:#00ff00}",
         {kMissing, kMissing, kMissing, kMissing, kMissing, kMissing, 0x0000FF}},
        {"P{scrollbar-face-color:#00ff00}",
         {kMissing, kMissing, kMissing, kMissing, kMissing, kMissing, kMissing}},
        {"", {kMissing, kMissing, kMissing, kMissing, kMissing, kMissing, kMissing}},
    };
    for (const ImportCase& row : cases) {
        SCOPED_TRACE(row.css);
        EXPECT_EQ(Imported(row.css), Colors(row.expected));
    }
}

TEST(CssImport, ValuesReachTheColourNotationInLowerCase) {
    const char* const values[] = {"#ABCDEF", "Red", "RGB(1, 2, 3)", "Dark Red !IMPORTANT",
                                  "nonsense"};
    for (const char* value : values) {
        SCOPED_TRACE(value);
        const CString lowered = multibyte::Lower(value);
        CScrollBarModel bar(kBefore);
        bar.ImportCssText(CString("BODY{scrollbar-shadow-color:") + value + "}");
        EXPECT_EQ(Color(bar.GetElementColor(kShadow)),
                  Color(static_cast<COLORREF>(CChromlib::HtmlColorToRgb(lowered.c_str()))));
    }
}

TEST(CssImport, CopyTextPastedBackGivesTheSameColours) {
    const ColorList cases[] = {
        {0x0000FF, 0x00FF00, 0xFF0000, 0x000000, 0xFFFFFF, 0x123456, 0xABCDEF},
        {kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite},
        {kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack},
        {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112, 0x131415},
    };
    for (const ColorList& colors : cases) {
        const CScrollBarModel source(colors);
        CScrollBarModel target(kBefore);
        target.ImportCssText(BuildCopyText(source));
        EXPECT_EQ(Colors(target.GetColors()), Colors(colors));
    }
}

class CssFileImport : public testing::Test {
protected:
    void SetUp() override {
        CString pattern = (fs::temp_directory_path() / "tintbar-import-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override { fs::remove_all(m_folder); }

    CString Write(const CString& bytes) const {
        const fs::path path = m_folder / "default.css";
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    CString Missing() const { return (m_folder / "missing.css").string(); }

private:
    fs::path m_folder;
};

TEST_F(CssFileImport, FileAndTextOfTheSameContentAgree) {
    const CString content = "/*x*/\r\nBODY\r\n{\r\n\tscrollbar-track-color:#102030;\r\n"
                            "\tscrollbar-arrow-color:#405060;\r\n}\r\n";
    CScrollBarModel fromFile(kBefore);
    fromFile.ImportCssFile(Write(content + CString("\0BODY{scrollbar-face-color:#fff}", 32)));
    CScrollBarModel fromText(kBefore);
    fromText.ImportCssText(content);
    EXPECT_EQ(Colors(fromFile.GetColors()), Colors(fromText.GetColors()));
    EXPECT_EQ(Colors(fromFile.GetColors()),
              Colors({0x302010, kMissing, kMissing, kMissing, kMissing, kMissing, 0x605040}));
}

TEST_F(CssFileImport, AMissingFileStillSetsAllColours) {
    CScrollBarModel bar(kBefore);
    bar.ImportCssFile(Missing());
    EXPECT_EQ(Colors(bar.GetColors()),
              Colors({kMissing, kMissing, kMissing, kMissing, kMissing, kMissing, kMissing}));
}

} // namespace
