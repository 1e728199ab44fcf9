// The reader's rules, grouped by behaviour. Every lookup table lists texts
// that must yield a value beside texts that must yield nothing ("").

#include "css/CssSource.h"
#include "tests/support/CodePageScope.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr const char* kFace = "scrollbar-face-color";

void ExpectFaceValue(int codePage, const char* css, const char* expected) {
    const CodePageScope scope(codePage);
    EXPECT_EQ(CCssSource(css).GetPropertyValue(kFace), expected)
        << "code page " << codePage << ", css " << testing::PrintToString(css);
}

// Each row's face colour value, under both code pages, which the reader must
// handle alike for ASCII text.
void ExpectLookups(const std::vector<std::pair<const char*, const char*>>& cases) {
    for (const int codePage : {multibyte::kShiftJis, multibyte::kUtf8}) {
        for (const auto& [css, expected] : cases) {
            ExpectFaceValue(codePage, css, expected);
        }
    }
}

// Comments go first; the rest is then lower-cased and trimmed.
TEST(CssSourceComments, StripCommentsThenNormalise) {
    // Each row: the input, the input without its comments, the normalised text.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"a/*x*/b/**/c", "abc", "abc"},
        // "/*/" opens a comment; its star cannot also close it.
        {"a/*/b*/c", "ac", "ac"},
        // Unterminated: the opener and everything after it go.
        {"a/*x*//*y", "a", "a"},
        // No nesting: the first closer ends the comment.
        {"a/*x/*y*/z*/", "az*/", "az*/"},
        {"a*/b/ *c* /d", "a*/b/ *c* /d", "a*/b/ *c* /d"},
        {" \t\r\n\v\f", " \t\r\n\v\f", ""},
        {"/*x*/ \tBODY /*x*/ { A:B } /*", " \tBODY  { A:B } ", "body  { a:b }"},
    };
    for (const auto& [input, stripped, text] : cases) {
        SCOPED_TRACE(testing::PrintToString(input));
        CString copy = input;
        CCssSource::StripComments(copy);
        EXPECT_EQ(copy, stripped);
        EXPECT_EQ(CCssSource(input).GetText(), text);
    }
}

TEST(CssSourceComments, CommentsGoBeforeTheRuleIsRead) {
    ExpectLookups({
        {"BODY{scrollbar-face-/**/color:/*c*/r/*c*/ed}", "red"},
        {"/* BODY{scrollbar-face-color:blue} */BODY{scrollbar-face-color:red}", "red"},
        // BODY only inside a comment.
        {"/*body{scrollbar-face-color:blue}*/p{scrollbar-face-color:red}", ""},
        // An unterminated comment in the block takes its "}" with it.
        {"BODY{scrollbar-face-color:red/*}", ""},
    });
}

TEST(CssSourceSelector, FirstOccurrenceAnywhereWins) {
    ExpectLookups({
        {"TBODY{scrollbar-face-color:red}BODY{scrollbar-face-color:blue}", "red"},
        {"TBODY{scrollbar-face-color:red}", "red"},
        {"html, body {scrollbar-face-color:red}", "red"},
        {"body.main{scrollbar-face-color:red}", "red"},
        // A "{" inside the block has no meaning; the first "}" ends it.
        {"BODY{scrollbar-face-color:red{x}", "red{x"},
        // Only the first rule is ever read.
        {"BODY{scrollbar-arrow-color:blue}BODY{scrollbar-face-color:red}", ""},
        {"p{scrollbar-face-color:red}", ""},
        {"BODY scrollbar-face-color:red}", ""},
        {"{scrollbar-face-color:red}BODY{", ""},
        {"BODY{;;;}", ""},
    });
}

// Declarations by index in the first rule of any selector, trimmed; a blank
// one still counts, none comes before the first or after the last.
TEST(CssSourceTokenizing, DeclarationsByIndex) {
    const CCssSource source("p { a:1 ;; b:2 ; ; c:3 } BODY{ x:1; Y:2 }");
    const std::tuple<const char*, std::int32_t, const char*> cases[] = {
        {"P", 0, "a:1"}, {"p", 2, ""},       {"p", 3, "c:3"}, {"p", 4, ""},
        {"p", -1, ""},   {"BODY", 1, "y:2"}, {"q", 0, ""}};
    for (const auto& [selector, index, expected] : cases) {
        EXPECT_EQ(source.GetDeclaration(selector, index), expected) << selector << " " << index;
    }
}

TEST(CssSourceTokenizing, DeclarationsAndNames) {
    ExpectLookups({
        {"BODY{;;scrollbar-arrow-color:blue;;scrollbar-face-color:red;;}", "red"},
        {"BODY{::scrollbar-face-color::red}", "red"},
        {"BODY{scrollbar-face-color:red;scrollbar-face-color:blue}", "red"},
        // Names match whole: neither a shorter nor a longer one.
        {"BODY{scrollbar-face:blue;scrollbar-face-color-x:blue;scrollbar-face-color:red}", "red"},
        {"BODY\r\n{\r\n\t scrollbar-face-color : dark red !important\t;\r\n}",
         "dark red !important"},
        // A value is cut at its next colon.
        {"BODY{scrollbar-face-color:url(http://host/a)}", "url(http"},
        // An empty declaration ends the search.
        {"BODY{scrollbar-arrow-color:blue; ;scrollbar-face-color:red}", ""},
        {"BODY{scrollbar-face-color}", ""},
        {"BODY{scrollbar-face-color: : }", ""},
        {"BODY{SCROLLBAR-FACE-COLOR:#FF0000}", "#ff0000"},
    });
    // The name asked for is lower-cased but not trimmed.
    const CCssSource source("BODY{scrollbar-face-color:red}");
    EXPECT_EQ(source.GetPropertyValue("SCROLLBAR-FACE-COLOR"), "red");
    EXPECT_EQ(source.GetPropertyValue("scrollbar-face-color "), "");
}

// Shift-JIS characters whose second byte is "{", "}" or a letter are whole
// characters there, while in UTF-8 the same lead byte stands alone. Either
// way a character is lower-cased whole and is never white space.
TEST(CssSourceCodePages, CharactersAreWholeInEachCodePage) {
    // Each row: the text, its face colour value in Shift-JIS and in UTF-8.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"BODY\x81{scrollbar-face-color:red}", "", "red"},
        {"BODY{scrollbar-face-color:\x81}red}", "\x81}red", "\x81"},
        {"\x82\x62ody{scrollbar-face-color:blue}body{scrollbar-face-color:red}", "red", "blue"},
        // Full-width A, then "A" after a lead byte: its second byte in Shift-JIS.
        {"BODY{scrollbar-face-color:\x82\x60\x81\x41\xEF\xBC\xA1}", "\x82\x81\x81\x41\xEF\xBC\xA1",
         "\x82\x60\x81\x61\xEF\xBD\x81"},
        // The full-width spaces of both code pages.
        {"BODY{scrollbar-face-color:\x81\x40\xE3\x80\x80red\x81\x40}",
         "\x81\x40\xE3\x80\x80red\x81\x40", "\x81\x40\xE3\x80\x80red\x81\x40"},
    };
    for (const auto& [css, shiftJis, utf8] : cases) {
        ExpectFaceValue(multibyte::kShiftJis, css, shiftJis);
        ExpectFaceValue(multibyte::kUtf8, css, utf8);
    }
}

} // namespace
