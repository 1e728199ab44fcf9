#pragma once

// Shorthands for the colour-notation tests: reading a text the way the
// program does, and writing expected colours as CSS writes them.

#include "chromlib/Chromlib.h"
#include "tests/support/Printers.h"

#include <string>
#include <string_view>

// 0xRRGGBB, as in "#rrggbb", to a COLORREF.
constexpr COLORREF Triplet(std::uint32_t rrggbb) {
    return RgbColor((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
}

inline ColorValue Read(std::string_view text) {
    return Color(static_cast<COLORREF>(CChromlib::HtmlColorToRgb(std::string(text).c_str())));
}

struct TextCase {
    std::string_view text;
    std::uint32_t expected; // 0xRRGGBB
};

inline void PrintTo(const TextCase& row, std::ostream* out) {
    *out << '"' << row.text << '"';
}
