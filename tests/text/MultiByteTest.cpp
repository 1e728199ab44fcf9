#include "text/MultiByte.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

using namespace std::string_literals;

namespace {

// Runs a test body under one code page and restores the one before.
class CodePageTest : public ::testing::Test {
protected:
    void Use(int codePage) { multibyte::SetCodePage(codePage); }
    void TearDown() override { multibyte::SetCodePage(m_saved); }

private:
    int m_saved = multibyte::GetCodePage();
};

std::vector<std::size_t> CharLengths(std::string_view text) {
    std::vector<std::size_t> lengths;
    for (std::size_t at = 0; at < text.size(); at = multibyte::NextChar(text, at)) {
        lengths.push_back(multibyte::CharLength(text, at));
    }
    return lengths;
}

using Lengths = std::vector<std::size_t>;

struct SteppingCase {
    int codePage;
    std::string text;
    Lengths lengths;
};

class Stepping : public CodePageTest, public ::testing::WithParamInterface<SteppingCase> {};

TEST_P(Stepping, CutsTheTextIntoCharacters) {
    Use(GetParam().codePage);
    EXPECT_EQ(CharLengths(GetParam().text), GetParam().lengths);
}

INSTANTIATE_TEST_SUITE_P(
    CodePages, Stepping,
    ::testing::Values(
        // Shift-JIS: lead plus trail is one character, whatever the trail byte looks like.
        SteppingCase{932, "a\x82\x60z", Lengths{1, 2, 1}},
        SteppingCase{932, "\x81{\x81}", Lengths{2, 2}},
        SteppingCase{932, "\x88\x9f\xe0\x40", Lengths{2, 2}},
        // Half-width katakana are single bytes.
        SteppingCase{932, "\xda\xc3\xde\xa8", Lengths{1, 1, 1, 1}},
        // A dangling lead byte at the very end is a character of its own.
        SteppingCase{932, "ab\x82", Lengths{1, 1, 1}},
        // A lead byte before a byte that cannot trail it stands alone.
        SteppingCase{932, "\x81;\x81:\x81/\x81*", Lengths{1, 1, 1, 1, 1, 1, 1, 1}},
        SteppingCase{932, "\xfd\xfe\xff\x80", Lengths{1, 1, 1, 1}},
        SteppingCase{65001, "a\xc3\xa9\xe3\x81\x82\xf0\x9f\x98\x80", Lengths{1, 2, 3, 4}},
        // Invalid UTF-8: stray continuation, overlong form, surrogate, truncated sequence.
        SteppingCase{65001, "\x80\xbf", Lengths{1, 1}},
        SteppingCase{65001, "\xc0\xaf", Lengths{1, 1}},
        SteppingCase{65001, "\xed\xa0\x80", Lengths{1, 1, 1}},
        SteppingCase{65001, "\xf4\x90\x80\x80", Lengths{1, 1, 1, 1}},
        SteppingCase{65001, "x\xe3\x81", Lengths{1, 1, 1}},
        // Any other code page is single-byte.
        SteppingCase{1252, "\x82\x60\xc3\xa9", Lengths{1, 1, 1, 1}}));

TEST_F(CodePageTest, StepsNeverPassTheEnd) {
    for (int codePage : {932, 65001, 1252}) {
        Use(codePage);
        for (const std::string& text : {"\x82"s, "\xe3"s, "\xf0\x9f"s, "a\x81"s, ""s}) {
            std::size_t at = 0;
            while (at < text.size()) {
                at = multibyte::NextChar(text, at);
            }
            EXPECT_EQ(at, text.size()) << codePage;
            EXPECT_EQ(multibyte::CharLength(text, text.size()), 0u);
        }
    }
}

struct FindCase {
    int codePage;
    std::string text;
    std::string needle;
    std::size_t from;
    std::size_t expected;
};

class Finding : public CodePageTest, public ::testing::WithParamInterface<FindCase> {};

TEST_P(Finding, MatchesOnlyWholeCharacters) {
    Use(GetParam().codePage);
    EXPECT_EQ(multibyte::FindString(GetParam().text, GetParam().needle, GetParam().from),
              GetParam().expected);
}

constexpr std::size_t kNone = std::string_view::npos;

INSTANTIATE_TEST_SUITE_P(
    CodePages, Finding,
    ::testing::Values(
        FindCase{932, "body{", "{", 0, 4},
        // The second byte of a double-byte character is never a brace or a letter.
        FindCase{932, "\x81{", "{", 0, kNone},
        FindCase{932, "\x81{{", "{", 0, 2},
        FindCase{932, "\x81}x}", "}", 0, 3},
        FindCase{932, "\x82\x62ody body", "body", 0, 6},
        FindCase{932, "tbody", "body", 0, 1},
        // A needle ending in a lead byte must not take half of a character.
        FindCase{932, "\x82\x60", "\x82", 0, kNone},
        FindCase{932, "a\x82", "\x82", 0, 1},
        FindCase{932, "abcabc", "abc", 1, 3},
        FindCase{932, "abc", "abc", 4, kNone},
        FindCase{932, "abc", "", 3, 3},
        FindCase{65001, "\xc3\xa9{", "{", 0, 2},
        FindCase{65001, "\xe3\x81\x82", "\x81", 0, kNone},
        FindCase{65001, "\x81{", "\x81", 0, 0},
        FindCase{1252, "\x81{", "{", 0, 1}));


// Two-byte needles are searched many positions at a time; a match must be
// found wherever it stands relative to those blocks, behind decoys that
// share its first byte.
TEST_F(CodePageTest, FindsAPairAtEveryOffset) {
    for (int codePage : {932, 65001, 1252}) {
        Use(codePage);
        for (std::size_t offset = 0; offset + 2 <= 70; ++offset) {
            std::string text(70, '/');
            text.replace(offset, 2, "/*");
            EXPECT_EQ(multibyte::FindString(text, "/*"), offset) << codePage;
            EXPECT_EQ(multibyte::FindString(text, "/*", offset + 1), kNone) << codePage;
            std::string closer(70, '*');
            closer.replace(offset, 2, "*/");
            EXPECT_EQ(multibyte::FindString(closer, "*/"), offset) << codePage;
        }
    }
}

struct SpanCase {
    int codePage;
    std::string text;
    std::size_t pos;
    std::string set;
    std::size_t in;
    std::size_t notIn;
};

class Spans : public CodePageTest, public ::testing::WithParamInterface<SpanCase> {};

TEST_P(Spans, CountWholeCharacters) {
    Use(GetParam().codePage);
    EXPECT_EQ(multibyte::SpanIn(GetParam().text, GetParam().pos, GetParam().set), GetParam().in);
    EXPECT_EQ(multibyte::SpanNotIn(GetParam().text, GetParam().pos, GetParam().set),
              GetParam().notIn);
}

INSTANTIATE_TEST_SUITE_P(CodePages, Spans,
                         ::testing::Values(SpanCase{932, ";;a;b", 0, ";", 2, 0},
                                           SpanCase{932, "ab;c", 0, ";", 0, 2},
                                           SpanCase{932, "x;;", 1, ";", 2, 0},
                                           // A trail byte is not a delimiter of its own.
                                           SpanCase{932, "\x81{;", 0, "{", 0, 3},
                                           SpanCase{932, "\x82\x60\x82\x60;", 0, "\x82\x60", 4, 0},
                                           SpanCase{932, "a", 1, ";", 0, 0},
                                           SpanCase{65001, "\xc3\xa9:x", 0, ":", 0, 2}));

struct LowerCase {
    int codePage;
    std::string text;
    std::string expected;
};

class Lowering : public CodePageTest, public ::testing::WithParamInterface<LowerCase> {};

TEST_P(Lowering, MapsCapitalsAsWholeCharacters) {
    Use(GetParam().codePage);
    EXPECT_EQ(multibyte::Lower(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    CodePages, Lowering,
    ::testing::Values(
        LowerCase{932, "BODY{Scrollbar-Face-Color:#FF0000}", "body{scrollbar-face-color:#ff0000}"},
        // Full-width A and Z, and their neighbours just outside the range.
        LowerCase{932, "\x82\x60\x82\x79", "\x82\x81\x82\x9a"},
        LowerCase{932, "\x82\x5f\x82\x7a", "\x82\x5f\x82\x7a"},
        // A letter as second byte is not a letter of its own.
        LowerCase{932, "\x83\x41\x83Z", "\x83\x41\x83Z"},
        LowerCase{932, "A\x82", "a\x82"},
        LowerCase{65001, "\xef\xbc\xa1\xef\xbc\xba", "\xef\xbd\x81\xef\xbd\x9a"},
        LowerCase{65001, "\xef\xbc\xa0\xef\xbc\xbb", "\xef\xbc\xa0\xef\xbc\xbb"},
        LowerCase{65001, "\xc3\x89", "\xc3\x89"},
        // Full-width capitals belong to their own code page only.
        LowerCase{1252, "\x82\x60" "AB", "\x82\x60" "ab"},
        LowerCase{65001, "\x82\x60", "\x82\x60"}));

struct TrimCase {
    std::string text;
    std::string expected;
};

class Trimming : public CodePageTest, public ::testing::WithParamInterface<TrimCase> {};

TEST_P(Trimming, RemovesTheSixAsciiSpacesOnly) {
    for (int codePage : {932, 65001}) {
        Use(codePage);
        EXPECT_EQ(multibyte::Trim(GetParam().text), GetParam().expected) << codePage;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Both, Trimming,
    ::testing::Values(TrimCase{" \t\n\v\f\rbody \r\n", "body"}, TrimCase{"a b", "a b"},
                      TrimCase{" \t ", ""}, TrimCase{"", ""},
                      // Full-width spaces (932 and UTF-8 forms) and NBSP are not white space.
                      TrimCase{"\x81\x40", "\x81\x40"}, TrimCase{"\xe3\x80\x80 ", "\xe3\x80\x80"},
                      TrimCase{"\xa0x\xa0", "\xa0x\xa0"},
                      // A dangling lead byte is kept, the space before it is not trailing.
                      TrimCase{"x \x82", "x \x82"}));

} // namespace
