#include "chromlib/LegacyColorParser.h"

#include "chromlib/AsciiText.h"
#include "chromlib/ColorSpaces.h"
#include "chromlib/NamedColors.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::size_t kChannelCount = 3;
constexpr char32_t kLastBasicPlaneCodePoint = 0xFFFF;
constexpr char32_t kReplacementCharacter = 0xFFFD;

bool IsHexDigit(char c) {
    return ascii::HexDigitValue(c) >= 0;
}

// Decodes one UTF-8 character at the front of text and removes it. An
// invalid sequence gives U+FFFD and loses only the bytes that began to form
// a character, as the WHATWG decoder does.
char32_t TakeCodePoint(std::string_view& text) {
    const auto byteAt = [&text](std::size_t index) {
        return static_cast<unsigned char>(text[index]);
    };
    const unsigned char lead = byteAt(0);
    std::size_t length = 1;
    char32_t codePoint = lead;
    unsigned char lowest = 0x80;
    unsigned char highest = 0xBF;
    if (lead < 0x80) {
        text.remove_prefix(1);
        return lead;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        lowest = lead == 0xE0 ? 0xA0 : 0x80;
        highest = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        lowest = lead == 0xF0 ? 0x90 : 0x80;
        highest = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        text.remove_prefix(1);
        return kReplacementCharacter;
    }
    for (std::size_t index = 1; index < length; ++index) {
        if (index >= text.size() || byteAt(index) < lowest || byteAt(index) > highest) {
            text.remove_prefix(index);
            return kReplacementCharacter;
        }
        codePoint = (codePoint << 6) | (byteAt(index) & 0x3F);
        lowest = 0x80;
        highest = 0xBF;
    }
    text.remove_prefix(length);
    return codePoint;
}

} // namespace

std::optional<std::uint32_t> CLegacyColorParser::Parse(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    const std::string_view stripped = ascii::TrimCssWhitespace(text);
    if (ascii::EqualsLowerName(stripped, "transparent")) {
        return std::nullopt;
    }
    if (stripped.size() <= CNamedColors::kLongestName) {
        if (const std::optional<std::uint32_t> named =
                CNamedColors::FindNamed(ascii::Lower(stripped))) {
            return named;
        }
    }
    if (const std::optional<std::uint32_t> shortHex = FromShortHex(stripped)) {
        return shortHex;
    }
    std::string digits = Narrowed(stripped);
    if (!digits.empty() && digits.front() == '#') {
        digits.erase(0, 1);
    }
    return FromDigits(std::move(digits));
}

std::string CLegacyColorParser::Narrowed(std::string_view text) {
    std::string narrowed;
    while (!text.empty() && narrowed.size() < kMaximumLength) {
        const char32_t codePoint = TakeCodePoint(text);
        if (codePoint < 0x80) {
            narrowed += static_cast<char>(codePoint);
        } else if (codePoint > kLastBasicPlaneCodePoint) {
            narrowed += "00";
        } else {
            narrowed += '0';
        }
    }
    narrowed.resize(std::min(narrowed.size(), kMaximumLength));
    return narrowed;
}

// Exactly "#" and three hex digits: each digit stands for itself twice.
std::optional<std::uint32_t> CLegacyColorParser::FromShortHex(std::string_view text) {
    if (text.size() != 4 || text[0] != '#' || !IsHexDigit(text[1]) || !IsHexDigit(text[2]) ||
        !IsHexDigit(text[3])) {
        return std::nullopt;
    }
    constexpr std::uint32_t kRepeat = 0x11;
    return CColorSpaces::Pack(ascii::HexDigitValue(text[1]) * kRepeat,
                              ascii::HexDigitValue(text[2]) * kRepeat,
                              ascii::HexDigitValue(text[3]) * kRepeat);
}

// Non-hex characters read as 0; the digits are padded to three equal
// channels, which keep their last eight digits, lose leading zeros common
// to all three while longer than two, and are read by their first two.
std::uint32_t CLegacyColorParser::FromDigits(std::string digits) {
    for (char& c : digits) {
        if (!IsHexDigit(c)) {
            c = '0';
        }
    }
    while (digits.empty() || digits.size() % kChannelCount != 0) {
        digits += '0';
    }
    std::size_t length = digits.size() / kChannelCount;
    std::array<std::string_view, kChannelCount> channels;
    for (std::size_t index = 0; index < kChannelCount; ++index) {
        channels[index] = std::string_view(digits).substr(index * length, length);
        if (length > kMaximumChannelLength) {
            channels[index].remove_prefix(length - kMaximumChannelLength);
        }
    }
    length = std::min(length, kMaximumChannelLength);
    while (length > kShortestChannelLength &&
           std::all_of(channels.begin(), channels.end(),
                       [](std::string_view channel) { return channel.front() == '0'; })) {
        for (std::string_view& channel : channels) {
            channel.remove_prefix(1);
        }
        --length;
    }
    std::array<std::uint32_t, kChannelCount> values{};
    for (std::size_t index = 0; index < kChannelCount; ++index) {
        for (const char c : channels[index].substr(0, kShortestChannelLength)) {
            values[index] =
                values[index] * 16 + static_cast<std::uint32_t>(ascii::HexDigitValue(c));
        }
    }
    return CColorSpaces::Pack(values[0], values[1], values[2]);
}
