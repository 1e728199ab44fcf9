// The text rules under Shift-JIS, UTF-8 and a single-byte code page:
// stepping, searching, spans, lower-casing and trimming. Every table lists
// the edges of a byte range beside the bytes just outside it.

#include "text/MultiByte.h"
#include "tests/support/CodePageScope.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr int kSjis = multibyte::kShiftJis;
constexpr int kUtf8 = multibyte::kUtf8;
constexpr int kSingleByte = 1252;
constexpr std::size_t kNone = std::string_view::npos;

testing::Message Row(int codePage, const std::string& text) {
    return testing::Message() << "code page " << codePage << ", text "
                              << testing::PrintToString(text);
}

std::vector<std::size_t> CharLengths(std::string_view text) {
    std::vector<std::size_t> lengths;
    for (std::size_t at = 0; at < text.size(); at = multibyte::NextChar(text, at)) {
        lengths.push_back(multibyte::CharLength(text, at));
    }
    return lengths;
}

TEST(CodePageTest, StepsOverWholeCharactersAndStopsAtTheEnd) {
    const std::tuple<int, std::string, std::vector<std::size_t>> cases[] = {
        // "{", "}" and "b" as second bytes belong to their characters.
        {kSjis, "a\x82\x60\x81{\x81}\x82\x62", {1, 2, 2, 2, 2}},
        // Lead bytes 0x81-0x9F and 0xE0-0xFC, each beside its neighbour outside.
        {kSjis,
         "\x80\x40\x81\x40\x9f\x40\xa0\x40\xdf\x40\xe0\x40\xfc\x40\xfd\x40",
         {1, 1, 2, 2, 1, 1, 1, 1, 2, 2, 1, 1}},
        // Trail bytes 0x40-0x7E and 0x80-0xFC, likewise.
        {kSjis,
         "\x81\x3f\x81\x40\x81\x7e\x81\x7f\x81\x80\x81\xfc\x81\xfd",
         {1, 1, 2, 2, 1, 1, 2, 2, 1, 1}},
        // A lead byte before a byte that cannot trail it, or at the end, stands alone.
        {kSjis, "\x81;\x81:\x81/\x81*", {1, 1, 1, 1, 1, 1, 1, 1}},
        {kSjis, "ab\x82", {1, 1, 1}},
        // The shortest and longest sequence of each UTF-8 length and range.
        {kUtf8,
         "a\xc2\x80\xdf\xbf\xe0\xa0\x80\xed\x9f\xbf\xef\xbf\xbf\xf0\x90\x80\x80\xf4\x8f\xbf\xbf",
         {1, 2, 2, 3, 3, 3, 4, 4}},
        // Invalid UTF-8: stray continuations, overlong forms, a surrogate, code
        // points above U+10FFFF, and truncated sequences.
        {kUtf8, "\x80\xbf\xc1\xbf\xe0\x9f\xbf", {1, 1, 1, 1, 1, 1, 1}},
        {kUtf8, "\xed\xa0\x80\xf0\x8f\xbf\xbf", {1, 1, 1, 1, 1, 1, 1}},
        {kUtf8, "\xf4\x90\x80\x80\xf5\x80\x80\x80", {1, 1, 1, 1, 1, 1, 1, 1}},
        {kUtf8, "x\xe3\x81", {1, 1, 1}},
        {kUtf8, "\xf0\x9f", {1, 1}},
        {kSingleByte, "\x82\x60\xc3\xa9", {1, 1, 1, 1}},
    };
    for (const auto& [codePage, text, lengths] : cases) {
        const CodePageScope scope(codePage);
        SCOPED_TRACE(Row(codePage, text));
        EXPECT_EQ(CharLengths(text), lengths);
        EXPECT_EQ(multibyte::CharLength(text, text.size()), 0u);
    }
}

TEST(CodePageTest, FindsOnlyWholeCharacters) {
    // Code page, text, needle, where the search starts, where it finds the needle.
    const std::tuple<int, std::string, std::string, std::size_t, std::size_t> cases[] = {
        {kSjis, "\x81{{", "{", 0, 2},
        {kSjis, "\x81}x}", "}", 0, 3},
        {kSjis, "\x82\x62ody body", "body", 0, 6},
        // A match may neither end inside a character nor start inside one.
        {kSjis, "\x82\x60", "\x82", 0, kNone},
        {kSjis, ";\x82\x60", ";\x82", 0, kNone},
        {kSjis, "a\x82", "\x82", 0, 1},
        {kSjis, "abcabc", "abc", 1, 3},
        {kSjis, "abc", "", 3, 3},
        {kSjis, "abc", "abc", 4, kNone},
        {kUtf8, "\xc3\xa9{", "\xa9{", 0, kNone},
        {kUtf8, "\xc3\xa9", "\xc3", 0, kNone},
        {kUtf8, "\x81{", "\x81", 0, 0},
        {kSingleByte, "\x81{", "{", 0, 1},
    };
    for (const auto& [codePage, text, needle, from, expected] : cases) {
        const CodePageScope scope(codePage);
        SCOPED_TRACE(Row(codePage, text) << ", needle " << testing::PrintToString(needle));
        EXPECT_EQ(multibyte::FindString(text, needle, from), expected);
    }
}

// Two-byte needles are searched many positions at a time; a match must be
// found wherever it stands relative to those blocks, behind decoys that share
// its first byte and before a second match.
TEST(CodePageTest, FindsAPairAtEveryOffset) {
    constexpr std::size_t kLength = 70;
    for (const int codePage : {kSjis, kUtf8, kSingleByte}) {
        const CodePageScope scope(codePage);
        for (std::size_t offset = 0; offset + 2 <= kLength; ++offset) {
            SCOPED_TRACE(testing::Message() << "code page " << codePage << ", offset " << offset);
            const bool twice = offset + 4 <= kLength;
            std::string opener(kLength, '/');
            opener.replace(offset, twice ? 4 : 2, twice ? "/*/*" : "/*");
            EXPECT_EQ(multibyte::FindString(opener, "/*"), offset);
            EXPECT_EQ(multibyte::FindString(opener, "/*", offset + 1), twice ? offset + 2 : kNone);
            std::string closer(kLength, '*');
            closer.replace(offset, 2, "*/");
            EXPECT_EQ(multibyte::FindString(closer, "*/"), offset);
        }
    }
}

TEST(CodePageTest, SpansCountWholeCharacters) {
    // Code page, text, start, set, lengths of the runs in and not in the set.
    const std::tuple<int, std::string, std::size_t, std::string, std::size_t, std::size_t> cases[] =
        {
            {kSjis, "ab;c", 0, ";", 0, 2},
            {kSjis, "x;;", 1, ";", 2, 0},
            {kSjis, "a", 1, ";", 0, 0},
            // A trail byte is no delimiter of its own, nor is a character that
            // shares only its lead byte with one.
            {kSjis, "\x81{;", 0, "{", 0, 3},
            {kSjis, "\x82\x60\x82\x60;", 0, "\x82\x60", 4, 0},
            {kSjis, "\x82\x61\x82\x60", 0, "\x82\x60", 0, 2},
            {kUtf8, "\xc3\xa9:x", 0, ":", 0, 2},
        };
    for (const auto& [codePage, text, start, set, in, notIn] : cases) {
        const CodePageScope scope(codePage);
        SCOPED_TRACE(Row(codePage, text) << ", from " << start);
        EXPECT_EQ(multibyte::SpanIn(text, start, set), in);
        EXPECT_EQ(multibyte::SpanNotIn(text, start, set), notIn);
    }
}

TEST(CodePageTest, LowersCapitalsAsWholeCharacters) {
    const std::tuple<int, std::string, std::string> cases[] = {
        // Long enough for the ASCII block and the tail after it; "@" and "["
        // lie just outside A-Z.
        {kUtf8, "@AZ[`az{@AZ[`az{@AZ[`az{@AZ[`az{@AZ[", "@az[`az{@az[`az{@az[`az{@az[`az{@az["},
        // Full-width A and Z, and their neighbours outside the range.
        {kSjis, "\x82\x60\x82\x79", "\x82\x81\x82\x9a"},
        {kSjis, "\x82\x5f\x82\x7a", "\x82\x5f\x82\x7a"},
        // A letter as second byte is no letter of its own.
        {kSjis, "\x83\x41\x83Z", "\x83\x41\x83Z"},
        {kSjis, "A\x82", "a\x82"},
        {kUtf8, "\xef\xbc\xa1\xef\xbc\xba", "\xef\xbd\x81\xef\xbd\x9a"},
        {kUtf8, "\xef\xbc\xa0\xef\xbc\xbb\xc3\x89", "\xef\xbc\xa0\xef\xbc\xbb\xc3\x89"},
        // Full-width capitals belong to their own code page only.
        {kUtf8, "\x82\x60", "\x82\x60"},
        {kSingleByte, "\x82\x60\x41", "\x82\x60\x61"},
    };
    for (const auto& [codePage, text, expected] : cases) {
        const CodePageScope scope(codePage);
        SCOPED_TRACE(Row(codePage, text));
        EXPECT_EQ(multibyte::Lower(text), expected);
    }
}

TEST(CodePageTest, TrimsTheSixAsciiSpacesOnly) {
    const std::pair<std::string, std::string> cases[] = {
        {" \t\n\v\f\ra b \r\n", "a b"},
        {" \t ", ""},
        {"", ""},
        // Just outside the six (BS, SO, US, DEL), full-width spaces and NBSP.
        {"\x08x\x0e", "\x08x\x0e"},
        {"\x1fx\x7f", "\x1fx\x7f"},
        {" \x81\x40x\xe3\x80\x80 ", "\x81\x40x\xe3\x80\x80"},
        {"\xa0x\xa0", "\xa0x\xa0"},
        // A dangling lead byte is kept, so the space before it is not trailing.
        {"x \x82", "x \x82"},
    };
    for (const int codePage : {kSjis, kUtf8, kSingleByte}) {
        const CodePageScope scope(codePage);
        for (const auto& [text, expected] : cases) {
            SCOPED_TRACE(Row(codePage, text));
            EXPECT_EQ(multibyte::Trim(text), expected);
        }
    }
}

} // namespace
