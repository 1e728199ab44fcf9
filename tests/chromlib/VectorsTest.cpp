// Runs the public colour-parsing conformance vectors, when they are present
// beside the repository, through the library the way the program calls it:
// ASCII letters lower-cased, the six white-space bytes trimmed.

#include "chromlib/Chromlib.h"
#include "chromlib/LegacyColorParser.h"
#include "tests/support/CodePageScope.h"
#include "tests/support/Printers.h"
#include "text/MultiByte.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <set>
#include <string>

namespace {

constexpr double kRequiredPassRate = 0.995;
constexpr std::string_view kInvalid = "invalid";

// Known misses, with the reason they are not mended.
const std::set<std::string> kExpectedMisses = {
    // Only single-precision arithmetic rounds 127.4999... up to 128.
    "hsl(0 0% 49.999999%)",
};

// The input field with its escapes decoded (\\, \t, \n, \r, \f), then
// lower-cased and trimmed as the program hands it over, under a single-byte
// code page, where only the ASCII letters are capitals.
std::string ProgramText(std::string_view field) {
    constexpr std::string_view kEscapes = "tnrf";
    constexpr std::string_view kDecoded = "\t\n\r\f";
    std::string text;
    for (std::size_t index = 0; index < field.size(); ++index) {
        char c = field[index];
        if (c == '\\' && index + 1 < field.size()) {
            c = field[++index];
            const std::size_t escape = kEscapes.find(c);
            c = escape == std::string_view::npos ? c : kDecoded[escape];
        }
        text += c;
    }
    const CodePageScope singleByte(1252);
    return multibyte::Trim(multibyte::Lower(text));
}

// "#rrggbb", or nothing for "invalid".
std::optional<COLORREF> FromExpectation(const std::string& expected) {
    if (expected == kInvalid) {
        return std::nullopt;
    }
    const unsigned long rgb = std::stoul(expected.substr(1), nullptr, 16);
    return RgbColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

std::string Described(std::optional<COLORREF> color) {
    return color ? CChromlib::RgbToHtmlColor(*color) : "nothing";
}

TEST(ColourVectors, PassAtLeastTheRequiredShareAndMissOnlyKnownCases) {
    const std::filesystem::path folder = std::filesystem::path(TINTBAR_VECTORS_DIR) / "colour";
    if (!std::filesystem::is_directory(folder)) {
        GTEST_SKIP() << "no conformance vectors at " << folder;
    }
    // A set, so that the files and their misses are listed in a fixed order.
    const std::set<std::filesystem::path> files(std::filesystem::directory_iterator(folder), {});
    int cases = 0;
    int passed = 0;
    for (const std::filesystem::path& path : files) {
        if (path.extension() != ".tsv") {
            continue;
        }
        const std::string name = path.filename().string();
        // Files of the HTML legacy colour rules rather than of CSS.
        const bool legacy =
            name.starts_with("webcolors-") || name.starts_with("wpt-html-parsing-legacy-");
        std::ifstream in(path, std::ios::binary);
        std::string line;
        while (std::getline(in, line)) {
            const std::size_t tab = line.find('\t');
            if (tab == std::string::npos) {
                continue;
            }
            const std::string input = line.substr(0, tab);
            const std::string expected = line.substr(tab + 1);
            const std::string text = ProgramText(input);
            // Compared as written colours, so that "nothing" and a colour
            // print the same way in a miss.
            const std::string got = Described(legacy ? CLegacyColorParser::Parse(text)
                                                     : CChromlib::HtmlColorToRgb(text.c_str()));
            std::optional<COLORREF> want = FromExpectation(expected);
            if (!legacy) {
                // CSS escapes are not decoded, and CSS-invalid text falls back
                // to the legacy rules: both then give the legacy result.
                if (!want || text.find('\\') != std::string::npos) {
                    want = CLegacyColorParser::Parse(text).value_or(kBlack);
                }
            }
            ++cases;
            if (got == Described(want)) {
                ++passed;
                continue;
            }
            std::cout << "miss in " << name << ": " << input << "  expected " << expected
                      << ", got " << got << "\n";
            EXPECT_TRUE(kExpectedMisses.contains(text)) << name << ": " << input;
        }
    }
    std::cout << passed << "/" << cases << " cases pass\n";
    ASSERT_GT(cases, 0);
    EXPECT_GE(static_cast<double>(passed) / cases, kRequiredPassRate);
}

} // namespace
