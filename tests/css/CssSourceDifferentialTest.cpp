// The one-pass reader against the step-by-step reference, on thousands of
// generated texts under both code pages: random soups of the reader's
// delimiters, keywords and awkward bytes, and generated style sheets.

#include "css/CssSource.h"
#include "css/ScrollbarProperties.h"
#include "tests/css/CodePageScope.h"
#include "tests/css/LiteralCssSource.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <string_view>
#include <vector>

namespace {

using Words = std::vector<std::string_view>;

constexpr std::uint32_t kSeed = 20240607;
constexpr int kSoupCases = 2500;
constexpr int kSheetCases = 1000;
constexpr std::size_t kMaxSoupFragments = 40;
constexpr std::size_t kMaxSheetRules = 6;
constexpr std::size_t kCommentPercent = 8;

const Words kProperties(kScrollbarProperties.begin(), kScrollbarProperties.end());
// Names that are not among the declarations, or only as a part of one.
const Words kOtherProperties = {
    "", "color", "scrollbar", "body", "SCROLLBAR-FACE-COLOR", "face-color:", "\x82\x60", "\x81"};
const Words kSoupWords = {"body", "BODY", "Body", "tbody", "b",  "o",     "d",  "y",
                          "{",    "}",    ";",    ";",     ":",  ":",     "/*", "*/",
                          "/",    "*",    " ",    "\t",    "\f", "\r\n\t"};
// Shift-JIS characters with "{", "}", "b" and "A" as second bytes, full-width
// A and space, lone lead bytes, UTF-8 characters and invalid UTF-8.
const Words kSoupBytes = {"A",        "\x81\x7B",     "\x81\x7D",     "\x82\x62",    "\x81\x41",
                          "\x82\x60", "\x81\x40",     "\x81",         "\x9F",        "\xE0",
                          "\xFC",     "\xEF\xBC\xA1", "\xE3\x80\x80", "\xC3\xA9",    "\xC3",
                          "\x80",     "\xFF",         "\xE3\x81",     "\xED\xA0\x80"};
const Words kSelectors = {"BODY",      "body", "TBODY",        "html, body",
                          "body.main", "p",    "Body\x82\x60", "\x82\x62ody"};
const Words kValues = {"#FF0000", "red", "Dark Red !important", "", "url(a:b)", "\x82\x60\x82\x61"};
const Words kComments = {"/*c*/", "/* BODY{} */", "/*/", "/**/", "/*", "*/", "/*;*/", "/*}*/"};
const Words kSpaces = {"", " ", "\r\n", "\t"};

class Generator {
public:
    CString Soup() {
        CString text;
        for (std::size_t count = Below(kMaxSoupFragments + 1); count > 0; --count) {
            text += Pick(Chance(55)   ? kSoupWords
                         : Chance(80) ? kSoupBytes
                         : Chance(50) ? kProperties
                                      : kValues);
        }
        return text;
    }

    CString Sheet() {
        CString text;
        for (std::size_t rules = 1 + Below(kMaxSheetRules); rules > 0; --rules) {
            text += Sprinkle(Pick(kSelectors));
            text += Sprinkle("{");
            for (std::size_t count = Below(kProperties.size() + 2); count > 0; --count) {
                text += Sprinkle(Pick(Chance(80) ? kProperties : kOtherProperties));
                text += Sprinkle(Chance(90) ? ":" : "");
                text += Sprinkle(Pick(kValues));
                text += Sprinkle(Chance(10) ? ";;" : ";");
            }
            text += Sprinkle(Chance(95) ? "}" : "");
        }
        return text;
    }

private:
    std::size_t Below(std::size_t bound) { return m_engine() % bound; }
    bool Chance(std::size_t percent) { return Below(100) < percent; }
    std::string_view Pick(const Words& choices) { return choices[Below(choices.size())]; }

    // The piece with random white space and, now and then, comments around it.
    CString Sprinkle(std::string_view piece) {
        CString text(Pick(kSpaces));
        text += Chance(kCommentPercent) ? Pick(kComments) : "";
        text += piece;
        text += Chance(kCommentPercent) ? Pick(kComments) : "";
        return text;
    }

    std::mt19937 m_engine{kSeed};
};

// Compares every answer of the reader on text with the reference's and
// returns how many of the properties asked for have a value.
int ExpectSameAnswers(const CString& text) {
    SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(text));
    const CCssSource source(text);
    const CLiteralCssSource literal(text);
    EXPECT_EQ(source.GetText(), literal.GetText());
    // A source that takes its text over normalises it in place, to the same.
    EXPECT_EQ(CCssSource(CString(text)).GetText(), literal.GetText());
    for (const char* selector : {"BODY", "tbody", "p"}) {
        for (const std::int32_t index : {INT_MIN, -1, 0, 1, 2, 3, 5, INT_MAX}) {
            EXPECT_EQ(source.GetDeclaration(selector, index),
                      literal.GetDeclaration(selector, index))
                << "selector " << selector << ", index " << index;
        }
    }
    int found = 0;
    for (const Words* names : {&kProperties, &kOtherProperties}) {
        for (const std::string_view property : *names) {
            const CString value = source.GetPropertyValue(CString(property));
            EXPECT_EQ(value, literal.GetPropertyValue(CString(property)))
                << "property " << property;
            found += !value.empty();
        }
    }
    return found;
}

// Compares the answers on count texts made by make under both code pages and
// returns how many property values they held.
int CompareOnGeneratedTexts(int count, CString (Generator::*make)()) {
    int found = 0;
    for (const int codePage : kTestedCodePages) {
        const CodePageScope scope(codePage);
        SCOPED_TRACE(testing::Message() << "code page " << codePage);
        Generator generator;
        for (int number = 0; number < count && !testing::Test::HasFailure(); ++number) {
            found += ExpectSameAnswers((generator.*make)());
        }
    }
    return found;
}

TEST(CssSourceDifferential, GeneratedTextsAgreeWithTheReference) {
    CompareOnGeneratedTexts(kSoupCases, &Generator::Soup);
    // The sheets must reach real values, or the comparison says little.
    EXPECT_GT(CompareOnGeneratedTexts(kSheetCases, &Generator::Sheet), kSheetCases);
}

} // namespace
