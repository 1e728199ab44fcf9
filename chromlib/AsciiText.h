#pragma once

// The byte rules that every colour notation shares: CSS white space, ASCII
// case and hex digits. A byte beyond ASCII is never a space, a letter or a
// digit here, whatever the code page makes of it.

#include <algorithm>
#include <string>
#include <string_view>

namespace ascii {

constexpr bool IsCssWhitespace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

constexpr char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string Lower(std::string_view text) {
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(), [](char c) { return Lower(c); });
    return lower;
}

// Whether text, lower-cased, is lowerName.
constexpr bool EqualsLowerName(std::string_view text, std::string_view lowerName) {
    return std::ranges::equal(text, lowerName,
                              [](char c, char lower) { return Lower(c) == lower; });
}

// The value of a hex digit of either case, or -1 for any other byte.
constexpr int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = Lower(c);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

constexpr std::string_view TrimCssWhitespace(std::string_view text) {
    while (!text.empty() && IsCssWhitespace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsCssWhitespace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace ascii
