// The reader's rules, grouped by behaviour. Every table lists texts that
// must yield a value beside texts that must yield nothing (""), and runs
// under both code pages unless a row is about one of them.

#include "css/CssSource.h"
#include "tests/css/CodePageScope.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

constexpr const char* kFace = "scrollbar-face-color";
constexpr const char* kArrow = "scrollbar-arrow-color";

struct LookupCase {
    const char* css;
    const char* property;
    const char* expected;
};

void ExpectLookups(const std::vector<LookupCase>& cases) {
    for (const int codePage : kTestedCodePages) {
        const CodePageScope scope(codePage);
        for (const LookupCase& row : cases) {
            SCOPED_TRACE(testing::Message() << "code page " << codePage << ", css \"" << row.css
                                            << "\", property " << row.property);
            EXPECT_EQ(CCssSource(row.css).GetPropertyValue(row.property), row.expected);
        }
    }
}

struct StripCase {
    const char* input;
    const char* expected;
};

TEST(CssSourceComments, StripComments) {
    const std::vector<StripCase> cases = {
        {"", ""},
        {"a/*x*/b", "ab"},
        {"a/*x*/b/*y*/c", "abc"},
        {"/**/", ""},
        {"x/***/y", "xy"},
        {"/*a*//*b*/c", "c"},
        // "/*/" opens a comment; its star cannot also close it.
        {"a/*/b*/c", "ac"},
        {"a/*/", "a"},
        // Unterminated: the opener and everything after it go.
        {"a/*x", "a"},
        {"a/*x*//*y", "a"},
        // No nesting: the first closer ends the comment.
        {"a/*x/*y*/z*/", "az*/"},
        {"a/**/*/b", "a*/b"},
        // Not comments at all.
        {"a*/b", "a*/b"},
        {"a/ *b* /c", "a/ *b* /c"},
        {"a/b*c", "a/b*c"},
    };
    for (const int codePage : kTestedCodePages) {
        const CodePageScope scope(codePage);
        for (const StripCase& row : cases) {
            SCOPED_TRACE(testing::Message() << "code page " << codePage << ", input " << row.input);
            CString text = row.input;
            CCssSource::StripComments(text);
            EXPECT_EQ(text, row.expected);
        }
    }
}

TEST(CssSourceComments, CommentsGoBeforeTheRuleIsRead) {
    ExpectLookups({
        {"BODY{/*c*/scrollbar-face-color:/*c*/red/*c*/}", kFace, "red"},
        {"BODY{scrollbar-face-color:r/*c*/ed}", kFace, "red"},
        {"BODY{scrollbar-face-/**/color:red}", kFace, "red"},
        {"/* BODY{scrollbar-face-color:blue} */BODY{scrollbar-face-color:red}", kFace, "red"},
        {"BODY{scrollbar-face-color:red;/*;*/scrollbar-arrow-color:blue}", kArrow, "blue"},
        {"BODY{scrollbar-face-color:red}/*", kFace, "red"},
        {"*/BODY{scrollbar-face-color:red}", kFace, "red"},
        {"BODY/*{scrollbar-face-color:blue}*/{scrollbar-face-color:red}", kFace, "red"},
        // BODY only inside a comment.
        {"/*body{scrollbar-face-color:blue}*/p{scrollbar-face-color:red}", kFace, ""},
        // An unterminated comment in the block takes its "}" with it.
        {"BODY{scrollbar-face-color:red/*}", kFace, ""},
        {"BODY{/*/scrollbar-face-color:red}*/", kFace, ""},
        {"BODY{/*/scrollbar-face-color:red}", kFace, ""},
    });
}

TEST(CssSourceSelector, FirstOccurrenceAnywhereWins) {
    ExpectLookups({
        {"TBODY{scrollbar-face-color:red}BODY{scrollbar-face-color:blue}", kFace, "red"},
        {"TBODY{scrollbar-face-color:red}", kFace, "red"},
        {"html, body {scrollbar-face-color:red}", kFace, "red"},
        {"body.main{scrollbar-face-color:red}", kFace, "red"},
        {"p{scrollbar-face-color:blue}body{scrollbar-face-color:red}", kFace, "red"},
        // An occurrence inside an earlier value: the next "{" opens the block.
        {"p{font-family:nobody}q{scrollbar-face-color:red}", kFace, "red"},
        // A "{" inside the block has no meaning; the first "}" ends it.
        {"BODY{scrollbar-face-color:red{x}", kFace, "red{x"},
        {"BODY{a{scrollbar-face-color:red}", kFace, ""},
        {"BODY{{scrollbar-face-color:red}}", kFace, ""},
        // Only the first rule is ever read.
        {"BODY{scrollbar-face-color:red}BODY{scrollbar-arrow-color:blue}", kArrow, ""},
        {"p{scrollbar-face-color:red}", kFace, ""},
        {"bod y{scrollbar-face-color:red}", kFace, ""},
        {"BODY scrollbar-face-color:red}", kFace, ""},
        {"BODY{scrollbar-face-color:red", kFace, ""},
        {"{scrollbar-face-color:red}BODY", kFace, ""},
        {"{scrollbar-face-color:red}BODY{", kFace, ""},
        {"", kFace, ""},
        {"BODY{}", kFace, ""},
        {"BODY{;;;}", kFace, ""},
    });
}

TEST(CssSourceTokenizing, DeclarationsAndNames) {
    ExpectLookups({
        {"BODY{;;scrollbar-face-color:red;;}", kFace, "red"},
        {"BODY{scrollbar-arrow-color:blue;;scrollbar-face-color:red}", kFace, "red"},
        {"BODY{::scrollbar-face-color:red}", kFace, "red"},
        {"BODY{scrollbar-face-color::red}", kFace, "red"},
        {"BODY{scrollbar-face-color:red;scrollbar-face-color:blue}", kFace, "red"},
        {"BODY{scrollbar-face-color-x:blue;scrollbar-face-color:red}", kFace, "red"},
        {"BODY{ scrollbar-face-color : dark red !important ; }", kFace, "dark red !important"},
        {"BODY\r\n{\r\n\tscrollbar-face-color:\tred\t;\r\n}", kFace, "red"},
        {"BODY{scrollbar-face-color:\"red\"}", kFace, "\"red\""},
        // A value is cut at its next colon.
        {"BODY{scrollbar-face-color:url(http://host/a)}", kFace, "url(http"},
        {"BODY{scrollbar-face-color:red:blue}", kFace, "red"},
        // An empty declaration ends the search.
        {"BODY{scrollbar-arrow-color:blue; ;scrollbar-face-color:red}", kFace, ""},
        {"BODY{scrollbar-face-color}", kFace, ""},
        {"BODY{scrollbar-face-color:}", kFace, ""},
        {"BODY{scrollbar-face-color: : }", kFace, ""},
        {"BODY{scrollbar-face:blue}", kFace, ""},
        {"BODY{face-color:blue}", kFace, ""},
        {"BODY{scrollbar-arrow-color:blue;}", kFace, ""},
    });
}

TEST(CssSourceTokenizing, DeclarationByIndex) {
    struct IndexCase {
        std::int32_t index;
        const char* expected;
    };
    const std::vector<IndexCase> cases = {
        {INT_MIN, ""}, {-1, ""}, {0, "a:1"},
        {1, "b:2"},    {2, ""}, // white space only between two ";"
        {3, "c"},      {4, ""},  {INT_MAX, ""},
    };
    const CCssSource source("p{x:0} BODY { a:1 ;; b:2 ; ; c ;}");
    for (const IndexCase& row : cases) {
        SCOPED_TRACE(testing::Message() << "index " << row.index);
        EXPECT_EQ(source.GetDeclaration("BODY", row.index), row.expected);
        EXPECT_EQ(source.GetDeclaration("body", row.index), row.expected);
    }
    EXPECT_EQ(source.GetDeclaration("p", 0), "x:0");
    EXPECT_EQ(source.GetDeclaration("P", 1), "");
    EXPECT_EQ(source.GetDeclaration("q", 0), "");
}

TEST(CssSourceCase, NamesAndValuesAreLowerCase) {
    ExpectLookups({
        {"BODY{SCROLLBAR-FACE-COLOR:#FF0000}", kFace, "#ff0000"},
        {"BODY{SCROLLBAR-FACE-COLOR:#FF0000}", "SCROLLBAR-FACE-COLOR", "#ff0000"},
        {"Body{Scrollbar-Face-Color:Dark Red}", "Scrollbar-Face-Color", "dark red"},
        {"tBoDy{scrollbar-face-color:RED}", kFace, "red"},
        {"BODY{SCROLLBAR-FACE-COLOR:#FF0000}", "scrollbar-face-color ", ""},
    });
}

TEST(CssSourceCase, TextIsNormalised) {
    const std::vector<StripCase> cases = {
        {"", ""},
        {" \t\r\n\v\f", ""},
        {"  BODY { A:B } /*x*/ ", "body { a:b }"},
        {"/*x*/ BODY", "body"},
        {"BODY /*", "body"},
        {"a/*x*/\r\n", "a"},
    };
    for (const StripCase& row : cases) {
        SCOPED_TRACE(row.input);
        EXPECT_EQ(CCssSource(row.input).GetText(), row.expected);
    }
}

struct CodePageCase {
    int codePage;
    const char* css;
    const char* property;
    const char* expected;
};

// Shift-JIS characters whose second byte is "{", "}" or a letter are whole
// characters there, while in UTF-8 the same lead byte stands alone.
TEST(CssSourceCodePages, SecondBytesAreNeverDelimitersOrLetters) {
    const std::vector<CodePageCase> cases = {
        {multibyte::kShiftJis, "BODY\x81{scrollbar-face-color:red}", kFace, ""},
        {multibyte::kUtf8, "BODY\x81{scrollbar-face-color:red}", kFace, "red"},
        {multibyte::kShiftJis, "BODY\x81{x}{scrollbar-face-color:red}", kFace, "red"},
        {multibyte::kShiftJis, "BODY{scrollbar-face-color:\x81}red}", kFace, "\x81}red"},
        {multibyte::kUtf8, "BODY{scrollbar-face-color:\x81}red}", kFace, "\x81"},
        {multibyte::kShiftJis,
         "\x82"
         "body{scrollbar-face-color:blue}body{scrollbar-face-color:red}",
         kFace, "red"},
        {multibyte::kUtf8,
         "\x82"
         "body{scrollbar-face-color:blue}body{scrollbar-face-color:red}",
         kFace, "blue"},
        {multibyte::kShiftJis,
         "\x82"
         "body{scrollbar-face-color:blue}",
         kFace, ""},
        // A lead byte before ";" or ":" cannot take it as its second byte.
        {multibyte::kShiftJis, "BODY{scrollbar-face-color:red\x81;scrollbar-arrow-color:blue}",
         kArrow, "blue"},
        {multibyte::kShiftJis, "BODY{scrollbar-face-color\x81:red}", kFace, ""},
        // A lead byte at the very end stands alone.
        {multibyte::kShiftJis, "BODY{scrollbar-face-color:red}\x81", kFace, "red"},
        {multibyte::kShiftJis, "BODY{scrollbar-face-color:red\x81}", kFace, ""},
        {multibyte::kUtf8, "BODY{scrollbar-face-color:red\x81}", kFace, "red\x81"},
    };
    for (const CodePageCase& row : cases) {
        const CodePageScope scope(row.codePage);
        SCOPED_TRACE(testing::Message() << "code page " << row.codePage << ", css " << row.css);
        EXPECT_EQ(CCssSource(row.css).GetPropertyValue(row.property), row.expected);
    }
}

TEST(CssSourceCodePages, WholeCharactersAreLowerCasedAndNeverWhiteSpace) {
    const std::vector<CodePageCase> cases = {
        // Full-width A in Shift-JIS becomes full-width a.
        {multibyte::kShiftJis, "BODY{scrollbar-face-color:\x82\x60}", kFace, "\x82\x81"},
        {multibyte::kUtf8, "BODY{scrollbar-face-color:\xEF\xBC\xA1}", kFace, "\xEF\xBD\x81"},
        // "A" as the second byte of a character is not a capital.
        {multibyte::kShiftJis,
         "BODY{scrollbar-face-color:\x81"
         "A}",
         kFace,
         "\x81"
         "A"},
        {multibyte::kUtf8,
         "BODY{scrollbar-face-color:\x81"
         "A}",
         kFace,
         "\x81"
         "a"},
        // The full-width space is not white space.
        {multibyte::kShiftJis, "BODY{scrollbar-face-color:\x81\x40red\x81\x40}", kFace,
         "\x81\x40red\x81\x40"},
        {multibyte::kUtf8, "BODY{scrollbar-face-color:\xE3\x80\x80red}", kFace, "\xE3\x80\x80red"},
        {multibyte::kShiftJis, "BODY{\x81\x40scrollbar-face-color:red}", kFace, ""},
    };
    for (const CodePageCase& row : cases) {
        const CodePageScope scope(row.codePage);
        SCOPED_TRACE(testing::Message() << "code page " << row.codePage << ", css " << row.css);
        EXPECT_EQ(CCssSource(row.css).GetPropertyValue(row.property), row.expected);
    }
}

TEST(CssSourceCodePages, CommentsAroundDoubleByteCharacters) {
    const CodePageScope scope(multibyte::kShiftJis);
    const std::vector<StripCase> cases = {
        {"a\x81/*x*/b", "a\x81"
                        "b"},
        {"/*\x81*/x", "x"},
        {"/*\x81*/x*/y", "x*/y"},
        {"\x81\x7B/*x*/\x81\x7D", "\x81\x7B\x81\x7D"},
    };
    for (const StripCase& row : cases) {
        SCOPED_TRACE(row.input);
        CString text = row.input;
        CCssSource::StripComments(text);
        EXPECT_EQ(text, row.expected);
    }
}

} // namespace
