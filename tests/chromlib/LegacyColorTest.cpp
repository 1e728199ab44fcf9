// The HTML legacy colour rules: the texts CSS does not read still give the
// colour that a browser's bgcolor would.

#include "chromlib/LegacyColorParser.h"
#include "tests/chromlib/ColorTestHelpers.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

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
    testing::Values(
        TextCase{"chucknorris", 0xc00000}, TextCase{"ff0000", 0xff0000}, TextCase{"f00", 0x0f0000},
        TextCase{"#f00", 0xff0000}, TextCase{"#f0g", 0x0f0000}, TextCase{"#f0", 0x0f0000},
        TextCase{"fff0", 0xfff000}, TextCase{"#fffff", 0xfffff0}, TextCase{"#ff000", 0xff0000},
        TextCase{"re|sxluase", 0xe000e0}, TextCase{"+=@fnnwl!yb}5dk", 0x0000b0},
        TextCase{"#", 0x000000}, TextCase{"-", 0x000000}, TextCase{" ", 0x000000},
        TextCase{"#12345678901234567890", 0x128956}, TextCase{"123456789abcdef012345678", 0x129a12},
        TextCase{"123456789abcdef123456789abcdef", 0x34de89},
        TextCase{"0000000f0000000f0000000f", 0x0f0f0f}, TextCase{"rgb(255, 0, 0,)", 0x005500},
        TextCase{"red blue", 0xedb0e0}, TextCase{" LimE ", 0x00ff00},
        TextCase{"transparen", 0x0000e0}));

// Non-ASCII characters count as one character each (UTF-8 decoded), those
// outside the Basic Multilingual Plane as two, and invalid bytes (written in
// octal) as the replacement characters a decoder would give.
INSTANTIATE_TEST_SUITE_P(
    Characters, LegacyRules,
    testing::Values(TextCase{"tran\u017Fparent", 0x0000e0}, TextCase{"\u3042\u3042f", 0x00000f},
                    TextCase{"\U0001F600f", 0x00000f}, TextCase{"\377a\377", 0x000a00},
                    TextCase{"\343\201ab", 0x000a0b}, TextCase{"\355\240\200a", 0x000a00}));

TEST(LegacyRules, FailOnlyForEmptyAndTransparent) {
    for (const std::string_view text : {"", "transparent", "TrAnSpArEnT", " transparent\t"}) {
        EXPECT_FALSE(CLegacyColorParser::Parse(text).has_value()) << '"' << text << '"';
    }
}

// Only the first 128 characters count, and the two characters that stand
// for one outside the Basic Multilingual Plane are counted before the cut.
TEST(LegacyRules, CutTheTextTo128Characters) {
    const std::string zeros(126, '0');
    const std::vector<std::pair<std::string, std::uint32_t>> cases = {
        {zeros + "abcdef", 0x0000ab},
        {zeros + "\U0001F600f", 0x000000},
        {std::string(200, 'a'), 0xaaaaaa}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(Color(CLegacyColorParser::Parse(text).value_or(kWhite)), Color(Triplet(expected)))
            << text;
    }
}

} // namespace
