#pragma once

// Reads one CSS colour value that gives an sRGB colour: keywords, hex
// notations, and the rgb(), rgba(), hsl(), hsla() and hwb() functions in
// their comma and space syntaxes. Alpha is checked and dropped. Text that
// is no such value gives nothing; falling back is the caller's business.

#include "chromlib/CssNumeric.h"
#include "chromlib/CssTokenizer.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

class CCssColorParser {
public:
    // The colour as 0x00BBGGRR. Keywords and function names match in any
    // ASCII case; white space around the value is allowed.
    static std::optional<std::uint32_t> Parse(std::string_view text);

private:
    struct Arguments {
        std::array<CssNumeric, 3> channels;
        bool commaSeparated = false;
    };

    explicit CCssColorParser(std::string_view text) : m_tokens(text) {}

    std::optional<std::uint32_t> ParseValue();
    std::optional<std::uint32_t> ParseFunction(const CssToken& function);
    std::optional<Arguments> ReadArguments(bool commasAllowed);
    bool ReadAlpha(bool commaSeparated);
    std::optional<CssNumeric> ReadComponent();

    static std::optional<std::uint32_t> FromKeyword(std::string_view name);
    static std::optional<std::uint32_t> FromHex(std::string_view digits);
    static std::optional<std::uint32_t> FromRgb(const Arguments& arguments);
    static std::optional<std::uint32_t> FromHsl(const Arguments& arguments);
    static std::optional<std::uint32_t> FromHwb(const Arguments& arguments);

    CCssTokenStream m_tokens;
};
