// The colour library through its two entry points. HtmlColorToRgb tries CSS,
// then the legacy rules, then gives black, for any text at all; what
// RgbToHtmlColor writes it reads back unchanged, so that Copy followed by
// Paste gives the same colours.

#include "chromlib/Chromlib.h"
#include "chromlib/ColorSpaces.h"
#include "chromlib/CssColorParser.h"
#include "chromlib/LegacyColorParser.h"
#include "chromlib/NamedColors.h"
#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <limits>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr COLORREF kColorCount = 1u << 24;
// Odd and prime, so that the sample walks through every value of each
// channel rather than repeating a few.
constexpr COLORREF kStride = 251;
// A text and the colour it must give, 0xRRGGBB as in "#rrggbb".
struct TextCase {
    std::string_view text;
    std::uint32_t expected;
};
using Cases = std::vector<TextCase>;

constexpr COLORREF Triplet(std::uint32_t rrggbb) {
    return RgbColor((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
}

ColorValue Read(std::string_view text) {
    return Color(static_cast<COLORREF>(CChromlib::HtmlColorToRgb(std::string(text).c_str())));
}

// Lower-case hex, red first, the high byte no part of the colour; read
// back unchanged for white, the stride sample, every grey and every level
// of each pure channel.
TEST(RoundTrip, WritesLowerCaseHexThatReadsBackToTheSameColour) {
    EXPECT_EQ(CChromlib::RgbToHtmlColor(0x0ABCDE), "#debc0a");
    EXPECT_EQ(CChromlib::RgbToHtmlColor(0xFF123456), "#563412");
    std::vector<COLORREF> samples = {kColorCount - 1};
    for (COLORREF color = 0; color < kColorCount; color += kStride) {
        samples.push_back(color);
    }
    for (COLORREF level = 0; level <= 0xFF; ++level) {
        samples.insert(samples.end(), {level * 0x010101, level, level << 8, level << 16});
    }
    for (const COLORREF color : samples) {
        const std::string text = CChromlib::RgbToHtmlColor(color);
        ASSERT_EQ(Read(text), Color(color)) << text;
    }
}

// Each group of notations lists texts that CSS must accept beside texts it
// rejects, which must then read as the legacy rules say.
void ExpectNotation(const Cases& accepted, const std::vector<std::string_view>& rejected) {
    for (const auto& [text, expected] : accepted) {
        EXPECT_EQ(Read(text), Color(Triplet(expected))) << '"' << text << '"';
    }
    for (const std::string_view text : rejected) {
        EXPECT_FALSE(CCssColorParser::Parse(text).has_value()) << '"' << text << '"';
        EXPECT_EQ(Read(text), Color(CLegacyColorParser::Parse(text).value_or(kBlack)))
            << '"' << text << '"';
    }
}

// The X11 colour database (x11-common, which the end-to-end tests' X server
// brings) is an independent list of the same values: every colour name it
// shares with CSS has its value there, but for the few that CSS redefined.
TEST(CssNotation, NamedColoursAgreeWithTheX11Database) {
    std::ifstream database("/usr/share/X11/rgb.txt");
    ASSERT_TRUE(database) << "/usr/share/X11/rgb.txt (x11-common) is missing";
    const std::set<std::string> redefined = {"gray", "grey", "green", "maroon", "purple"};
    int compared = 0;
    for (std::string line; std::getline(database, line);) {
        std::istringstream fields(line);
        int red = 0;
        int green = 0;
        int blue = 0;
        std::string name;
        std::string more;
        // Comments and names of several words are passed over.
        if (!(fields >> red >> green >> blue >> name) || fields >> more) {
            continue;
        }
        std::ranges::transform(name, name.begin(), [](unsigned char c) { return std::tolower(c); });
        const std::optional<std::uint32_t> named = CNamedColors::FindNamed(name);
        if (named && !redefined.contains(name)) {
            EXPECT_EQ(Color(*named), Color(RgbColor(red, green, blue))) << name;
            ++compared;
        }
    }
    EXPECT_GE(compared, 130);
}

// Hex lengths just beside the four that are read, a bad digit in the
// colour and in the alpha. Names: the longest, any case, white space
// around; transparent is black, as the alpha is dropped; a CSS escape is
// not decoded. System colours follow the classic grey desktop scheme and
// come before the legacy rules, which read "window" as #000d00. Where both
// fail (the empty text), or there is no text, the library gives black.
TEST(CssNotation, HexAndNamesBeforeTheLegacyRulesElseBlack) {
    const Cases accepted = {
        {"#369", 0x336699},       {"#369f", 0x336699},       {"#336699", 0x336699},
        {"#33669900", 0x336699},  {"#FFCc99", 0xffcc99},     {"lightgoldenrodyellow", 0xfafad2},
        {"CyAn", 0x00ffff},       {"transparent", 0x000000}, {"  navy\t", 0x000080},
        {"buttonface", 0xd4d0c8}, {"linktext", 0x0000ff},    {"window", 0xffffff}};
    ExpectNotation(accepted, {"#", "#ff", "#fffff", "#fffffff", "#fffffffff", "#ffg", "#fffg",
                              "currentcolor", "darkbrown", "red blue", "re\\d", ""});
    EXPECT_EQ(CChromlib::HtmlColorToRgb(nullptr), kBlack);
}

TEST(CssNotation, Rgb) {
    const Cases accepted = {{"rgb(12.5%, 25%, 50%)", 0x204080},
                            {"rgb(0, 51, 255, 50%)", 0x0033ff},
                            {"rgb(0, 255, 0", 0x00ff00},
                            {"rgba( -0 ,\t255 , +0 , 1 )", 0x00ff00},
                            {"rgb(1e2, 2E1, .5)", 0x641401},
                            {"rgb(/* r */0, /* g */51, /* b */255)", 0x0033ff},
                            {"rgb(10% 51 40%)", 0x1a3366},
                            {"rgb(none 51 0 / none)", 0x003300},
                            {"rgb(10/* c */175/* c */10/100%)", 0x0aaf0a},
                            {"rgb(1+2+3)", 0x010203}};
    ExpectNotation(accepted,
                   {"rgb(0, 0)", "rgba(0, 0, 0, 0, 0)", "rgb(10%, 50%, 0)", "rgb(0, 0 0)",
                    "rgb(0, 0, 0deg)", "rgba(0, 0, 0, none)", "rgb(255, 0, 0,)", "rgba(255, 0, 0, ",
                    "rgb(255, 0, 0 / 1)", "rgb (0, 0, 0)", "rgb(0, 0, 0) x", "rgb(0 0 0 0)",
                    "rgb(0 0 0, 0)", "rgb(0 0 0 /)", "rgb(0 0 0 / 1deg)"});
}

// Hues wrap both ways and take the four angle units; lightness clamps. The
// comma syntax wants percentages and no none. Whiteness and blackness that
// reach 100% together give a grey.
TEST(CssNotation, HslAndHwb) {
    const Cases accepted = {{"hsl(780, 100%, 37.5%)", 0xbfbf00},
                            {"hsl(-300, 100%, 37.5%)", 0xbfbf00},
                            {"hsla(120, 75%, 50%, 0.25)", 0x20df20},
                            {"hsl(120 75 50)", 0x20df20},
                            {"hsl(none 100% 50%)", 0xff0000},
                            {"hsl(0 100% 150%)", 0xffffff},
                            {"hsl(180DEG 100% 50%)", 0x00ffff},
                            {"hsl(200grad 100% 50%)", 0x00ffff},
                            {"hsl(3.1415926rad 100% 50%)", 0x00ffff},
                            {"hsl(0.5turn 100% 50%)", 0x00ffff},
                            {"hwb(120 30% 50)", 0x4d804d},
                            {"hwb(90 50% 50% / 0.5)", 0x808080},
                            {"hwb(90 62.5% 50%)", 0x8e8e8e},
                            {"hwb(none none none)", 0xff0000}};
    ExpectNotation(accepted,
                   {"hsl(120, 100, 50%)", "hsl(120, 100%, 50)", "hsl(50%, 50%, 0%)",
                    "hsl(none, 100%, 50%)", "hsl(0 100% 50deg)", "hsl(120dg, 100%, 50%)",
                    "hsl(120 deg, 100%, 50%)", "hsl(1turns 100% 50%)", "hwb(90deg, 50%, 50%)",
                    "hwba(120 30% 50%)", "hwb(0 10deg 10%)", "hwb(0 10% 10deg)"});
}

TEST(CssNotation, Calc) {
    const Cases accepted = {{"rgb(calc(infinity) calc(-infinity) 0)", 0xff0000},
                            {"rgb(calc(100 + 28) calc(2 * 8) calc(1 / 2))", 0x801001},
                            // Not a number (NaN) gives 0.
                            {"rgb(calc(100 - 50) calc(infinity - infinity) 0)", 0x320000},
                            {"rgb(calc((1 + 2) * 3) calc(calc(2) * 5%) 0)", 0x091a00},
                            {"hsl(calc(0 / 0) 100% 50%)", 0xff0000},
                            {"hsl(calc(infinity) 100% 50%)", 0xff0000},
                            {"hsl(calc(60deg * 2) 100% 50%)", 0x00ff00},
                            {"hsl(calc(pi * 1rad) 100% 50%)", 0x00ffff},
                            {"rgb(calc(nan) calc(e * 10) 0)", 0x001b00}};
    ExpectNotation(accepted,
                   {"rgb(calc(1 +(2)) 0 0)", "rgb(calc(10% + 10) 0 0)", "rgb(calc(10% * 10%) 0 0)",
                    "rgb(calc(10 / 10%) 0 0)", "rgb(calc() 0 0)", "rgb(calc(foo) 0 0)",
                    "rgb(calc(1 + min(1)) 0 0)", "rgb(calc(2 * foo) 0 0)"});
}

// The priority mark belongs to the declaration; only a trailing one goes.
TEST(CssNotation, Important) {
    const Cases accepted = {{"red!important", 0xff0000},
                            {"#369 ! important", 0x336699},
                            {"ff0000 !important", 0xff0000},
                            {"!important", 0x000000}};
    ExpectNotation(accepted, {"red important", "!important red"});
}

// Channels are clamped, then rounded half-up from double precision: 127.5
// gives 128, the largest double below 0.5 gives 0, and 30% (76.5) gives 77,
// as lightness 50% gives 128; 49.999999% stays below.
TEST(CssNotation, Rounding) {
    const Cases accepted = {{"rgb(127.5 127.49999999999999 0.5)", 0x807f01},
                            {"rgb(0.49999999999999994 254.5 255.4)", 0x00ffff},
                            {"rgb(300 -0.5 -1e300)", 0xff0000},
                            {"rgb(30%, 10%, 70%)", 0x4d1ab3},
                            {"rgb(0.19% 0.2% 0.21%)", 0x000101},
                            {"rgb(1e400 -1e400 1e-400)", 0xff0000},
                            {"rgb(1E-400 1E400 0)", 0x00ff00},
                            {"hsl(0 0% 50%)", 0x808080},
                            {"hsl(0 0% 49.999999%)", 0x7f7f7f},
                            {"hsl(30 200% 50%)", 0xff8000},
                            {"hwb(0 20% 100%)", 0x2b2b2b}};
    ExpectNotation(accepted, {});
    // calc() already turns NaN into 0, so the conversions are fed it directly:
    // a channel or component that is not a number counts as 0.
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(CColorSpaces::ChannelFromScaled(kNaN), 0u);
    EXPECT_EQ(CColorSpaces::ChannelFromUnit(kNaN), 0u);
    EXPECT_EQ(CColorSpaces::FromHwb(0.0, kNaN, 0.5), CColorSpaces::Pack(128, 0, 0));
}

// The legacy rules alone and through the library, which reads these texts
// as CSS would, where CSS reads them at all.
void ExpectLegacy(const Cases& accepted, const std::vector<std::string_view>& failing) {
    for (const auto& [text, expected] : accepted) {
        EXPECT_EQ(Color(CLegacyColorParser::Parse(text).value_or(kWhite)), Color(Triplet(expected)))
            << '"' << text << '"';
        EXPECT_EQ(Read(text), Color(Triplet(expected))) << '"' << text << '"';
    }
    for (const std::string_view text : failing) {
        EXPECT_FALSE(CLegacyColorParser::Parse(text).has_value()) << '"' << text << '"';
    }
}

// Short hex needs "#" and exactly three digits; other text has its
// non-hex characters read as 0, is padded to three equal channels, keeps
// the last eight digits of each, drops leading zeros common to all three
// and reads two digits a channel. Only the empty text and transparent fail.
// Non-ASCII characters count as one character each (UTF-8 decoded), those
// outside the Basic Multilingual Plane as two, and invalid bytes (written in
// octal) as the replacement characters a decoder would give: one for a lone
// byte, one for a sequence cut short, one a byte for an encoded surrogate.
// Only the first 128 characters count, those two counted before the cut.
TEST(LegacyRules, KnownCasesCharactersAndTheCutAt128Characters) {
    const std::string zeros(126, '0');
    const std::string cut[] = {zeros + "abcdef", zeros + "\U0001F600f", std::string(200, 'a')};
    const Cases accepted = {{"chucknorris", 0xc00000}, {"ff0000", 0xff0000},
                            {"f00", 0x0f0000},         {"#f00", 0xff0000},
                            {"#f0g", 0x0f0000},        {"#fffff", 0xfffff0},
                            {" ", 0x000000},           {" LimE ", 0x00ff00},
                            {"transparen", 0x0000e0},  {"\u3042\u3042f", 0x00000f},
                            {"\U0001F600f", 0x00000f}, {"\377a\377", 0x000a00},
                            {"\343\201ab", 0x000a0b},  {"\355\240\200ab", 0x000ab0},
                            {cut[0], 0x0000ab},        {cut[1], 0x000000},
                            {cut[2], 0xaaaaaa}};
    ExpectLegacy(accepted, {"", "transparent", "TrAnSpArEnT", " transparent\t"});
    ExpectLegacy(
        {{"123456789abcdef123456789abcdef", 0x34de89}, {"0000000f0000000f0000000f", 0x0f0f0f}}, {});
}

// No text may crash the library, make it read past the text's end or cost
// more than linear time; every text gives some colour. Run under the
// sanitizers, these also catch reads beyond the terminating NUL.
constexpr std::size_t kLongText = 1 << 20;

// The text in a heap block of exactly its size, so that a read past the
// NUL is a read past the block.
COLORREF ReadExact(const std::string& text) {
    const auto buffer = std::make_unique<char[]>(text.size() + 1);
    text.copy(buffer.get(), text.size());
    buffer[text.size()] = '\0';
    return static_cast<COLORREF>(CChromlib::HtmlColorToRgb(buffer.get()));
}

// A megabyte of each kind of repetition: a quadratic step or unbounded
// recursion in any parser would hang or overflow the stack here; nesting
// deeper than calc() allows is rejected rather than recursed into.
TEST(Robustness, LongAndDeepTextsFinishAndGiveAColour) {
    const auto repeated = [](std::string_view piece) {
        std::string text;
        while (text.size() < kLongText) {
            text += piece;
        }
        return text;
    };
    for (const std::string_view piece : {"(", "calc(", "/*", "1", "1e", "#", "a", "\xff",
                                         "\xf0\x9f\x98\x80", " ", "1 + ", "(1 * ", "!important"}) {
        EXPECT_EQ(ReadExact(repeated(piece)) >> 24, 0u) << piece;
    }
    // Digits that overflow to the top channel; zeros that outweigh the exponent.
    EXPECT_EQ(Color(ReadExact("rgb(" + repeated("9") + ", 0, 0)")), Color(RgbColor(255, 0, 0)));
    EXPECT_EQ(Color(ReadExact("rgb(0." + repeated("0") + "1e999999, 0, 0)")), Color(kBlack));
    const auto nested = [](int levels) {
        std::string text = "rgb(";
        for (int level = 0; level < levels; ++level) {
            text += "calc(";
        }
        return text + "255" + std::string(levels, ')') + " 0 0)";
    };
    EXPECT_EQ(Color(ReadExact(nested(30))), Color(RgbColor(255, 0, 0)));
    EXPECT_FALSE(CCssColorParser::Parse(nested(100000)).has_value());
}

} // namespace
