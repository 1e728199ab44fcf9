// What RgbToHtmlColor writes, HtmlColorToRgb reads back unchanged: Copy
// followed by Paste must give the same colours.

#include "tests/chromlib/ColorTestHelpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF kColorCount = 1u << 24;
// Odd and prime, so that the sample walks through every value of each
// channel rather than repeating a few.
constexpr COLORREF kStride = 251;

std::vector<COLORREF> SampleColors() {
    std::vector<COLORREF> colors;
    for (COLORREF color = 0; color < kColorCount; color += kStride) {
        colors.push_back(color);
    }
    for (std::uint8_t level = 0;; ++level) {
        colors.push_back(RgbColor(level, level, level));
        colors.push_back(RgbColor(level, 0, 0));
        colors.push_back(RgbColor(0, level, 0));
        colors.push_back(RgbColor(0, 0, level));
        if (level == 255) {
            break;
        }
    }
    colors.push_back(kColorCount - 1);
    return colors;
}

TEST(RoundTrip, EverySampledColourReadsBackToItself) {
    int failures = 0;
    for (const COLORREF color : SampleColors()) {
        const std::string text = CChromlib::RgbToHtmlColor(color);
        if (Read(text) != Color(color)) {
            ADD_FAILURE() << text << " read back as " << testing::PrintToString(Read(text))
                          << ", expected " << testing::PrintToString(Color(color));
            if (++failures > 10) {
                return;
            }
        }
    }
}

struct WriteCase {
    COLORREF color;
    std::string_view text;
};

class Writing : public testing::TestWithParam<WriteCase> {};

TEST_P(Writing, GivesLowerCaseHexRedFirst) {
    EXPECT_EQ(CChromlib::RgbToHtmlColor(GetParam().color), GetParam().text);
}

// The high byte is no part of the colour and is not written.
INSTANTIATE_TEST_SUITE_P(
    Colours, Writing,
    testing::Values(WriteCase{0x000000, "#000000"}, WriteCase{0xFFFFFF, "#ffffff"},
                    WriteCase{0x0000FF, "#ff0000"}, WriteCase{0x00FF00, "#00ff00"},
                    WriteCase{0xFF0000, "#0000ff"}, WriteCase{0x996633, "#336699"},
                    WriteCase{0xC8D0D4, "#d4d0c8"}, WriteCase{0x0A0B0C, "#0c0b0a"},
                    WriteCase{0xFF123456, "#563412"}, WriteCase{0x01000000, "#000000"},
                    WriteCase{0xFFFFFFFF, "#ffffff"}));

} // namespace
