// No text may crash the library, make it read past the text's end or cost
// more than linear time; every text gives some colour. Run under the
// sanitizers, these also catch reads beyond the terminating NUL.

#include "chromlib/CssColorParser.h"
#include "tests/chromlib/ColorTestHelpers.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>
#include <string>

namespace {

constexpr int kRandomTexts = 20000;
constexpr std::size_t kLongestRandomText = 64;
constexpr std::size_t kLongText = 1 << 20;
constexpr std::uint32_t kSeed = 20240601;

// The text in a heap block of exactly its size, so that a read past the
// NUL is a read past the block.
unsigned long ReadExact(const std::string& text) {
    const auto buffer = std::make_unique<char[]>(text.size() + 1);
    text.copy(buffer.get(), text.size());
    buffer[text.size()] = '\0';
    return CChromlib::HtmlColorToRgb(buffer.get());
}

TEST(Robustness, RandomBytesGiveAColourWithoutHighByte) {
    std::mt19937 random(kSeed);
    std::uniform_int_distribution<int> length(0, kLongestRandomText);
    std::uniform_int_distribution<int> byte(1, 255);
    for (int round = 0; round < kRandomTexts; ++round) {
        std::string text(length(random), '\0');
        for (char& c : text) {
            c = static_cast<char>(byte(random));
        }
        EXPECT_EQ(ReadExact(text) >> 24, 0u) << testing::PrintToString(text);
    }
}

// Random texts made of the pieces of colour notation reach far deeper into
// the parsers than random bytes do.
TEST(Robustness, RandomNotationFragmentsGiveAColour) {
    constexpr std::array<std::string_view, 32> kPieces{
        "rgb(",     "rgba(", "hsl(", "hwb(", "calc(", "(",  ")",        ",",
        "/",        " ",     "+",    "-",    "*",     "1",  "2.5",      "1e",
        "e+",       "%",     "deg",  "turn", "none",  "#",  "fff",      "00",
        "infinity", "nan",   "/*",   "*/",   ".",     "\\", "\xf0\x9f", "!important"};
    std::mt19937 random(kSeed);
    std::uniform_int_distribution<int> count(0, 24);
    std::uniform_int_distribution<std::size_t> piece(0, kPieces.size() - 1);
    for (int round = 0; round < kRandomTexts; ++round) {
        std::string text;
        for (int index = count(random); index > 0; --index) {
            text += kPieces[piece(random)];
        }
        EXPECT_EQ(ReadExact(text) >> 24, 0u) << text;
    }
}

// Texts that stop in the middle of a token.
TEST(Robustness, TruncatedNotationsGiveAColour) {
    const std::string full = "rgb(calc((1e+2 * 2) / 3) 12.5% none / 50%) !important";
    for (std::size_t length = 0; length <= full.size(); ++length) {
        EXPECT_EQ(ReadExact(full.substr(0, length)) >> 24, 0u) << full.substr(0, length);
    }
    for (const std::string& text :
         {std::string("#"), std::string("\xf0\x9f\x98"), std::string("\xe3"),
          std::string("calc(1 +"), std::string("rgb(1e"), std::string("/*"),
          std::string("rgb(1, 2, 3")}) {
        EXPECT_EQ(ReadExact(text) >> 24, 0u) << text;
    }
}

// A megabyte of each kind of repetition: a quadratic step or unbounded
// recursion in any parser would hang or overflow the stack here.
TEST(Robustness, LongTextsFinishAndGiveAColour) {
    const auto repeated = [](std::string_view piece) {
        std::string text;
        while (text.size() < kLongText) {
            text += piece;
        }
        return text;
    };
    for (const std::string_view piece :
         {"(", "calc(", "rgb(", "/*", "*/", "1", "1e", "-", "#", "a", "\xff", "\xf0\x9f\x98\x80",
          " ", "1 + ", "(1 * ", "!important", "ff0000 "}) {
        EXPECT_EQ(ReadExact(repeated(piece)) >> 24, 0u) << piece;
    }
    EXPECT_EQ(Color(static_cast<COLORREF>(ReadExact("rgb(" + repeated("9") + ", 0, 0)"))),
              Color(Triplet(0xff0000)));
    EXPECT_EQ(Color(static_cast<COLORREF>(ReadExact("rgb(0." + repeated("0") + "1e999999, 0, 0)"))),
              Color(Triplet(0x000000)));
}

TEST(Robustness, DeepCalcNestingIsRejectedNotRecursedInto) {
    const auto nested = [](int levels) {
        std::string text = "rgb(";
        for (int level = 0; level < levels; ++level) {
            text += "calc(";
        }
        return text + "255" + std::string(levels, ')') + " 0 0)";
    };
    EXPECT_EQ(Read(nested(30)), Color(Triplet(0xff0000)));
    EXPECT_FALSE(CCssColorParser::Parse(nested(100000)).has_value());
}

} // namespace
