#pragma once

// The picture the view must paint, built from the screen layout and the
// bars' rectangles as written out by hand for the preview tests.

#include "preview/RasterSurface.h"
#include "text/Types.h"

#include <cstddef>

constexpr COLORREF kExpectedStripGrey = 0xD9D9D9;

// Where an element's colour stands in a list in colour list order.
constexpr std::size_t PositionOf(int element) {
    return element == kFace ? 1 : element == kTrack ? 0 : static_cast<std::size_t>(element - 1);
}

// Page background, strip, the horizontal bar, then the vertical bar over the
// strip's right end; `colors` in colour list order.
CRasterSurface BuildExpectedPicture(COLORREF background, const ColorList& colors);
