// Every CSS notation the library reads, each group listing texts it must
// accept beside texts that CSS rejects, which fall to the legacy rules.

#include "chromlib/CssColorParser.h"
#include "chromlib/LegacyColorParser.h"
#include "tests/chromlib/ColorTestHelpers.h"

#include <gtest/gtest.h>

namespace {

class AcceptedCss : public testing::TestWithParam<TextCase> {};

TEST_P(AcceptedCss, GivesTheColour) {
    EXPECT_EQ(Read(GetParam().text), Color(Triplet(GetParam().expected)));
}

class RejectedCss : public testing::TestWithParam<std::string_view> {};

TEST_P(RejectedCss, FallsToTheLegacyRules) {
    const std::string_view text = GetParam();
    EXPECT_FALSE(CCssColorParser::Parse(text).has_value());
    EXPECT_EQ(Read(text), Color(CLegacyColorParser::Parse(text).value_or(kBlack)));
}

INSTANTIATE_TEST_SUITE_P(Hex, AcceptedCss,
                         testing::Values(TextCase{"#369", 0x336699}, TextCase{"#369f", 0x336699},
                                         TextCase{"#336699", 0x336699},
                                         TextCase{"#33669900", 0x336699},
                                         TextCase{"#FFCc99", 0xffcc99}));
INSTANTIATE_TEST_SUITE_P(Hex, RejectedCss,
                         testing::Values("#", "#ff", "#fffff", "#fffffff", "#fffffffff", "#ffg",
                                         "#fffg", "#fffffg", "#fffffffg", "# fff", "#ff\xc3\xa9",
                                         "#fff fff"));

INSTANTIATE_TEST_SUITE_P(
    Keywords, AcceptedCss,
    testing::Values(TextCase{"red", 0xff0000}, TextCase{"rebeccapurple", 0x663399},
                    TextCase{"grey", 0x808080}, TextCase{"darkslategrey", 0x2f4f4f},
                    TextCase{"lightgoldenrodyellow", 0xfafad2}, TextCase{"CyAn", 0x00ffff},
                    TextCase{"transparent", 0x000000}, TextCase{"  navy\t", 0x000080}));
INSTANTIATE_TEST_SUITE_P(Keywords, RejectedCss,
                         testing::Values("currentcolor", "darkbrown", "firebrick1", "red blue",
                                         "\"red\"", "re\\d", "-red", "top"));

// The classic grey desktop scheme.
INSTANTIATE_TEST_SUITE_P(
    SystemColours, AcceptedCss,
    testing::Values(TextCase{"buttonface", 0xd4d0c8}, TextCase{"buttonshadow", 0x808080},
                    TextCase{"buttonhighlight", 0xffffff}, TextCase{"threeddarkshadow", 0x404040},
                    TextCase{"threedface", 0xd4d0c8}, TextCase{"threedshadow", 0x808080},
                    TextCase{"threedhighlight", 0xffffff}, TextCase{"threedlightshadow", 0xd4d0c8},
                    TextCase{"scrollbar", 0xd4d0c8}, TextCase{"window", 0xffffff},
                    TextCase{"windowtext", 0x000000}, TextCase{"windowframe", 0x000000},
                    TextCase{"activecaption", 0x0a246a}, TextCase{"inactivecaption", 0x808080},
                    TextCase{"highlight", 0x0a246a}, TextCase{"highlighttext", 0xffffff},
                    TextCase{"graytext", 0x808080}, TextCase{"menu", 0xd4d0c8},
                    TextCase{"menutext", 0x000000}, TextCase{"infobackground", 0xffffe1},
                    TextCase{"infotext", 0x000000}, TextCase{"activeborder", 0xd4d0c8},
                    TextCase{"inactiveborder", 0xd4d0c8}, TextCase{"appworkspace", 0x808080},
                    TextCase{"background", 0x3a6ea5}, TextCase{"buttontext", 0x000000},
                    TextCase{"captiontext", 0xffffff}, TextCase{"inactivecaptiontext", 0xd4d0c8},
                    TextCase{"canvas", 0xffffff}, TextCase{"canvastext", 0x000000},
                    TextCase{"field", 0xffffff}, TextCase{"fieldtext", 0x000000},
                    TextCase{"buttonborder", 0x808080}, TextCase{"linktext", 0x0000ff}));

INSTANTIATE_TEST_SUITE_P(
    RgbCommas, AcceptedCss,
    testing::Values(TextCase{"rgb(0, 51, 102)", 0x003366}, TextCase{"rgb(0\t, 51 ,255)", 0x0033ff},
                    TextCase{"rgb(12.5%, 25%, 50%)", 0x204080},
                    TextCase{"rgba(0, 51, 255, 0.5)", 0x0033ff},
                    TextCase{"rgba(0%, 20%, 100%, 37)", 0x0033ff},
                    TextCase{"rgb(0, 51, 255, 50%)", 0x0033ff}, TextCase{"rgb(0, 255, 0", 0x00ff00},
                    TextCase{"rgba( -0 , 255 , +0 , 1 )", 0x00ff00},
                    TextCase{"rgb(1e2, 2E1, .5)", 0x641401},
                    TextCase{"rgb(/* r */0, /* g */51, /* b */255)", 0x0033ff}));
INSTANTIATE_TEST_SUITE_P(RgbCommas, RejectedCss,
                         testing::Values("rgb()", "rgb(0, 0)", "rgb(10%, 50%, 0)", "rgb(0, 0 0)",
                                         "rgb(0, 0, 0deg)", "rgb(none, 0, 0)", "rgb(255, 0, 0,)",
                                         "rgba(255, 0, 0, ", "rgba(255, 0, 0, 1.)",
                                         "rgb(255, - 1, 0)", "rgba(0, 0, 0, 0, 0)",
                                         "rgb(255, 0, 0 / 1)", "rgba(0, 0, 0, none)",
                                         "rgb (0, 0, 0)", "rgb(0, 0, 0) x", "rgb(1px, 2, 3)"));

INSTANTIATE_TEST_SUITE_P(RgbSpaces, AcceptedCss,
                         testing::Values(TextCase{"rgb(0 51 102)", 0x003366},
                                         TextCase{"rgb(10% 51 40%)", 0x1a3366},
                                         TextCase{"rgb(0 51 102 / 0.5)", 0x003366},
                                         TextCase{"rgb(0 51 102 / 50%)", 0x003366},
                                         TextCase{"rgb(0 51 102/none)", 0x003366},
                                         TextCase{"rgb(none 51 none)", 0x003300},
                                         TextCase{"rgb(10/* c */175/* c */10/100%)", 0x0aaf0a},
                                         TextCase{"rgb(1+2+3)", 0x010203},
                                         TextCase{"rgb(257 -30 40)", 0xff0028}));
INSTANTIATE_TEST_SUITE_P(RgbSpaces, RejectedCss,
                         testing::Values("rgb(0 0 0 0)", "rgb(0 0)", "rgb(0 0, 0 0)",
                                         "rgb(0 0 0, 0)", "rgb(0 0 0 /)", "rgb(0 0 0 / 0 0)",
                                         "rgb(0 0 0 / 1deg)", "rgb(0 0 0deg)"));

INSTANTIATE_TEST_SUITE_P(
    Hsl, AcceptedCss,
    testing::Values(
        TextCase{"hsl(0, 100%, 50%)", 0xff0000}, TextCase{"hsl(120, 100%, 25%)", 0x008000},
        TextCase{"hsl(60, 100%, 37.5%)", 0xbfbf00}, TextCase{"hsl(780, 100%, 37.5%)", 0xbfbf00},
        TextCase{"hsl(-300, 100%, 37.5%)", 0xbfbf00},
        TextCase{"hsla(120, 75%, 50%, 0.25)", 0x20df20}, TextCase{"hsl(120 75% 50%)", 0x20df20},
        TextCase{"hsl(120 75 50)", 0x20df20}, TextCase{"hsl(120 75% 50% / 0)", 0x20df20},
        TextCase{"hsl(none 100% 50%)", 0xff0000}, TextCase{"hsl(120 none 50%)", 0x808080},
        TextCase{"hsl(0 100% 150%)", 0xffffff}, TextCase{"hsl(360120, 100%, 50%)", 0x00ff00}));
INSTANTIATE_TEST_SUITE_P(Hsl, RejectedCss,
                         testing::Values("hsl()", "hsl(0, 0%)", "hsl(10, 50%, 0)",
                                         "hsl(50%, 50%, 0%)", "hsl(0, 0% 0%)",
                                         "hsl(none, 100%, 50%)", "hsla(120, 100%, 50%, none)",
                                         "hsl(0 100% 50%, 1)", "hsl(0, 100%, 50% / 1)",
                                         "hsl(1px 100% 50%)", "hsl(0 100% 50deg)"));

INSTANTIATE_TEST_SUITE_P(HueUnits, AcceptedCss,
                         testing::Values(TextCase{"hsl(120deg, 100%, 50%)", 0x00ff00},
                                         TextCase{"hsl(133.33333333grad, 100%, 50%)", 0x00ff00},
                                         TextCase{"hsl(2.0943951024rad, 100%, 50%)", 0x00ff00},
                                         TextCase{"hsl(0.3333333333turn, 100%, 50%)", 0x00ff00},
                                         TextCase{"hsl(120DEG 100% 50%)", 0x00ff00},
                                         TextCase{"hwb(0.5turn 0% 0%)", 0x00ffff}));
INSTANTIATE_TEST_SUITE_P(HueUnits, RejectedCss,
                         testing::Values("hsl(120dg, 100%, 50%)", "hsl(120 deg, 100%, 50%)",
                                         "hsl(1turns 100% 50%)"));

INSTANTIATE_TEST_SUITE_P(Hwb, AcceptedCss,
                         testing::Values(TextCase{"hwb(0 0% 0%)", 0xff0000},
                                         TextCase{"hwb(120 30% 50%)", 0x4d804d},
                                         TextCase{"hwb(120 30 50)", 0x4d804d},
                                         TextCase{"hwb(90 50% 50% / 0.5)", 0x808080},
                                         TextCase{"hwb(90 62.5% 50%)", 0x8e8e8e},
                                         TextCase{"hwb(0 100% 100%)", 0x808080},
                                         TextCase{"hwb(none none none)", 0xff0000},
                                         TextCase{"hwb(320deg 30% 40%)", 0x994d80}));
INSTANTIATE_TEST_SUITE_P(Hwb, RejectedCss,
                         testing::Values("hwb(90deg, 50%, 50%)", "hwb(90, 50%, 50%, 0.2)",
                                         "hwba(120 30% 50%)", "hwb(120 30%)",
                                         "hwb(120 30% 50% 1)"));

INSTANTIATE_TEST_SUITE_P(Calc, AcceptedCss,
                         testing::Values(TextCase{"rgb(calc(infinity), 0, 0)", 0xff0000},
                                         TextCase{"rgb(0 calc(-infinity) 0)", 0x000000},
                                         TextCase{"rgb(calc(100 + 28) calc(2 * 8) calc(1 / 2))",
                                                  0x801001},
                                         TextCase{"rgb(calc(50%) 0 0)", 0x800000},
                                         TextCase{"rgb(calc((1 + 2) * 3) 0 0)", 0x090000},
                                         TextCase{"rgb(calc(calc(2) * 5%) 0 0)", 0x1a0000},
                                         TextCase{"hsl(calc(0 / 0) 100% 50%)", 0xff0000},
                                         TextCase{"hsl(calc(infinity) 100% 50%)", 0xff0000},
                                         TextCase{"hsl(calc(60deg * 2) 100% 50%)", 0x00ff00},
                                         TextCase{"hsl(calc(pi * 1rad) 100% 50%)", 0x00ffff},
                                         TextCase{"hwb(90 20% 10% / calc(infinity))", 0x8ce633}));
INSTANTIATE_TEST_SUITE_P(Calc, RejectedCss,
                         testing::Values("rgb(calc(1+2) 0 0)", "rgb(calc(1 +2) 0 0)",
                                         "rgb(calc(1 +(2)) 0 0)", "rgb(calc(10% + 10) 0 0)",
                                         "rgb(calc(10% * 10%) 0 0)", "rgb(calc(10 / 10%) 0 0)",
                                         "rgb(calc() 0 0)", "rgb(calc(foo) 0 0)",
                                         "rgb(calc(1deg) 0 0)", "hsl(calc(10%) 100% 50%)"));

// The priority mark belongs to the declaration; only a trailing one goes.
INSTANTIATE_TEST_SUITE_P(Important, AcceptedCss,
                         testing::Values(TextCase{"red !important", 0xff0000},
                                         TextCase{"red!important", 0xff0000},
                                         TextCase{"#369 ! important", 0x336699},
                                         TextCase{"rgb(0 51 102) !important", 0x003366},
                                         TextCase{"ff0000 !important", 0xff0000},
                                         TextCase{"!important", 0x000000}));
INSTANTIATE_TEST_SUITE_P(Important, RejectedCss,
                         testing::Values("red important", "!important red", "red !imp"));

// Channels are clamped, then rounded half-up from double precision: 127.5
// gives 128, the largest double below 0.5 gives 0, and 50% (127.5) gives 128.
INSTANTIATE_TEST_SUITE_P(
    Rounding, AcceptedCss,
    testing::Values(
        TextCase{"rgb(127.5 127.49999999999999 0.5)", 0x807f01},
        TextCase{"rgb(0.49999999999999994 254.5 255.4)", 0x00ffff},
        TextCase{"rgb(300 -0.5 -1e300)", 0xff0000}, TextCase{"rgb(50%, 50%, 50%)", 0x808080},
        TextCase{"rgb(30%, 10%, 70%)", 0x4d1ab3}, TextCase{"rgb(49.99% 0% 0%)", 0x7f0000},
        TextCase{"rgb(0.19% 0.2% 0.21%)", 0x000101}, TextCase{"rgb(-12%, 110%, 1400%)", 0x00ffff},
        TextCase{"rgb(-2147483649, 4294967298, -18446744073709551619)", 0x00ff00},
        TextCase{"rgb(1e400 -1e400 1e-400)", 0xff0000},
        TextCase{"rgb(0.00000000000000000000000001e400 1 1)", 0xff0101},
        TextCase{"hsl(0 0% 50%)", 0x808080}, TextCase{"hsl(0 0% 49.999999%)", 0x7f7f7f},
        TextCase{"hsl(300, 50%, 50%)", 0xbf40bf}, TextCase{"hsl(10 100% 50%)", 0xff2b00},
        TextCase{"hsl(120, -200%, 49.9%)", 0x7f7f7f}, TextCase{"hsl(30 200% 50%)", 0xff8000},
        TextCase{"hwb(90 12.5% 50%)", 0x508020}, TextCase{"hwb(0 20% 100%)", 0x2b2b2b},
        TextCase{"hwb(0 -20% 0%)", 0xff0000}));

} // namespace
