#pragma once

// HTML's rules for parsing a legacy colour value, as browsers apply them to
// attributes such as bgcolor: every text but the empty one and
// "transparent" gives a colour, "chucknorris" included. The text is read as
// UTF-8; bytes that are not valid UTF-8 count as the replacement characters
// that a decoder would put in their place.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CLegacyColorParser {
public:
    // The colour as 0x00BBGGRR, or nothing where the rules fail.
    static std::optional<std::uint32_t> Parse(std::string_view text);

private:
    static constexpr std::size_t kMaximumLength = 128;
    static constexpr std::size_t kMaximumChannelLength = 8;
    static constexpr std::size_t kShortestChannelLength = 2;

    // The text cut to kMaximumLength characters, each a byte: ASCII stays,
    // every other character becomes '0', one outside the Basic Multilingual
    // Plane "00".
    static std::string Narrowed(std::string_view text);
    static std::optional<std::uint32_t> FromShortHex(std::string_view text);
    static std::uint32_t FromDigits(std::string digits);
};
