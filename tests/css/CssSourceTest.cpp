// The reader's rules, grouped by behaviour. Every table lists texts that
// must yield a value beside texts that must yield nothing (""), and runs
// under both code pages unless it is about one of them.

#include "css/CssSource.h"
#include "tests/css/CodePageScope.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

namespace {

constexpr const char* kFace = "scrollbar-face-color";

struct LookupCase {
    const char* css;
    const char* expected;
    const char* property = kFace;
};

void ExpectLookups(const std::vector<LookupCase>& cases,
                   const std::vector<int>& codePages = {kTestedCodePages.begin(),
                                                        kTestedCodePages.end()}) {
    for (const int codePage : codePages) {
        const CodePageScope scope(codePage);
        for (const LookupCase& row : cases) {
            SCOPED_TRACE(testing::Message()
                         << "code page " << codePage << ", css " << testing::PrintToString(row.css)
                         << ", property " << row.property);
            EXPECT_EQ(CCssSource(row.css).GetPropertyValue(row.property), row.expected);
        }
    }
}

// The inputs are lower case with no white space at either end, so the
// normalised text is the text without its comments.
TEST(CssSourceComments, StripComments) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"a/*x*/b/*y*/c", "abc"},
        {"/**/", ""},
        {"x/***/y", "xy"},
        // "/*/" opens a comment; its star cannot also close it.
        {"a/*/b*/c", "ac"},
        // Unterminated: the opener and everything after it go.
        {"a/*x*//*y", "a"},
        // No nesting: the first closer ends the comment.
        {"a/*x/*y*/z*/", "az*/"},
        {"a*/b/ *c* /d", "a*/b/ *c* /d"},
    };
    for (const int codePage : kTestedCodePages) {
        const CodePageScope scope(codePage);
        for (const auto& [input, expected] : cases) {
            SCOPED_TRACE(testing::Message() << "code page " << codePage << ", input " << input);
            CString text = input;
            CCssSource::StripComments(text);
            EXPECT_EQ(text, expected);
            EXPECT_EQ(CCssSource(input).GetText(), expected);
        }
    }
}

TEST(CssSourceComments, CommentsGoBeforeTheRuleIsRead) {
    ExpectLookups({
        {"BODY{/*c*/scrollbar-face-color:/*c*/red/*c*/}", "red"},
        {"BODY{scrollbar-face-/**/color:r/*c*/ed}", "red"},
        {"/* BODY{scrollbar-face-color:blue} */BODY{scrollbar-face-color:red}", "red"},
        {"BODY{scrollbar-arrow-color:blue;/*;*/scrollbar-face-color:red}", "red"},
        {"BODY/*{scrollbar-face-color:blue}*/{scrollbar-face-color:red}", "red"},
        {"*/BODY{scrollbar-face-color:red}/*", "red"},
        // BODY only inside a comment.
        {"/*body{scrollbar-face-color:blue}*/p{scrollbar-face-color:red}", ""},
        // An unterminated comment in the block takes its "}" with it.
        {"BODY{scrollbar-face-color:red/*}", ""},
        {"BODY{/*/scrollbar-face-color:red}*/", ""},
    });
}

TEST(CssSourceSelector, FirstOccurrenceAnywhereWins) {
    ExpectLookups({
        {"TBODY{scrollbar-face-color:red}BODY{scrollbar-face-color:blue}", "red"},
        {"TBODY{scrollbar-face-color:red}", "red"},
        {"html, body {scrollbar-face-color:red}", "red"},
        {"body.main{scrollbar-face-color:red}", "red"},
        // An occurrence inside an earlier value: the next "{" opens the block.
        {"p{font-family:nobody}q{scrollbar-face-color:red}", "red"},
        // A "{" inside the block has no meaning; the first "}" ends it.
        {"BODY{scrollbar-face-color:red{x}", "red{x"},
        {"BODY{{scrollbar-face-color:red}}", ""},
        // Only the first rule is ever read.
        {"BODY{scrollbar-arrow-color:blue}BODY{scrollbar-face-color:red}", ""},
        {"p{scrollbar-face-color:red}", ""},
        {"BODY scrollbar-face-color:red}", ""},
        {"BODY{scrollbar-face-color:red", ""},
        {"{scrollbar-face-color:red}BODY{", ""},
        {"", ""},
        {"BODY{}", ""},
        {"BODY{;;;}", ""},
    });
}

TEST(CssSourceTokenizing, DeclarationsAndNames) {
    ExpectLookups({
        {"BODY{;;scrollbar-face-color:red;;}", "red"},
        {"BODY{scrollbar-arrow-color:blue;;scrollbar-face-color:red}", "red"},
        {"BODY{::scrollbar-face-color::red}", "red"},
        {"BODY{scrollbar-face-color:red;scrollbar-face-color:blue}", "red"},
        {"BODY{scrollbar-face-color-x:blue;scrollbar-face-color:red}", "red"},
        {"BODY\r\n{\r\n\t scrollbar-face-color : dark red !important\t;\r\n}",
         "dark red !important"},
        // A value is cut at its next colon.
        {"BODY{scrollbar-face-color:url(http://host/a)}", "url(http"},
        // An empty declaration ends the search.
        {"BODY{scrollbar-arrow-color:blue; ;scrollbar-face-color:red}", ""},
        {"BODY{scrollbar-face-color}", ""},
        {"BODY{scrollbar-face-color:}", ""},
        {"BODY{scrollbar-face-color: : }", ""},
        {"BODY{scrollbar-face:blue}", ""},
    });
}

// Declaration 2 is the white space between two ";" and comes back empty.
TEST(CssSourceTokenizing, DeclarationByIndex) {
    const std::pair<std::int32_t, const char*> cases[] = {
        {INT_MIN, ""}, {-1, ""}, {0, "a:1"}, {1, "b:2"}, {2, ""}, {3, "c"}, {4, ""}, {INT_MAX, ""}};
    const CCssSource source("p{x:0} BODY { a:1 ;; b:2 ; ; c ;}");
    for (const auto& [index, expected] : cases) {
        SCOPED_TRACE(testing::Message() << "index " << index);
        EXPECT_EQ(source.GetDeclaration("BODY", index), expected);
        EXPECT_EQ(source.GetDeclaration("body", index), expected);
    }
    EXPECT_EQ(source.GetDeclaration("P", 0), "x:0");
    EXPECT_EQ(source.GetDeclaration("p", 1), "");
    EXPECT_EQ(source.GetDeclaration("q", 0), "");
}

TEST(CssSourceCase, NamesAndValuesAreLowerCase) {
    ExpectLookups({
        {"BODY{SCROLLBAR-FACE-COLOR:#FF0000}", "#ff0000"},
        {"BODY{SCROLLBAR-FACE-COLOR:#FF0000}", "#ff0000", "SCROLLBAR-FACE-COLOR"},
        {"tBoDy{Scrollbar-Face-Color:Dark Red}", "dark red", "Scrollbar-Face-Color"},
        {"BODY{SCROLLBAR-FACE-COLOR:#FF0000}", "", "scrollbar-face-color "},
    });
    for (const auto& [input, expected] :
         {std::pair{" \t\r\n\v\f", ""}, std::pair{"  BODY { A:B } /*x*/ ", "body { a:b }"},
          std::pair{"/*x*/ BODY /*", "body"}}) {
        SCOPED_TRACE(input);
        EXPECT_EQ(CCssSource(input).GetText(), expected);
    }
}

// Shift-JIS characters whose second byte is "{", "}" or a letter are whole
// characters there, while in UTF-8 the same lead byte stands alone. Either
// way a character is lower-cased whole and is never white space.
TEST(CssSourceCodePages, CharactersAreWholeInEachCodePage) {
    ExpectLookups({{"BODY\x81{scrollbar-face-color:red}", ""},
                   {"BODY\x81{x}{scrollbar-face-color:red}", "red"},
                   {"BODY{scrollbar-face-color:\x81}red}", "\x81}red"},
                   {"\x82\x62ody{scrollbar-face-color:blue}body{scrollbar-face-color:red}", "red"},
                   {"\x82\x62ody{scrollbar-face-color:blue}", ""},
                   // A lead byte before ";" or ":" cannot take it as its second byte.
                   {"BODY{scrollbar-arrow-color:red\x81;scrollbar-face-color:blue}", "blue"},
                   {"BODY{scrollbar-face-color\x81:red}", ""},
                   // A lead byte at the very end stands alone.
                   {"BODY{scrollbar-face-color:red}\x81", "red"},
                   {"BODY{scrollbar-face-color:red\x81}", ""},
                   {"BODY{scrollbar-face-color:\x81\x7b/*x*/\x81\x7d}", "\x81\x7b\x81\x7d"},
                   // Full-width A becomes full-width a, "A" as a second byte is no
                   // capital, and the full-width space is no white space.
                   {"BODY{scrollbar-face-color:\x82\x60\x81\x41}", "\x82\x81\x81\x41"},
                   {"BODY{scrollbar-face-color:\x81\x40red\x81\x40}", "\x81\x40red\x81\x40"},
                   {"BODY{\x81\x40scrollbar-face-color:red}", ""}},
                  {multibyte::kShiftJis});
    ExpectLookups({{"BODY\x81{scrollbar-face-color:red}", "red"},
                   {"BODY{scrollbar-face-color:\x81}red}", "\x81"},
                   {"\x82\x62ody{scrollbar-face-color:blue}body{scrollbar-face-color:red}", "blue"},
                   {"BODY{scrollbar-face-color:red\x81}", "red\x81"},
                   {"BODY{scrollbar-face-color:\xEF\xBC\xA1\x81\x41}", "\xEF\xBD\x81\x81\x61"},
                   {"BODY{scrollbar-face-color:\xE3\x80\x80red}", "\xE3\x80\x80red"}},
                  {multibyte::kUtf8});
}

} // namespace
