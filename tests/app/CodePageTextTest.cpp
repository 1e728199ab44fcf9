// The conversion between the program's code page and the toolkit's strings
// (the clipboard's text goes through it both ways), against the C library's
// iconv: characters of one, two, three and four bytes in UTF-8, under both
// code pages, and what neither can hold.

#include "app/CodePageText.h"
#include "tests/support/CodePageScope.h"
#include "tests/support/CodePages.h"

#include <gtest/gtest.h>

namespace {

class CodePageText : public testing::TestWithParam<int> {
    const CodePageScope m_codePage{GetParam()};
};

TEST_P(CodePageText, EveryCharacterOfTheCodePageGoesBothWays) {
    std::vector<std::string> texts = {"BODY{color:#abc}", "α×°§ Д", "マ}ﾚﾃﾞｨ、背景"};
    if (GetParam() == multibyte::kUtf8) {
        texts.insert(texts.end(), {"é ñ", "\xF0\x9F\x98\x80"});
    }
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        const CString bytes = InCurrentCodePage(text);
        CString converted = text;
        Utf8ToCodePageInPlace(converted);
        EXPECT_EQ(converted, bytes);
        EXPECT_EQ(ToWxString(bytes).utf8_string(), text);
    }
}

TEST_P(CodePageText, WhatCannotBeConvertedIsReplaced) {
    CString text = "a\xC3\xA9z";
    Utf8ToCodePageInPlace(text);
    EXPECT_EQ(text, GetParam() == multibyte::kUtf8 ? "a\xC3\xA9z" : "a?z");
    EXPECT_EQ(ToWxString("a\xFF"
                         "z")
                  .utf8_string(),
              "a\xEF\xBF\xBDz");
}

INSTANTIATE_TEST_SUITE_P(BothCodePages, CodePageText,
                         testing::Values(multibyte::kShiftJis, multibyte::kUtf8));

} // namespace
