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

const std::vector<std::string_view> kProperties(kScrollbarProperties.begin(),
                                                kScrollbarProperties.end());

// Names that are not among the declarations, or only as a part of one.
const std::vector<std::string_view> kOtherProperties = {
    "", "color", "scrollbar", "body", "SCROLLBAR-FACE-COLOR", "face-color:", "\x82\x60", "\x81"};

const std::vector<std::string_view> kSoupFragments = {
    "body",
    "BODY",
    "Body",
    "tbody",
    "TBODY",
    "b",
    "o",
    "d",
    "y",
    "{",
    "}",
    ";",
    ";",
    ":",
    ":",
    "/*",
    "*/",
    "/",
    "*",
    " ",
    "\t",
    "\r\n",
    "\f",
    "scrollbar-face-color",
    "SCROLLBAR-ARROW-COLOR",
    "scrollbar-track-color",
    "scrollbar-3dlight-color",
    "#FF0000",
    "red",
    "A",
    "Z",
    "\x81\x7B",
    "\x81\x7D",
    "\x82\x60",
    "\x82"
    "b",
    "\x81"
    "A",
    "\x81\x40", // Shift-JIS
    "\x81",
    "\x9F",
    "\xE0",
    "\xFC", // lead bytes
    "\xEF\xBC\xA1",
    "\xE3\x80\x80",
    "\xC3\xA9", // UTF-8
    "\xC3",
    "\x80",
    "\xFF",
    "\xE3\x81",
    "\xED\xA0\x80", // invalid UTF-8
};

const std::vector<std::string_view> kSelectors = {"BODY",
                                                  "body",
                                                  "TBODY",
                                                  "html, body",
                                                  "body.main",
                                                  "p",
                                                  "Body\x82\x60",
                                                  "\x82"
                                                  "body"};
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

    CString Soup() {
        CString text;
        const std::size_t count = Below(kMaxSoupFragments + 1);
        for (std::size_t fragment = 0; fragment < count; ++fragment) {
            text += Pick(kSoupFragments);
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
                if (Chance(90)) {
                    text += Sprinkle(":");
                }
                text += Sprinkle(Pick(kValues));
                text += Sprinkle(Chance(10) ? ";;" : ";");
            }
            if (Chance(95)) {
                text += Sprinkle("}");
            }
        }
        return text;
    }

private:
    // The piece with random white space and, now and then, a comment
    // around it.
    CString Sprinkle(std::string_view piece) {
        CString text(Pick(kSpaces));
        if (Chance(8)) {
            text += Pick(kComments);
        }
        text += piece;
        if (Chance(8)) {
            text += Pick(kComments);
        }
        return text;
    }

    std::mt19937 m_engine;
};

void ExpectSameAnswers(const CString& text) {
    SCOPED_TRACE(testing::Message() << "text \"" << text << "\"");
    CString stripped = text;
    CString literalStripped = text;
    CCssSource::StripComments(stripped);
    CLiteralCssSource::StripComments(literalStripped);
    ASSERT_EQ(stripped, literalStripped);

    const CCssSource source(text);
    const CLiteralCssSource literal(text);
    ASSERT_EQ(source.GetText(), literal.GetText());
    for (const std::string_view selector : {"BODY", "tbody", "p"}) {
        for (const std::int32_t index : {INT_MIN, -1, 0, 1, 2, 3, 5, INT_MAX}) {
            EXPECT_EQ(source.GetDeclaration(CString(selector), index),
                      literal.GetDeclaration(CString(selector), index))
                << "selector " << selector << ", index " << index;
        }
    }
    for (const auto* names : {&kProperties, &kOtherProperties}) {
        for (const std::string_view property : *names) {
            EXPECT_EQ(source.GetPropertyValue(CString(property)),
                      literal.GetPropertyValue(CString(property)))
                << "property " << property;
        }
    }
}

TEST(CssSourceDifferential, RandomSoupsAgreeWithTheReference) {
    for (const int codePage : kTestedCodePages) {
        const CodePageScope scope(codePage);
        SCOPED_TRACE(testing::Message() << "code page " << codePage);
        Generator generator(kSeed);
        for (int number = 0; number < kSoupCases && !HasFailure(); ++number) {
            ExpectSameAnswers(generator.Soup());
        }
    }
}

TEST(CssSourceDifferential, GeneratedSheetsAgreeWithTheReference) {
    int foundValues = 0;
    for (const int codePage : kTestedCodePages) {
        const CodePageScope scope(codePage);
        SCOPED_TRACE(testing::Message() << "code page " << codePage);
        Generator generator(kSeed + 1);
        for (int number = 0; number < kSheetCases && !HasFailure(); ++number) {
            const CString sheet = generator.Sheet();
            ExpectSameAnswers(sheet);
            for (const std::string_view property : kProperties) {
                foundValues += !CCssSource(sheet).GetPropertyValue(CString(property)).empty();
            }
        }
    }
    // The sheets must reach real values, or the comparison says little.
    EXPECT_GT(foundValues, kSheetCases);
}

} // namespace
