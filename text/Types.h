#pragma once

// The value types that every part of Tintbar shares: colours, rectangles,
// strings and the numbering of the seven scrollbar elements.

#include <array>
#include <cstdint>
#include <string>

// COLORREF, a colour as 0x00BBGGRR (red in the low byte, the high byte
// unused), and RECT, a pixel rectangle of left, top, right and bottom: on
// Windows they are the system's own types, so that code which also sees the
// system's headers sees one COLORREF and one RECT.
#include "text/PlatformTypes.h"

static_assert(sizeof(COLORREF) == 4);
static_assert(sizeof(RECT::left) == 4 && sizeof(RECT) == 16);

constexpr COLORREF RgbColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return COLORREF{red} | (COLORREF{green} << 8) | (COLORREF{blue} << 16);
}
constexpr std::uint8_t RedOf(COLORREF color) {
    return color & 0xFF;
}
constexpr std::uint8_t GreenOf(COLORREF color) {
    return (color >> 8) & 0xFF;
}
constexpr std::uint8_t BlueOf(COLORREF color) {
    return (color >> 16) & 0xFF;
}

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;

// Fills treat a RECT as half-open (right column and bottom row outside);
// element hit tests treat it as closed.

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
