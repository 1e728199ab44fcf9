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
constexpr int kLongestRandomText = 64;
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

// Random bytes; random strings of the pieces of colour notation, which reach
// far deeper into the parsers; and a notation cut at every length.
TEST(Robustness, RandomTextsGiveAColourWithoutHighByte) {
    constexpr std::array<std::string_view, 32> kPieces{
        "rgb(",     "rgba(", "hsl(", "hwb(", "calc(", "(",  ")",        ",",
        "/",        " ",     "+",    "-",    "*",     "1",  "2.5",      "1e",
        "e+",       "%",     "deg",  "turn", "none",  "#",  "fff",      "00",
        "infinity", "nan",   "/*",   "*/",   ".",     "\\", "\xf0\x9f", "!important"};
    std::mt19937 random(kSeed);
    std::uniform_int_distribution<int> count(0, 24);
    std::uniform_int_distribution<std::size_t> piece(0, kPieces.size() - 1);
    std::uniform_int_distribution<int> length(0, kLongestRandomText);
    std::uniform_int_distribution<int> byte(1, 255);
    for (int round = 0; round < kRandomTexts; ++round) {
        std::string bytes(length(random), '\0');
        for (char& c : bytes) {
            c = static_cast<char>(byte(random));
        }
        std::string notation;
        for (int index = count(random); index > 0; --index) {
            notation += kPieces[piece(random)];
        }
        ASSERT_EQ(ReadExact(bytes) >> 24, 0u) << testing::PrintToString(bytes);
        ASSERT_EQ(ReadExact(notation) >> 24, 0u) << notation;
    }
    const std::string full = "rgb(calc((1e+2 * 2) / 3) 12.5% none / 50%) !important";
    for (std::size_t cut = 0; cut <= full.size(); ++cut) {
        ASSERT_EQ(ReadExact(full.substr(0, cut)) >> 24, 0u) << full.substr(0, cut);
    }
}

// A megabyte of each kind of repetition: a quadratic step or unbounded
// recursion in any parser would hang or overflow the stack here; nesting
// deeper than calc() allows is rejected rather than recursed into.
TEST(Robustness, LongAndDeepTextsFinishAndGiveAColour) {
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
