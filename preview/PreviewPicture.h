#pragma once

// The preview picture and its layout: the horizontal bar across the top
// left at three times the natural size, the page background below it, the
// grey status strip along the bottom and the vertical bar down the right
// edge, over the strip's right end. The view paints it and puts the label on
// the strip; the command-line tool exports it as an image.

#include "preview/DrawSurface.h"
#include "preview/ElementShape.h"
#include "preview/RasterSurface.h"
#include "preview/ScrollBarModel.h"
#include "text/Types.h"

#include <array>
#include <cstdint>

constexpr std::int32_t kClientWidth = 180;
constexpr std::int32_t kClientHeight = 240;

// Pixels per design unit: the horizontal bar is three times enlarged, so it
// is 51 pixels thick where the vertical bar is 17.
constexpr std::int32_t kHorizontalScale = 3;
constexpr std::int32_t kVerticalScale = 1;

constexpr std::int32_t kVerticalBarWidth = kBarThickness * kVerticalScale;
constexpr std::int32_t kVerticalBarLeft = kClientWidth - kVerticalBarWidth;
constexpr std::int32_t kHorizontalBarWidth = kVerticalBarLeft;
constexpr std::int32_t kHorizontalBarHeight = kBarThickness * kHorizontalScale;
constexpr std::int32_t kStripHeight = 21;
constexpr std::int32_t kStripTop = kClientHeight - kStripHeight;
constexpr std::int32_t kBackgroundHeight = kStripTop - kHorizontalBarHeight;
constexpr COLORREF kStripGrey = 0xD9D9D9;

// Index 0 the horizontal bar, 1 the vertical bar; both hold the same colours.
constexpr int kHorizontalBar = 0;
constexpr int kVerticalBar = 1;
using CPreviewBars = std::array<CScrollBarModel, 2>;

// Paints every pixel of the client area but the label's text.
void DrawPreviewPicture(CDrawSurface& surface, CPreviewBars& bars, COLORREF background);

// The picture as tintbar-css exports it: bars of these colours on the
// start-up white page background, on a raster. The status-strip label is
// left out; a raster records text without drawing it.
CRasterSurface RenderPreviewPicture(const ColorList& colors);
