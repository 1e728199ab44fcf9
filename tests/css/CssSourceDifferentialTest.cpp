// The one-pass reader against the step-by-step reference, on thousands of
// generated texts under both code pages: random soups of the reader's
// delimiters, keywords and awkward bytes, and generated style sheets with
// rules, comments and the seven properties.

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

constexpr std::uint32_t kSeed = 20240607;
constexpr int kSoupCases = 2500;
constexpr int kSheetCases = 1000;
constexpr int kMaxSoupFragments = 40;
constexpr int kMaxSheetRules = 6;
constexpr std::size_t kCommentPercent = 8;

const std::vector<std::string_view> kProperties(kScrollbarProperties.begin(),
                                                kScrollbarProperties.end());

// Names that are not among the declarations, or only as a part of one.
const std::vector<std::string_view> kOtherProperties = {
    "", "color", "scrollbar", "body", "SCROLLBAR-FACE-COLOR", "face-color:", "\x82\x60", "\x81"};

// The soups mix the reader's keywords and delimiters, white space, the
// properties and values of the sheets, and bytes that begin, end or break characters: Shift-JIS
// "{", "}", "b" and "A" as second bytes, full-width A and space, lone lead bytes, UTF-8 characters
// and invalid UTF-8.
const std::vector<std::string_view> kSoupWords = {
    "body", "BODY", "Body", "tbody", "TBODY", "b", "o", "d", "y",  "{",  "}",     ";",
    ";",    ":",    ":",    "/*",    "*/",    "/", "*", " ", "\t", "\f", "\r\n\t"};
const std::vector<std::string_view> kSoupBytes = {
    "A",        "Z",    "\x81\x7B", "\x81\x7D", "\x82\x62", "\x81\x41",     "\x82\x60",
    "\x81\x40", "\x81", "\x9F",     "\xE0",     "\xFC",     "\xEF\xBC\xA1", "\xE3\x80\x80",
    "\xC3\xA9", "\xC3", "\x80",     "\xFF",     "\xE3\x81", "\xED\xA0\x80"};

const std::vector<std::string_view> kSelectors = {
    "BODY", "body", "TBODY", "html, body", "body.main", "p", "Body\x82\x60", "\x82\x62ody"};
const std::vector<std::string_view> kValues = {
    "#FF0000", "red", "Dark Red !important", "", "url(a:b)", "\x82\x60\x82\x61", "#abc"};
const std::vector<std::string_view> kComments = {"/*c*/", "/* BODY{} */", "/*/",   "/**/",
                                                 "/*",    "*/",           "/*;*/", "/*}*/"};
const std::vector<std::string_view> kSpaces = {"", " ", "\r\n", "\t", "  "};

class Generator {
public:
    explicit Generator(std::uint32_t seed) : m_engine(seed) {}

    std::size_t Below(std::size_t bound) { return m_engine() % bound; }
    bool Chance(std::size_t percent) { return Below(100) < percent; }
    std::string_view Pick(const std::vector<std::string_view>& choices) {
        return choices[Below(choices.size())];
    }
    std::string_view Sometimes(std::size_t percent, const std::vector<std::string_view>& choices) {
        return Chance(percent) ? Pick(choices) : std::string_view();
    }

    CString Soup() {
        CString text;
        const std::size_t count = Below(kMaxSoupFragments + 1);
        for (std::size_t fragment = 0; fragment < count; ++fragment) {
            text += Pick(Chance(55)   ? kSoupWords
                         : Chance(80) ? kSoupBytes
                         : Chance(50) ? kProperties
                                      : kValues);
        }
        return text;
    }

    CString Sheet() {
        CString text;
        const std::size_t rules = 1 + Below(kMaxSheetRules);
        for (std::size_t rule = 0; rule < rules; ++rule) {
            text += Sprinkle(Pick(kSelectors));
            text += Sprinkle("{");
            const std::size_t declarations = Below(kProperties.size() + 2);
            for (std::size_t declaration = 0; declaration < declarations; ++declaration) {
                text += Sprinkle(Chance(80) ? Pick(kProperties) : Pick(kOtherProperties));
                text += Sprinkle(Sometimes(90, {":"}));
                text += Sprinkle(Pick(kValues));
                text += Sprinkle(Chance(10) ? ";;" : ";");
            }
            text += Sprinkle(Sometimes(95, {"}"}));
        }
        return text;
    }

private:
    // The piece with random white space and, now and then, a comment
    // around it.
    CString Sprinkle(std::string_view piece) {
        CString text(Pick(kSpaces));
        text += Sometimes(kCommentPercent, kComments);
        text += piece;
        text += Sometimes(kCommentPercent, kComments);
        return text;
    }

    std::mt19937 m_engine;
};

// Compares every answer of the reader on text with the reference's and
// returns how many of the properties asked for have a value.
int ExpectSameAnswers(const CString& text) {
    SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(text));
    CString stripped = text;
    CString literalStripped = text;
    CCssSource::StripComments(stripped);
    CLiteralCssSource::StripComments(literalStripped);
    EXPECT_EQ(stripped, literalStripped);

    const CCssSource source(text);
    const CLiteralCssSource literal(text);
    EXPECT_EQ(source.GetText(), literal.GetText());
    for (const std::string_view selector : {"BODY", "tbody", "p"}) {
        for (const std::int32_t index : {INT_MIN, -1, 0, 1, 2, 3, 5, INT_MAX}) {
            EXPECT_EQ(source.GetDeclaration(CString(selector), index),
                      literal.GetDeclaration(CString(selector), index))
                << "selector " << selector << ", index " << index;
        }
    }
    int found = 0;
    for (const auto* names : {&kProperties, &kOtherProperties}) {
        for (const std::string_view property : *names) {
            const CString value = source.GetPropertyValue(CString(property));
            EXPECT_EQ(value, literal.GetPropertyValue(CString(property)))
                << "property " << property;
            found += !value.empty();
        }
    }
    return found;
}

// Runs the comparison on count texts made by make under both code pages and
// returns how many property values they held.
int CompareOnGeneratedTexts(int count, CString (Generator::*make)()) {
    int found = 0;
    for (const int codePage : kTestedCodePages) {
        const CodePageScope scope(codePage);
        SCOPED_TRACE(testing::Message() << "code page " << codePage);
        Generator generator(kSeed);
        for (int number = 0; number < count && !testing::Test::HasFailure(); ++number) {
            found += ExpectSameAnswers((generator.*make)());
        }
    }
    return found;
}

TEST(CssSourceDifferential, RandomSoupsAgreeWithTheReference) {
    CompareOnGeneratedTexts(kSoupCases, &Generator::Soup);
}

TEST(CssSourceDifferential, GeneratedSheetsAgreeWithTheReference) {
    // The sheets must reach real values, or the comparison says little.
    EXPECT_GT(CompareOnGeneratedTexts(kSheetCases, &Generator::Sheet), kSheetCases);
}

} // namespace
