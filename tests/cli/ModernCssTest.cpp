#include "cli/ModernCss.h"

#include "chromlib/Chromlib.h"
#include "preview/RasterSurface.h"
#include "preview/ScrollBarModel.h"
#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <algorithm>
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

std::string PercentDecode(const std::string& text) {
    std::string decoded;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '%' && at + 2 < text.size()) {
            decoded += static_cast<char>(std::stoi(text.substr(at + 1, 2), nullptr, 16));
            at += 2;
        } else {
            decoded += text[at];
        }
    }
    return decoded;
}

// The declarations of each rule, by selector, for a style sheet of plain
// rules; the selectors of a list share one entry under their joined text.
std::map<std::string, std::string> RulesOf(const std::string& css) {
    std::map<std::string, std::string> rules;
    std::size_t at = 0;
    for (std::size_t open = css.find('{', at); open != std::string::npos;
         open = css.find('{', at)) {
        const std::size_t close = css.find('}', open);
        std::string selector = css.substr(at, open - at);
        selector = std::regex_replace(selector, std::regex(R"(^\s+|\s+$)"), "");
        rules[selector] = css.substr(open + 1, close - open - 1);
        at = close + 1;
    }
    return rules;
}

// Splits the modern CSS into the rule before the @supports block and the
// rules inside it, checking that nothing else surrounds them.
std::pair<std::string, std::string> SplitAtSupports(const std::string& css) {
    const std::string opening = "@supports not (scrollbar-color: auto) {\n";
    const std::size_t start = css.find(opening);
    EXPECT_NE(start, std::string::npos);
    EXPECT_EQ(css.substr(css.size() - 2), "}\n");
    return {css.substr(0, start),
            css.substr(start + opening.size(), css.size() - 2 - start - opening.size())};
}

TEST(ModernCssTest, PercentEncodingKeepsOnlySafeBytes) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"abcXYZ019", "abcXYZ019"},
        {"-._~/:=,;!*'()", "-._~/:=,;!*'()"},
        {"#", "%23"},
        {"%", "%25"},
        {"<svg a='1'>", "%3Csvg%20a='1'%3E"},
        {"\"", "%22"},
        {"\\", "%5C"},
        {"?&+", "%3F%26%2B"},
        {std::string("\x00\x7F\x80\xFF", 4), "%00%7F%80%FF"},
        {"\n\t", "%0A%09"},
    };
    for (const auto& [text, encoded] : cases) {
        EXPECT_EQ(PercentEncode(text), encoded) << text;
        EXPECT_EQ(PercentDecode(encoded), text);
    }
}

TEST(ModernCssTest, RootRuleCarriesFaceOverTrack) {
    const CScrollBarModel bar(kColors);
    const auto [root, supported] = SplitAtSupports(BuildModernCss(bar));
    const auto rules = RulesOf(root);
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_EQ(rules.at("html"),
              "\n  scrollbar-color: " + Html(kColors[1]) + " " + Html(kColors[0]) + ";\n");
}

TEST(ModernCssTest, WebkitRulesPaintTheClassicBarInItsColours) {
    const CScrollBarModel bar(kColors);
    const auto rules = RulesOf(SplitAtSupports(BuildModernCss(bar)).second);
    const std::string face = Html(kColors[1]);
    const std::string track = Html(kColors[0]);
    const std::string light = Html(kColors[5]);
    const std::string dark = Html(kColors[3]);

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

    EXPECT_EQ(rules.at("::-webkit-scrollbar-track"), "\n    background-color: " + track + ";\n  ");
    EXPECT_EQ(rules.at("::-webkit-scrollbar-corner"), "\n    background-color: " + face + ";\n  ");
}

struct CGlyphCase {
    const char* selector;
    bool vertical;
    bool secondButton;
};

constexpr CGlyphCase kGlyphCases[] = {
    {"::-webkit-scrollbar-button:single-button:vertical:decrement", true, false},
    {"::-webkit-scrollbar-button:single-button:vertical:increment", true, true},
    {"::-webkit-scrollbar-button:single-button:horizontal:decrement", false, false},
    {"::-webkit-scrollbar-button:single-button:horizontal:increment", false, true},
};

// The pixels of the SVG path "M l tH rV bH lZ..." in a 17 x 17 square.
std::set<std::pair<int, int>> GlyphPixels(const std::string& svg) {
    std::set<std::pair<int, int>> pixels;
    const std::regex strip(R"(M(\d+) (\d+)H(\d+)V(\d+)H\1Z)");
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

// The arrow-coloured pixels of the preview's button at scale 1, relative to
// the button square.
std::set<std::pair<int, int>> PreviewArrowPixels(const CGlyphCase& glyph) {
    constexpr int kThickness = 17;
    constexpr int kLength = 100;
    CScrollBarModel bar(kColors);
    const int width = glyph.vertical ? kThickness : kLength;
    const int height = glyph.vertical ? kLength : kThickness;
    CRasterSurface surface(width, height);
    if (glyph.vertical) {
        bar.DrawVertical(surface, 0, 0, width, height);
    } else {
        bar.DrawHorizontal(surface, 0, 0, width, height);
    }
    const int originX = glyph.secondButton && !glyph.vertical ? kLength - kThickness : 0;
    const int originY = glyph.secondButton && glyph.vertical ? kLength - kThickness : 0;
    std::set<std::pair<int, int>> pixels;
    for (int y = 0; y < kThickness; ++y) {
        for (int x = 0; x < kThickness; ++x) {
            if (surface.GetPixel(originX + x, originY + y) == kColors[6]) {
                pixels.insert({x, y});
            }
        }
    }
    return pixels;
}

TEST(ModernCssTest, ArrowGlyphsAreThePreviewsArrowsInTheArrowColour) {
    const CScrollBarModel bar(kColors);
    const auto rules = RulesOf(SplitAtSupports(BuildModernCss(bar)).second);
    const std::regex url(R"re(^\s*background-image: url\("data:image/svg\+xml,([^"]*)"\);\s*$)re");
    for (const CGlyphCase& glyph : kGlyphCases) {
        SCOPED_TRACE(glyph.selector);
        std::smatch match;
        const std::string& declarations = rules.at(glyph.selector);
        ASSERT_TRUE(std::regex_match(declarations, match, url)) << declarations;
        const std::string encoded = match[1];
        EXPECT_EQ(encoded.find_first_of("#<> \"\\"), std::string::npos) << encoded;
        const std::string svg = PercentDecode(encoded);
        EXPECT_TRUE(svg.starts_with("<svg xmlns='http://www.w3.org/2000/svg'")) << svg;
        EXPECT_NE(svg.find("fill='" + Html(kColors[6]) + "'"), std::string::npos) << svg;
        const auto pixels = GlyphPixels(svg);
        EXPECT_EQ(pixels.size(), 9u);
        EXPECT_EQ(pixels, PreviewArrowPixels(glyph));
    }
}

TEST(ModernCssTest, EqualColoursStillFillEveryPlace) {
    const CScrollBarModel bar(
        {0x336699, 0x336699, 0x336699, 0x336699, 0x336699, 0x336699, 0x336699});
    const std::string css = BuildModernCss(bar);
    std::size_t count = 0;
    for (std::size_t at = css.find("#996633"); at != std::string::npos;
         at = css.find("#996633", at + 1)) {
        ++count;
    }
    // scrollbar-color 2, thumb 1, border 4, shadows 2, track 1, corner 1.
    EXPECT_EQ(count, 11u);
    EXPECT_EQ(std::count(css.begin(), css.end(), '{'), std::count(css.begin(), css.end(), '}'));
}

} // namespace
