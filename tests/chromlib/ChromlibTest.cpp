// The library's two entry points: HtmlColorToRgb tries CSS, then the legacy
// rules, then gives black; what RgbToHtmlColor writes it reads back
// unchanged, so that Copy followed by Paste gives the same colours.

#include "chromlib/LegacyColorParser.h"
#include "tests/chromlib/ColorTestHelpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF kColorCount = 1u << 24;
// Odd and prime, so that the sample walks through every value of each
// channel rather than repeating a few.
constexpr COLORREF kStride = 251;

// The stride sample, every grey and every level of each pure channel, and white.
TEST(RoundTrip, EverySampledColourReadsBackToItself) {
    std::vector<COLORREF> samples;
    for (COLORREF color = 0; color < kColorCount; color += kStride) {
        samples.push_back(color);
    }
    for (COLORREF level = 0; level <= 0xFF; ++level) {
        samples.insert(samples.end(), {level * 0x010101, level, level << 8, level << 16});
    }
    samples.push_back(kColorCount - 1);
    int failures = 0;
    for (const COLORREF color : samples) {
        const std::string text = CChromlib::RgbToHtmlColor(color);
        if (Read(text) != Color(color) && ++failures <= 10) {
            ADD_FAILURE() << text << " read back as " << testing::PrintToString(Read(text));
        }
    }
    EXPECT_EQ(failures, 0);
}

// Lower-case hex, red first; the high byte is no part of the colour.
TEST(RoundTrip, WritesLowerCaseHexRedFirst) {
    EXPECT_EQ(CChromlib::RgbToHtmlColor(0x0000FF), "#ff0000");
    EXPECT_EQ(CChromlib::RgbToHtmlColor(0x0ABCDE), "#debc0a");
    EXPECT_EQ(CChromlib::RgbToHtmlColor(0xFF123456), "#563412");
    EXPECT_EQ(CChromlib::RgbToHtmlColor(0xFFFFFFFF), "#ffffff");
}

// The library reads CSS first, so a system colour is not legacy text, and
// falls back to the legacy rules; where both fail, or there is no text, it
// gives black.
TEST(Fallback, CssFirstThenTheLegacyRulesElseBlack) {
    const std::vector<TextCase> cases = {{"chucknorris", 0xc00000},
                                         {"ff0000", 0xff0000},
                                         {"window", 0xffffff},
                                         {"transparent", 0x000000},
                                         {"", 0x000000}};
    for (const TextCase& test : cases) {
        EXPECT_EQ(Read(test.text), Color(Triplet(test.expected))) << '"' << test.text << '"';
    }
    EXPECT_EQ(Color(CLegacyColorParser::Parse("window").value()), Color(Triplet(0x000d00)));
    EXPECT_EQ(CChromlib::HtmlColorToRgb(nullptr), kBlack);
}

} // namespace
