#pragma once

// The value types that every part of Tintbar shares: colours, rectangles,
// strings and the numbering of the seven scrollbar elements.

#include <array>
#include <cstdint>
#include <string>

// A colour as 0x00BBGGRR: red in the low byte, the high byte unused.
using COLORREF = std::uint32_t;

constexpr COLORREF RgbColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return COLORREF{red} | (COLORREF{green} << 8) | (COLORREF{blue} << 16);
}
constexpr std::uint8_t RedOf(COLORREF color) { return color & 0xFF; }
constexpr std::uint8_t GreenOf(COLORREF color) { return (color >> 8) & 0xFF; }
constexpr std::uint8_t BlueOf(COLORREF color) { return (color >> 16) & 0xFF; }

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;

// Pixel rectangle. Fills treat it as half-open (right column and bottom row
// outside); element hit tests treat it as closed.
struct RECT {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const RECT&, const RECT&) = default;
};

// The system's string: bytes in the program's multibyte code page, with
// value semantics.
using CString = std::string;

// Element numbers: an element's index in its model plus one; 0 is the page
// background, which belongs to no element.
enum ElementNumber : int {
    kNoElement = 0,
    kFace = 1,
    kTrack = 2,
    kShadow = 3,
    kDarkShadow = 4,
    kHighlight = 5,
    k3DLight = 6,
    kArrow = 7,
};
constexpr int kElementCount = 7;

// The order in which the seven colours travel together (SetColors, GetColors,
// the import and the export): track first, face second, the reverse of their
// element numbers.
constexpr std::array<ElementNumber, kElementCount> kColorListOrder = {
    kTrack, kFace, kShadow, kDarkShadow, kHighlight, k3DLight, kArrow};

// Seven colours in colour list order.
using ColorList = std::array<COLORREF, kElementCount>;
