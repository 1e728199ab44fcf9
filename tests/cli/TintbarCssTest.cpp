// The built tintbar-css, run as a user runs it: each mode's output, the
// picture against the view's own painting, and the failures.

#include "chromlib/Chromlib.h"
#include "cli/CommandLine.h"
#include "cli/ModernCss.h"
#include "css/CopyText.h"
#include "preview/RasterSurface.h"
#include "preview/ScrollBarModel.h"
#include "tests/cli/ToolRun.h"
#include "tests/support/Printers.h"
#include "text/MultiByte.h"
#include "view/TintbarView.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

const std::string kAllSeven = "/* site colours */\n"
                              "p.note { color: red }\n"
                              "html, Body.main {\n"
                              "  Scrollbar-Face-Color: #336699;\n"
                              "  scrollbar-track-color: NAVY;\n"
                              "  scrollbar-shadow-color: #ABCDEF;\n"
                              "  scrollbar-darkshadow-color: rgb(1, 2, 3);\n"
                              "  scrollbar-highlight-color: white;\n"
                              "  scrollbar-3dlight-color: /* soft */ #eee;\n"
                              "  scrollbar-arrow-color: #F00;\n"
                              "}\n";

std::string Html(const char* value) {
    return CChromlib::RgbToHtmlColor(static_cast<COLORREF>(CChromlib::HtmlColorToRgb(value)));
}

// The Copy text that the tool must print for a text: what Paste then Copy
// would give in the window.
std::string ExpectedCopyText(std::string text) {
    multibyte::TrimInPlace(text);
    CScrollBarModel bar;
    bar.ImportCssText(text);
    return BuildCopyText(bar);
}

// Declaration lines in the Copy text's order: track, face, shadow,
// darkshadow, highlight, 3dlight, arrow.
std::string Declarations(const std::vector<std::string>& colors) {
    const char* names[] = {"track",     "face",    "shadow", "darkshadow",
                           "highlight", "3dlight", "arrow"};
    std::string lines;
    for (std::size_t index = 0; index < colors.size(); ++index) {
        lines += "\tscrollbar-" + std::string(names[index]) + "-color:" + colors[index] + ";\r\n";
    }
    return lines;
}

struct CCopyCase {
    const char* name;
    std::string input;
    std::vector<std::string> colors;
};

TEST(TintbarCssTest, PrintsTheCopyTextOfWhatPasteReads) {
    const std::string none = Html("");
    const CCopyCase cases[] = {
        {"all seven, any case, comments and lists",
         kAllSeven,
         {"#000080", "#336699", "#abcdef", "#010203", "#ffffff", "#eeeeee", "#ff0000"}},
        {"white space around the text",
         " \t\r\n" + kAllSeven + "\n\n \f",
         {"#000080", "#336699", "#abcdef", "#010203", "#ffffff", "#eeeeee", "#ff0000"}},
        {"some properties",
         "body{scrollbar-face-color:#123456}",
         {none, "#123456", none, none, none, none, none}},
        {"the text ends at its first NUL",
         std::string("body{scrollbar-arrow-color:#111111}\0body{scrollbar-face-color:#222222}", 71),
         {none, none, none, none, none, none, "#111111"}},
        {"no BODY rule", "p { color: red }", {none, none, none, none, none, none, none}},
        {"a full-width space is text", "\xE3\x80\x80", {none, none, none, none, none, none, none}},
    };
    for (const CCopyCase& row : cases) {
        SCOPED_TRACE(row.name);
        CToolRun tool;
        const CToolResult result = tool.Run({}, row.input);
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_EQ(result.errors, "");
        const std::string& text = result.output;
        EXPECT_TRUE(text.starts_with("/*Hueline */\r\n")) << text;
        EXPECT_NE(text.find("\r\nBODY\r\n{\r\n" + Declarations(row.colors) + "}"),
                  std::string::npos)
            << text;
        EXPECT_TRUE(text.ends_with("}")) << text;
        EXPECT_EQ(text, ExpectedCopyText(row.input.substr(0, row.input.find('\0'))));
    }
}

TEST(TintbarCssTest, FileStandardInputAndDashReadTheSame) {
    CToolRun tool;
    tool.WriteFile("site.css", kAllSeven);
    const std::string expected = ExpectedCopyText(kAllSeven);
    for (const auto& [arguments, input] : {
             std::pair<std::vector<std::string>, std::string>{{"site.css"}, ""},
             {{(tool.GetDirectory() / "site.css").string()}, ""},
             {{}, kAllSeven},
             {{"-"}, kAllSeven},
             {{"--", "site.css"}, ""},
         }) {
        SCOPED_TRACE(testing::PrintToString(arguments));
        const CToolResult result = tool.Run(arguments, input);
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_EQ(result.output, expected);
    }
}

TEST(TintbarCssTest, CopyTextReadBackGivesItselfAgain) {
    CToolRun tool;
    const std::string first = tool.Run({}, kAllSeven).output;
    EXPECT_EQ(tool.Run({}, first).output, first);
}

TEST(TintbarCssTest, ModernPrintsTheSameColoursForCurrentBrowsers) {
    CToolRun tool;
    const CToolResult result = tool.Run({"--modern"}, kAllSeven);
    EXPECT_EQ(result.exitStatus, 0);
    CScrollBarModel bar;
    bar.ImportCssText(multibyte::Trim(kAllSeven));
    EXPECT_EQ(result.output, BuildModernCss(bar));
    EXPECT_TRUE(result.output.starts_with("html {\n  scrollbar-color: #336699 #000080;\n}\n"))
        << result.output;
    EXPECT_NE(result.output.find("%23ff0000"), std::string::npos) << "arrow colour in the glyphs";
}

// What the view paints, through test fakes: a raster for every paint and a
// clipboard that holds the pasted text.
class CPictureSurfaces : public CSurfaceSource {
public:
    CDrawSurface* ObtainSurface() override { return &m_raster; }
    void ReleaseSurface(CDrawSurface&) override {}
    const CRasterSurface& GetRaster() const { return m_raster; }

private:
    CRasterSurface m_raster{kClientWidth, kClientHeight};
};

class CTextClipboard : public CClipboard {
public:
    explicit CTextClipboard(std::string text) : m_text(std::move(text)) {}
    bool Open() override { return true; }
    void Close() override {}
    ClipboardRead ReadText(CString& text) override {
        text = m_text;
        return ClipboardRead::kText;
    }
    ClipboardWrite WriteText(const CString&) override { return ClipboardWrite::kWritten; }

private:
    std::string m_text;
};

class CNoColorDialog : public CColorDialog {
public:
    std::optional<COLORREF> RunModal(const CColorDialogRequest&) override { return std::nullopt; }
};

class CQuietDesktop : public CDesktop {
public:
    void Beep() override {}
    void ShowMessage(const CString&, const std::optional<CString>&) override {}
    void Pause(int) override {}
};

std::vector<std::uint8_t> ViewPictureAfterPaste(const std::string& text) {
    CPictureSurfaces surfaces;
    CTextClipboard clipboard(text);
    CNoColorDialog dialog;
    CQuietDesktop desktop;
    CTintbarView view(CViewPlatform{surfaces, clipboard, dialog, desktop});
    view.OnEditPaste();
    return surfaces.GetRaster().GetRgbData();
}

struct CDecodedPng {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rgb;
};

std::optional<CDecodedPng> DecodePng(const std::string& bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()) == 0) {
        return std::nullopt;
    }
    image.format = PNG_FORMAT_RGB;
    CDecodedPng decoded{static_cast<std::int32_t>(image.width),
                        static_cast<std::int32_t>(image.height),
                        std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
    if (png_image_finish_read(&image, nullptr, decoded.rgb.data(), 0, nullptr) == 0) {
        return std::nullopt;
    }
    return decoded;
}

// The first pixel where two RGB pictures of the client area differ, for a
// readable failure.
std::string FirstDifference(const std::vector<std::uint8_t>& actual,
                            const std::vector<std::uint8_t>& expected) {
    for (std::size_t at = 0; at + 2 < actual.size() && at + 2 < expected.size(); at += 3) {
        const COLORREF got = RgbColor(actual[at], actual[at + 1], actual[at + 2]);
        const COLORREF want = RgbColor(expected[at], expected[at + 1], expected[at + 2]);
        if (got != want) {
            const std::size_t pixel = at / 3;
            return "pixel (" + std::to_string(pixel % kClientWidth) + ", " +
                   std::to_string(pixel / kClientWidth) + ") is " +
                   testing::PrintToString(Color(got)) + ", expected " +
                   testing::PrintToString(Color(want));
        }
    }
    return actual.size() == expected.size() ? "none" : "sizes differ";
}

TEST(TintbarCssTest, PictureIsWhatTheViewPaintsAfterPaste) {
    const std::string inputs[] = {
        kAllSeven,
        "body{scrollbar-face-color:#123456}",
        "BODY{scrollbar-track-color:#010101;scrollbar-face-color:#020202;"
        "scrollbar-shadow-color:#030303;scrollbar-darkshadow-color:#040404;"
        "scrollbar-highlight-color:#050505;scrollbar-3dlight-color:#060606;"
        "scrollbar-arrow-color:#070707}",
        "no rule at all",
    };
    for (const std::string& input : inputs) {
        SCOPED_TRACE(input);
        CToolRun tool;
        const CToolResult result = tool.Run({"--png", "preview.png"}, input);
        ASSERT_EQ(result.exitStatus, 0) << result.errors;
        EXPECT_EQ(result.output, "");
        const std::optional<CDecodedPng> picture = DecodePng(tool.ReadFile("preview.png"));
        ASSERT_TRUE(picture.has_value());
        EXPECT_EQ(picture->width, kClientWidth);
        EXPECT_EQ(picture->height, kClientHeight);
        const std::vector<std::uint8_t> expected = ViewPictureAfterPaste(input);
        EXPECT_TRUE(picture->rgb == expected) << FirstDifference(picture->rgb, expected);
    }
}

TEST(TintbarCssTest, PictureReplacesAnEarlierFileWhole) {
    CToolRun tool;
    tool.WriteFile("preview.png", "old");
    ASSERT_EQ(tool.Run({"--png=preview.png"}, kAllSeven).exitStatus, 0);
    EXPECT_TRUE(DecodePng(tool.ReadFile("preview.png")).has_value());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tool.GetDirectory()),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left behind";
}

struct CFailureCase {
    const char* name;
    std::vector<std::string> arguments;
    std::string input;
    int exitStatus;
    std::string message;
};

TEST(TintbarCssTest, FailuresSayWhatWentWrongAndWriteNothing) {
    const CFailureCase cases[] = {
        {"unknown option",
         {"--colour"},
         kAllSeven,
         2,
         "tintbar-css: unknown option '--colour' (see tintbar-css --help)\n"},
        {"two inputs",
         {"a.css", "b.css"},
         "",
         2,
         "tintbar-css: only one input file can be given, found 'a.css' and 'b.css' "
         "(see tintbar-css --help)\n"},
        {"missing file",
         {"missing.css"},
         "",
         1,
         "tintbar-css: cannot read 'missing.css': No such file or directory\n"},
        {"directory", {"."}, "", 1, "tintbar-css: cannot read '.': Is a directory\n"},
        {"empty standard input",
         {},
         "",
         1,
         "tintbar-css: standard input holds no CSS text (it is empty or only white space)\n"},
        {"white space only",
         {"--modern"},
         " \t\r\n\v\f",
         1,
         "tintbar-css: standard input holds no CSS text (it is empty or only white space)\n"},
        {"NUL first",
         {"--png", "kept.png"},
         std::string("\0body{}", 7),
         1,
         "tintbar-css: standard input holds no CSS text (it is empty or only white space)\n"},
        {"picture into a missing directory",
         {"--png", "no/such/dir/p.png"},
         kAllSeven,
         1,
         "tintbar-css: cannot write 'no/such/dir/p.png': No such file or directory\n"},
        {"picture onto a directory", {"--png", "."}, kAllSeven, 1, ""},
    };
    for (const CFailureCase& row : cases) {
        SCOPED_TRACE(row.name);
        CToolRun tool;
        tool.WriteFile("kept.png", "earlier picture");
        const CToolResult result = tool.Run(row.arguments, row.input);
        EXPECT_EQ(result.exitStatus, row.exitStatus);
        EXPECT_EQ(result.output, "");
        if (row.message.empty()) {
            EXPECT_TRUE(result.errors.starts_with("tintbar-css: cannot write '.'"))
                << result.errors;
        } else {
            EXPECT_EQ(result.errors, row.message);
        }
        EXPECT_EQ(tool.ReadFile("kept.png"), "earlier picture");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tool.GetDirectory()),
                                std::filesystem::directory_iterator()),
                  1)
            << "no temporary file is left behind";
    }
}

TEST(TintbarCssTest, HelpPrintsTheUsageAndSucceeds) {
    CToolRun tool;
    const CToolResult result = tool.Run({"--help"}, kAllSeven);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.output, GetHelpText());
    EXPECT_EQ(result.errors, "");
}

} // namespace
