// The built tintbar-css, run as a user runs it: each mode's output, the
// picture against the view's own painting, and the failures.

#include "cli/CommandLine.h"
#include "css/BrowserPage.h"
#include "css/CopyText.h"
#include "css/ModernCss.h"
#include "preview/RasterSurface.h"
#include "preview/ScrollBarModel.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/FreshFolder.h"
#include "tests/support/Printers.h"
#include "view/TintbarView.h"

#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct CToolResult {
    int exitStatus = -1;
    std::string output;
    std::string errors;
};

std::string ReadWhole(const fs::path& path) {
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

// Runs the built tool in a working directory of its own; its standard
// streams go to files beside that directory, so that the directory holds
// only what the tool itself leaves there.
class CToolRun {
public:
    CToolRun() { fs::create_directory(GetDirectory()); }
    fs::path GetDirectory() const { return m_root.Path() / "work"; }
    void WriteFile(const fs::path& path, const std::string& bytes) const {
        std::ofstream(GetDirectory() / path, std::ios::binary) << bytes;
    }
    std::string ReadFile(const std::string& name) const { return ReadWhole(GetDirectory() / name); }
    long CountEntries() const {
        return std::distance(fs::directory_iterator(GetDirectory()), fs::directory_iterator());
    }

    // The arguments are the tests' own words, free of single quotes.
    CToolResult Run(const std::vector<std::string>& arguments,
                    const std::string& input = "") const {
        WriteFile("../input", input);
        std::string command = "cd '" + GetDirectory().string() + "' && exec '" TINTBAR_CSS_PATH "'";
        for (const std::string& argument : arguments) {
            command += " '" + argument + "'";
        }
        const int status = std::system((command + " <../input >../output 2>../errors").c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWhole(m_root.Path() / "output"),
                ReadWhole(m_root.Path() / "errors")};
    }

private:
    CFreshFolder m_root{"tintbar-cli-"};
};

// All seven, in any case, with comments, a selector list and colour names;
// the colours it gives in colour list order.
const std::string kAllSeven = "/* site colours */ p.note { color: red }\nhtml, Body.main {\n"
                              "  Scrollbar-Face-Color: #336699; scrollbar-track-color: NAVY;\n"
                              "  scrollbar-shadow-color: #ABCDEF; scrollbar-darkshadow-color: "
                              "rgb(1, 2, 3);\n  scrollbar-highlight-color: white;\n"
                              "  scrollbar-3dlight-color: /* soft */ #eee; "
                              "scrollbar-arrow-color: #F00 }\n";
constexpr ColorList kAllSevenColors = {0x800000, 0x996633, 0xEFCDAB, 0x030201,
                                       0xFFFFFF, 0xEEEEEE, 0x0000FF};

// A row either succeeds, printing output and no error, or fails with one
// line "tintbar-css: ..." that ends in message (and, for a wrong command
// line, a pointer to --help). No row removes a file; a row that names a
// file written leaves that file beside site.css and kept.png.
struct CRunCase {
    std::vector<std::string> arguments;
    std::string input;
    int exitStatus;
    std::string output;
    std::string message;
    std::string written{};
};

TEST(TintbarCssTest, EachRunPrintsItsResultOrOneLineOfWhatWentWrong) {
    const std::string allSeven = BuildCopyText(CScrollBarModel(kAllSevenColors));
    const std::string noColors = BuildCopyText(CScrollBarModel(ColorList{}));
    const std::string faceOnly = BuildCopyText(CScrollBarModel(ColorList{kBlack, 0x563412}));
    const std::string nul(1, '\0');
    const CScrollBarModel bar(kAllSevenColors);
    const std::string help(GetHelpText());
    const std::string blank = "standard input holds no CSS text (it is empty or only white space)";
    const CRunCase cases[] = {
        {{}, kAllSeven, 0, allSeven, ""},
        {{"-"}, " \t\r\n" + kAllSeven + "\n\n \f", 0, allSeven, ""},
        {{"site.css"}, "", 0, allSeven, ""},
        {{}, "body{scrollbar-face-color:#123456}", 0, faceOnly, ""},
        {{}, "p{color:red}" + nul + "body{scrollbar-face-color:#123456}", 0, noColors, ""},
        {{}, "\xE3\x80\x80", 0, noColors, ""},
        {{"site.css", "--modern", "--modern"}, "", 0, BuildModernCss(bar), ""},
        {{"--html", "-", "site.css"}, "", 0, BuildBrowserPage(bar, kWhite), ""},
        {{"site.css", "--html=page.html"}, "", 0, "", "", "page.html"},
        {{"--png=o.png", "--scale=4", "site.css"}, "", 0, "", "", "o.png"},
        {{"--help"}, kAllSeven, 0, help, ""},
        {{"-h", "--bogus"}, "", 0, help, ""},
        {{"--modern=yes", "--help"}, "", 2, "", "unknown option '--modern=yes'"},
        {{"--png"}, "", 2, "", "--png needs the name of the image file to write"},
        {{"--html="}, "", 2, "", "--html needs the name of the page to write, or -"},
        {{"--modern", "--png", "o.png"}, "", 2, "", "cannot be combined"},
        {{"--png", "kept.png", "--scale", "1.5"}, kAllSeven, 2, "", "from 1 to 4, found '1.5'"},
        {{"--png", "o.png", "--scale", "0"}, "", 2, "", "found '0'"},
        {{"--png", "o.png", "--scale=5"}, "", 2, "", "found '5'"},
        {{"--png", "o.png", "--scale", "x"}, "", 2, "", "found 'x'"},
        {{"--png", "o.png", "--scale"}, "", 2, "", "--scale needs a whole number from 1 to 4"},
        {{"--scale", "2"}, kAllSeven, 2, "", "--scale applies only to the picture of --png"},
        {{"site.css", "b.css"}, "", 2, "", "found 'site.css' and 'b.css'"},
        {{"--", "--modern"}, "", 1, "", "cannot read '--modern': No such file or directory"},
        {{"."}, "", 1, "", "cannot read '.': Is a directory"},
        {{"--modern"}, " \t\r\n\v\f", 1, "", blank},
        {{"--png", "kept.png"}, nul + "body{}", 1, "", blank},
        {{"--png", "no/dir/p.png"}, kAllSeven, 1, "", "'no/dir/p.png': No such file or directory"},
        {{"--png", "."}, kAllSeven, 1, "", "cannot write '.': Device or resource busy"},
    };
    for (const CRunCase& row : cases) {
        SCOPED_TRACE(testing::PrintToString(row.arguments) + " on " +
                     testing::PrintToString(row.input));
        CToolRun tool;
        tool.WriteFile("site.css", kAllSeven);
        tool.WriteFile("kept.png", "earlier picture");
        const CToolResult result = tool.Run(row.arguments, row.input);
        EXPECT_EQ(result.exitStatus, row.exitStatus);
        EXPECT_EQ(result.output, row.output);
        const std::string tail =
            row.message + (row.exitStatus == 2 ? " (see tintbar-css --help)\n" : "\n");
        EXPECT_TRUE(row.message.empty() ? result.errors.empty()
                                        : result.errors.starts_with("tintbar-css: ") &&
                                              result.errors.ends_with(tail) &&
                                              std::ranges::count(result.errors, '\n') == 1)
            << result.errors;
        EXPECT_EQ(tool.ReadFile("kept.png"), "earlier picture");
        EXPECT_EQ(tool.CountEntries(), row.written.empty() ? 2 : 3) << "no temporary file is left";
        EXPECT_TRUE(row.written.empty() || fs::is_regular_file(tool.GetDirectory() / row.written));
    }
}

// The pixels of a PNG file as 8-bit RGB; none when it cannot be read.
std::vector<std::uint8_t> DecodePng(const std::string& bytes, std::int32_t scale = 1) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    std::vector<std::uint8_t> rgb;
    if (png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()) != 0) {
        EXPECT_EQ(image.width, static_cast<png_uint_32>(kClientWidth * scale));
        image.format = PNG_FORMAT_RGB;
        rgb.resize(PNG_IMAGE_SIZE(image));
        if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0) {
            rgb.clear();
        }
    }
    return rgb;
}

// Two pictures as rows of 8-bit red, green and blue, width pixels a row.
void ExpectSamePicture(const std::vector<std::uint8_t>& actual,
                       const std::vector<std::uint8_t>& expected, std::size_t width) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t at = 0; at < actual.size(); at += 3) {
        const auto colorAt = [at](const std::vector<std::uint8_t>& rgb) {
            return Color(RgbColor(rgb[at], rgb[at + 1], rgb[at + 2]));
        };
        ASSERT_EQ(colorAt(actual), colorAt(expected))
            << "pixel (" << at / 3 % width << ", " << at / 3 / width << ")";
    }
}

// At --scale 2 the picture is the view's enlarged for a display at scale 2;
// "-" writes it to standard output.
TEST(TintbarCssTest, PictureIsWhatTheViewPaintsAfterPasteAndReplacesTheFileWhole) {
    const mode_t mask = umask(0);
    umask(mask);
    CToolRun tool;
    tool.WriteFile("preview.png", "an earlier file");
    const CToolResult result = tool.Run({"--png", "preview.png"}, kAllSeven);
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_EQ(result.output, "");
    CFakePlatform platform;
    platform.content = kAllSeven;
    CTintbarView(platform.Get()).OnEditPaste();
    const CRasterSurface& view = *platform.picture;
    ExpectSamePicture(DecodePng(tool.ReadFile("preview.png")), view.GetRgbData(), kClientWidth);
    const CToolResult doubled = tool.Run({"--scale=2", "--png", "-"}, kAllSeven);
    ASSERT_EQ(doubled.exitStatus, 0) << doubled.errors;
    ExpectSamePicture(DecodePng(doubled.output, 2), view.Scaled(2).GetRgbData(), 2 * kClientWidth);
    EXPECT_EQ(tool.CountEntries(), 1) << "no temporary file is left behind";
    EXPECT_EQ(fs::status(tool.GetDirectory() / "preview.png").permissions(),
              fs::perms(0666 & ~mask));
}

} // namespace
