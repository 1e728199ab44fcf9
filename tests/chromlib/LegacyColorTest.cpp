// The HTML legacy colour rules: the texts CSS does not read still give the
// colour that a browser's bgcolor would.

#include "chromlib/LegacyColorParser.h"
#include "tests/chromlib/ColorTestHelpers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class LegacyRules : public testing::TestWithParam<TextCase> {};

TEST_P(LegacyRules, GiveTheColour) {
    const std::optional<COLORREF> parsed = CLegacyColorParser::Parse(GetParam().text);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(Color(*parsed), Color(Triplet(GetParam().expected)));
    EXPECT_EQ(Read(GetParam().text), Color(Triplet(GetParam().expected)));
}

INSTANTIATE_TEST_SUITE_P(
    KnownCases, LegacyRules,
    testing::Values(TextCase{"chucknorris", 0xc00000}, TextCase{"ff0000", 0xff0000},
                    TextCase{"336699", 0x336699}, TextCase{"f00", 0x0f0000},
                    TextCase{"#f0", 0x0f0000}, TextCase{"fff0", 0xfff000},
                    TextCase{"#fffff", 0xfffff0}, TextCase{"#ff000", 0xff0000},
                    TextCase{"re|sxluase", 0xe000e0}, TextCase{"+=@fnnwl!yb}5dk", 0x0000b0},
                    TextCase{"#", 0x000000}, TextCase{"-", 0x000000},
                    TextCase{"#12345678901234567890", 0x128956},
                    TextCase{"123456789abcdef012345678", 0x129a12},
                    TextCase{"123456789abcdef123456789abcdef", 0x34de89},
                    TextCase{"0000000f0000000f0000000f", 0x0f0f0f},
                    TextCase{"rgb(255, 0, 0,)", 0x005500}, TextCase{"red blue", 0xedb0e0}));

// Non-ASCII characters count as one character each (UTF-8 decoded); those
// outside the Basic Multilingual Plane as two; invalid bytes as the
// replacement characters a decoder would give.
INSTANTIATE_TEST_SUITE_P(Characters, LegacyRules,
                         testing::Values(TextCase{"tran\xc5\xbfparent", 0x0000e0}, // long s, U+017F
                                         TextCase{"\xe3\x81\x82\xe3\x81\x82"
                                                  "f",
                                                  0x00000f},
                                         TextCase{"\xf0\x9f\x98\x80"
                                                  "f",
                                                  0x00000f},
                                         TextCase{"\xff"
                                                  "a"
                                                  "\xff",
                                                  0x000a00},
                                         TextCase{"\xe3\x81"
                                                  "ab",
                                                  0x000a0b},
                                         TextCase{"\xed\xa0\x80"
                                                  "a",
                                                  0x000a00}));

TEST(LegacyRules, FailOnlyForEmptyAndTransparent) {
    EXPECT_FALSE(CLegacyColorParser::Parse("").has_value());
    EXPECT_FALSE(CLegacyColorParser::Parse("transparent").has_value());
    EXPECT_FALSE(CLegacyColorParser::Parse("TrAnSpArEnT").has_value());
    EXPECT_FALSE(CLegacyColorParser::Parse(" transparent\t").has_value());
    EXPECT_TRUE(CLegacyColorParser::Parse("transparen").has_value());
    EXPECT_TRUE(CLegacyColorParser::Parse(" ").has_value());
}

TEST(LegacyRules, ReadNamedColoursAndExactShortHex) {
    EXPECT_EQ(Color(CLegacyColorParser::Parse("Window").value()), Color(Triplet(0x000d00)));
    EXPECT_EQ(Color(CLegacyColorParser::Parse(" LimE ").value()), Color(Triplet(0x00ff00)));
    EXPECT_EQ(Color(CLegacyColorParser::Parse("#f00").value()), Color(Triplet(0xff0000)));
    EXPECT_EQ(Color(CLegacyColorParser::Parse("#f0g").value()), Color(Triplet(0x0f0000)));
}

// Only the first 128 characters count; the text is not read any further.
TEST(LegacyRules, CutTheTextTo128Characters) {
    const std::string kept = std::string(126, '0') + "ab";
    EXPECT_EQ(Color(CLegacyColorParser::Parse(kept + "cdef").value()),
              Color(CLegacyColorParser::Parse(kept).value()));
    // The replacement comes first: "00" fills the last two places and the
    // "f" after it is cut off.
    const std::string astral = std::string(126, '0') + "\xf0\x9f\x98\x80" + "f";
    EXPECT_EQ(Color(CLegacyColorParser::Parse(astral).value()), Color(Triplet(0x000000)));
    EXPECT_EQ(Color(CLegacyColorParser::Parse(std::string(200, 'a')).value()),
              Color(Triplet(0xaaaaaa)));
}

// The library reads CSS first: a system colour name is a CSS colour, not
// legacy text, and the empty text and "transparent" give black.
TEST(Fallback, CssComesBeforeTheLegacyRules) {
    EXPECT_EQ(Read("window"), Color(Triplet(0xffffff)));
    EXPECT_EQ(Read(""), Color(kBlack));
    EXPECT_EQ(Read("transparent"), Color(kBlack));
    EXPECT_EQ(CChromlib::HtmlColorToRgb(nullptr), kBlack);
}

} // namespace
