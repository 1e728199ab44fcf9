#include "cli/ModernCss.h"

#include "chromlib/Chromlib.h"
#include "preview/RasterSurface.h"
#include "preview/ScrollBarModel.h"
#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>
#include <utility>

namespace {

// Seven different colours in colour list order: track, face, shadow,
// darkshadow, highlight, 3dlight, arrow.
const ColorList kColors = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x0F1E2D, 0x3C4B5A};

std::string Html(COLORREF color) {
    return CChromlib::RgbToHtmlColor(color);
}

// The declarations of each rule by selector (a selector list under its
// joined text); the rules inside the @supports block count as the others,
// and only its closing brace may follow the last rule.
std::map<std::string, std::string> RulesOf(const std::string& css) {
    const auto trimmed = [](const std::string& text) {
        return std::regex_replace(text, std::regex(R"(^\s+|\s+$)"), "");
    };
    std::map<std::string, std::string> rules;
    std::size_t at = 0;
    for (std::size_t open = css.find('{'); open != std::string::npos; open = css.find('{', at)) {
        const std::string selector = trimmed(css.substr(at, open - at));
        const std::size_t close = css.find('}', open);
        if (selector.starts_with("@supports")) {
            EXPECT_EQ(selector, "@supports not (scrollbar-color: auto)");
            at = open + 1;
        } else {
            rules[selector] = css.substr(open + 1, close - open - 1);
            at = close + 1;
        }
    }
    EXPECT_EQ(trimmed(css.substr(at)), "}");
    return rules;
}

TEST(ModernCssTest, PercentEncodingKeepsOnlySafeBytes) {
    // The neighbours of the letter and digit ranges and the bytes that end
    // a URL or a CSS string must be escaped.
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"azAZ09-._~/:=,;!*'()", "azAZ09-._~/:=,;!*'()"},
        {"`{@[", "%60%7B%40%5B"},
        {"#%\"\\<> ?&+", "%23%25%22%5C%3C%3E%20%3F%26%2B"},
        {std::string("\x00\x7F\x80\xFF\n\t", 6), "%00%7F%80%FF%0A%09"},
    };
    for (const auto& [text, encoded] : cases) {
        EXPECT_EQ(PercentEncode(text), encoded) << text;
    }
}

TEST(ModernCssTest, RulesPaintTheClassicBarInItsColours) {
    const std::string css = BuildModernCss(CScrollBarModel(kColors));
    EXPECT_TRUE(css.starts_with("html {")) << "the root rule comes before the @supports block";
    const auto rules = RulesOf(css);
    const std::string face = Html(kColors[1]);
    const std::string light = Html(kColors[5]);
    const std::string dark = Html(kColors[3]);
    EXPECT_EQ(rules.at("html"), "\n  scrollbar-color: " + face + " " + Html(kColors[0]) + ";\n");
    const std::string& size = rules.at("::-webkit-scrollbar");
    EXPECT_NE(size.find("width: 17px;"), std::string::npos);
    EXPECT_NE(size.find("height: 17px;"), std::string::npos);
    const std::string& thumb =
        rules.at("::-webkit-scrollbar-thumb,\n  ::-webkit-scrollbar-button:single-button");
    EXPECT_NE(thumb.find("background-color: " + face + ";"), std::string::npos);
    EXPECT_NE(thumb.find("border: 1px solid;"), std::string::npos);
    EXPECT_NE(thumb.find("border-color: " + light + " " + dark + " " + dark + " " + light + ";"),
              std::string::npos);
    EXPECT_NE(thumb.find("box-shadow: inset 1px 1px " + Html(kColors[4]) + ", inset -1px -1px " +
                         Html(kColors[2]) + ";"),
              std::string::npos);
    EXPECT_EQ(rules.at("::-webkit-scrollbar-track"),
              "\n    background-color: " + Html(kColors[0]) + ";\n  ");
    EXPECT_EQ(rules.at("::-webkit-scrollbar-corner"), "\n    background-color: " + face + ";\n  ");
}

// Where each button square lies in a picture of the vertical bar in
// (0, 0, 17, 100) beside the horizontal bar in (17, 0, 100, 17), at scale 1.
struct CGlyphCase {
    const char* selector;
    int left;
    int top;
};

constexpr int kButtonSize = 17;
constexpr int kBarLength = 100;

constexpr CGlyphCase kGlyphCases[] = {
    {"::-webkit-scrollbar-button:single-button:vertical:decrement", 0, 0},
    {"::-webkit-scrollbar-button:single-button:vertical:increment", 0, kBarLength - kButtonSize},
    {"::-webkit-scrollbar-button:single-button:horizontal:decrement", kButtonSize, 0},
    {"::-webkit-scrollbar-button:single-button:horizontal:increment", kBarLength, 0},
};

// The pixels of the encoded SVG path "M l%20tH rV bH lZ..." in the button
// square.
std::set<std::pair<int, int>> GlyphPixels(const std::string& svg) {
    std::set<std::pair<int, int>> pixels;
    const std::regex strip(R"(M(\d+)%20(\d+)H(\d+)V(\d+)H\1Z)");
    for (auto match = std::sregex_iterator(svg.begin(), svg.end(), strip);
         match != std::sregex_iterator(); ++match) {
        for (int y = std::stoi((*match)[2]); y < std::stoi((*match)[4]); ++y) {
            for (int x = std::stoi((*match)[1]); x < std::stoi((*match)[3]); ++x) {
                pixels.insert({x, y});
            }
        }
    }
    return pixels;
}

TEST(ModernCssTest, ArrowGlyphsAreThePreviewsArrowsInTheArrowColour) {
    CScrollBarModel bar(kColors);
    CRasterSurface picture(kButtonSize + kBarLength, kBarLength);
    bar.DrawVertical(picture, 0, 0, kButtonSize, kBarLength);
    bar.DrawHorizontal(picture, kButtonSize, 0, kBarLength, kButtonSize);
    const auto rules = RulesOf(BuildModernCss(bar));
    const std::regex url(R"re(^\s*background-image: url\("data:image/svg\+xml,([^"]*)"\);\s*$)re");
    for (const CGlyphCase& glyph : kGlyphCases) {
        SCOPED_TRACE(glyph.selector);
        std::smatch match;
        const std::string& declarations = rules.at(glyph.selector);
        ASSERT_TRUE(std::regex_match(declarations, match, url)) << declarations;
        const std::string svg = match[1];
        EXPECT_EQ(svg.find_first_of("#<> \"\\"), std::string::npos) << svg;
        EXPECT_TRUE(svg.starts_with("%3Csvg%20xmlns='http://www.w3.org/2000/svg'")) << svg;
        EXPECT_NE(svg.find("fill='%23" + Html(kColors[6]).substr(1) + "'"), std::string::npos)
            << svg;
        const auto pixels = GlyphPixels(svg);
        EXPECT_EQ(pixels.size(), 9u);
        for (int y = 0; y < kButtonSize; ++y) {
            for (int x = 0; x < kButtonSize; ++x) {
                EXPECT_EQ(pixels.contains({x, y}),
                          picture.GetPixel(glyph.left + x, glyph.top + y) == kColors[6])
                    << "at (" << x << ", " << y << ")";
            }
        }
    }
}

} // namespace
