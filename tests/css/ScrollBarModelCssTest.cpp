// The CSS import and export of a scrollbar, and the file reader under the
// import.

#include "chromlib/Chromlib.h"
#include "css/CopyText.h"
#include "css/TextFile.h"
#include "preview/ScrollBarModel.h"
#include "tests/css/NonRegularFiles.h"
#include "tests/support/FreshFolder.h"
#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr auto kBlockingLimit = std::chrono::seconds(5);
// The colour of a property that is not there.
const COLORREF kMissing = static_cast<COLORREF>(CChromlib::HtmlColorToRgb(""));
// Colour list order: track, face, shadow, darkshadow, highlight, 3dlight,
// arrow; each channel distinct, so a swapped line or channel shows.
const ColorList kKnownColors = {0x0000FF, 0x00FF00, 0xFF0000, 0x000000,
                                0xFFFFFF, 0x123456, 0xABCDEF};

TEST(CssImport, TextSetsEverySevenColours) {
    const std::pair<CString, ColorList> cases[] = {
        {"BODY{scrollbar-arrow-color:#070000; scrollbar-3dlight-color:#060000;"
         "scrollbar-highlight-color:#050000; scrollbar-darkshadow-color:#040000;"
         "scrollbar-shadow-color:#030000; scrollbar-face-color:#020000;"
         "scrollbar-track-color:#010000}",
         {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07}},
        {"body { SCROLLBAR-TRACK-COLOR: #0000FF; Scrollbar-Face-Color: #00FF00;"
         "scrollbar-face-color:#ff0000; scrollbar-shadow-color:#ABCDEF }",
         {0xFF0000, 0x00FF00, 0xEFCDAB, kMissing, kMissing, kMissing, kMissing}},
        // The Copy text pasted back.
        {BuildCopyText(CScrollBarModel(kKnownColors)), kKnownColors},
    };
    for (const auto& [css, expected] : cases) {
        // On a bar whose colours no import here yields, so that each must
        // set all seven.
        CScrollBarModel bar({0x010101, 0x020202, 0x030303, 0x040404, 0x050505, 0x060606, 0x070707});
        bar.ImportCssText(css);
        EXPECT_EQ(Colors(bar.GetColors()), Colors(expected)) << css;
    }
}

TEST(CssExport, CopyTextByteForByte) {
    EXPECT_EQ(BuildCopyText(CScrollBarModel(kKnownColors)),
              "/*Hueline */\r\n/* Scrollbar colours made with Tintbar */\r\nBODY\r\n{\r\n"
              "\tscrollbar-track-color:#ff0000;\r\n"
              "\tscrollbar-face-color:#00ff00;\r\n"
              "\tscrollbar-shadow-color:#0000ff;\r\n"
              "\tscrollbar-darkshadow-color:#000000;\r\n"
              "\tscrollbar-highlight-color:#ffffff;\r\n"
              "\tscrollbar-3dlight-color:#563412;\r\n"
              "\tscrollbar-arrow-color:#efcdab;\r\n"
              "}");
}

class TextFileTest : public testing::Test {
protected:
    CString PathOf(const char* name) const { return (m_folder.Path() / name).string(); }
    CString Write(const char* name, const CString& bytes) const {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
        return PathOf(name);
    }

    CFreshFolder m_folder{"tintbar-css-"};
};

// A regular file is read up to its first NUL byte; any other name gives no
// text, at once: a FIFO without a writer or the console must not block the
// read, and a device that gives endless bytes must be turned away, not read.
TEST_F(TextFileTest, RegularFilesAreReadUpToTheFirstNulAndOtherNamesGiveNothing) {
    const CString rule = "BODY\r\n{\r\n\tscrollbar-track-color:#102030;\r\n}\r\n";
    // Several read chunks, the NUL in the last.
    const CString large(3 * 65536 + 17, 'x');
    std::vector<std::pair<CString, CString>> cases = {
        {Write("rule.css", rule + CString("\0BODY{scrollbar-face-color:#fff}", 32)), rule},
        {Write("empty.css", ""), ""},
        {Write("nul.css", CString("\0ab", 3)), ""},
        {Write("large.css", large + CString("\0tail", 5)), large},
        {PathOf("missing.css"), ""},
    };
    for (const CString& name : MakeNonRegularFiles(m_folder.Path())) {
        cases.emplace_back(name, "");
    }
    for (const auto& [name, expected] : cases) {
        SCOPED_TRACE(name);
        auto reading =
            std::async(std::launch::async, [fileName = name] { return ReadTextFile(fileName); });
        if (reading.wait_for(kBlockingLimit) != std::future_status::ready) {
            // The blocked reader would hold the test program forever.
            std::fprintf(stderr, "reading %s blocks\n", name.c_str());
            std::_Exit(EXIT_FAILURE);
        }
        EXPECT_EQ(reading.get(), expected);
    }
}

TEST_F(TextFileTest, AFileBeyondTheLimitGivesNothing) {
    const CString atLimit(kMaxTextFileBytes, 'a');
    EXPECT_EQ(ReadTextFile(Write("limit.css", atLimit)).size(), kMaxTextFileBytes);
    EXPECT_EQ(ReadTextFile(Write("beyond.css", atLimit + "a")), "");
}

} // namespace
