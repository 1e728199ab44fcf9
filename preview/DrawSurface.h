#pragma once

// The drawing operations that the preview needs on the window's client
// area: solid rectangle fills and one opaque text run. Nothing is ever read
// back from the pixels. How a surface is realised (a raster in memory, a
// toolkit window) is left to the implementations.

#include "text/Types.h"

#include <cstdint>
#include <string_view>

// A coordinate worked out in 64 bits, clamped to the 32-bit range.
std::int32_t ClampToPixel(std::int64_t value);

// The rectangle of width cx and height cy whose top-left corner is (x, y).
// The right and bottom edges are clamped to the 32-bit range instead of
// overflowing.
RECT RectFromSize(std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy);

struct CBitmapSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

class CDrawSurface {
public:
    virtual ~CDrawSurface() = default;

    // Fills left <= x < right, top <= y < bottom.
    virtual void FillRectangle(const RECT& rect, COLORREF color) = 0;
    // Fills x <= px < x + cx, y <= py < y + cy.
    void FillRectangle(std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy,
                       COLORREF color);

    virtual void SetTextBackground(COLORREF color) = 0;
    virtual void SetTextForeground(COLORREF color) = 0;
    // Draws text (bytes in the program's code page) with the first character
    // cell's top-left corner at (x, y), the cells painted opaquely in the
    // text background colour.
    virtual void DrawTextRun(std::int32_t x, std::int32_t y, std::string_view text) = 0;

    // Size of the bitmap the surface draws into; used only when a bar is
    // drawn with a length of zero or less.
    virtual CBitmapSize GetSelectedBitmapSize() const = 0;
};
