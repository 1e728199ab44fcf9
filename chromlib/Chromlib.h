#pragma once

// The colour-notation library: turns CSS and HTML colour text into a colour
// value and a colour value into "#rrggbb". It depends on nothing else of
// Tintbar. Colours are 0x00BBGGRR, red in the low byte.

#include <cstdint>
#include <string>

class CChromlib {
public:
    // text: NUL-terminated, lower-case and trimmed by the caller, possibly
    // empty. Every text yields a colour: any CSS notation of an sRGB colour
    // (alpha dropped), else the HTML legacy colour rules, else black.
    static unsigned long HtmlColorToRgb(const char* text);
    // "#rrggbb" in lower-case hex from the low 24 bits of color.
    static std::string RgbToHtmlColor(std::uint32_t color);
};
