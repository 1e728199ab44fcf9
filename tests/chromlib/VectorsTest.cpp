// Runs the public colour-parsing conformance vectors, when they are present
// beside the repository, through the library the way the program calls it:
// ASCII letters lower-cased, the six white-space bytes trimmed.

#include "chromlib/Chromlib.h"
#include "chromlib/LegacyColorParser.h"
#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr double kRequiredPassRate = 0.995;
constexpr std::string_view kInvalid = "invalid";

// Known misses, with the reason they are not mended.
const std::set<std::string> kExpectedMisses = {
    // Only single-precision arithmetic rounds 127.4999... up to 128.
    "hsl(0 0% 49.999999%)",
};

// Files of the HTML legacy colour rules rather than of CSS.
bool IsLegacyFile(const std::string& name) {
    return name.starts_with("webcolors-") || name.starts_with("wpt-html-parsing-legacy-");
}

std::string Unescape(std::string_view field) {
    std::string text;
    for (std::size_t index = 0; index < field.size(); ++index) {
        if (field[index] != '\\' || index + 1 == field.size()) {
            text += field[index];
            continue;
        }
        switch (field[++index]) {
        case 't':
            text += '\t';
            break;
        case 'n':
            text += '\n';
            break;
        case 'r':
            text += '\r';
            break;
        case 'f':
            text += '\f';
            break;
        default:
            text += field[index];
            break;
        }
    }
    return text;
}

// What the program hands the library: ASCII letters lower-cased, then the
// six ASCII white-space bytes trimmed from both ends.
std::string AsTheProgramPasses(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    constexpr std::string_view kWhitespace = " \t\n\v\f\r";
    const std::size_t last = text.find_last_not_of(kWhitespace);
    text.erase(last == std::string::npos ? 0 : last + 1);
    text.erase(0, text.find_first_not_of(kWhitespace));
    return text;
}

COLORREF ParseHexExpectation(const std::string& expected) {
    const unsigned long rgb = std::stoul(expected.substr(1), nullptr, 16);
    return RgbColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

COLORREF LegacyOrBlack(const std::string& text) {
    return CLegacyColorParser::Parse(text).value_or(kBlack);
}

struct Miss {
    std::string input; // as written in the file, escapes and all
    std::string text;  // as the library was given it
    std::string expected;
    std::string got;
};

struct FileResult {
    std::string name;
    int cases = 0;
    int passed = 0;
    std::vector<Miss> misses;
};

FileResult RunFile(const std::filesystem::path& path) {
    FileResult result;
    result.name = path.filename().string();
    const bool legacy = IsLegacyFile(result.name);
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            continue;
        }
        const std::string raw = line.substr(0, tab);
        const std::string expected = line.substr(tab + 1);
        const std::string text = AsTheProgramPasses(Unescape(raw));
        COLORREF got = kBlack;
        bool passes = false;
        if (legacy) {
            const std::optional<COLORREF> parsed = CLegacyColorParser::Parse(text);
            got = parsed.value_or(kBlack);
            passes = expected == kInvalid ? !parsed.has_value()
                                          : parsed == ParseHexExpectation(expected);
        } else {
            got = static_cast<COLORREF>(CChromlib::HtmlColorToRgb(text.c_str()));
            // CSS escapes are not decoded, and CSS-invalid text falls back to
            // the legacy rules: both then give the legacy result.
            const bool fallsBack = expected == kInvalid || text.find('\\') != std::string::npos;
            passes = got == (fallsBack ? LegacyOrBlack(text) : ParseHexExpectation(expected));
        }
        ++result.cases;
        if (passes) {
            ++result.passed;
        } else {
            result.misses.push_back({raw, text, expected, CChromlib::RgbToHtmlColor(got)});
        }
    }
    return result;
}

TEST(ColourVectors, PassAtLeastTheRequiredShareAndMissOnlyKnownCases) {
    const std::filesystem::path folder = std::filesystem::path(TINTBAR_VECTORS_DIR) / "colour";
    if (!std::filesystem::is_directory(folder)) {
        GTEST_SKIP() << "no conformance vectors at " << folder;
    }
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".tsv") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());

    int cases = 0;
    int passed = 0;
    for (const std::filesystem::path& path : files) {
        const FileResult result = RunFile(path);
        cases += result.cases;
        passed += result.passed;
        std::cout << result.passed << "/" << result.cases << "  " << result.name << "\n";
        for (const Miss& miss : result.misses) {
            std::cout << "    miss: " << miss.input << "  expected " << miss.expected << ", got "
                      << miss.got << "\n";
            EXPECT_TRUE(kExpectedMisses.contains(miss.text)) << result.name << ": " << miss.input;
        }
    }
    std::cout << passed << "/" << cases << "  all files\n";
    ASSERT_GT(cases, 0);
    EXPECT_GE(static_cast<double>(passed) / cases, kRequiredPassRate);
}

} // namespace
