#include "preview/PreviewPicture.h"

void DrawPreviewPicture(CDrawSurface& surface, CPreviewBars& bars, COLORREF background) {
    surface.FillRectangle(0, kHorizontalBarHeight, kHorizontalBarWidth, kBackgroundHeight,
                          background);
    surface.FillRectangle(0, kStripTop, kClientWidth, kStripHeight, kStripGrey);
    bars[kHorizontalBar].DrawHorizontal(surface, 0, 0, kHorizontalBarWidth, kHorizontalBarHeight);
    // Drawn after the strip, so it covers the strip's right end.
    bars[kVerticalBar].DrawVertical(surface, kVerticalBarLeft, 0, kVerticalBarWidth, kClientHeight);
}

CRasterSurface RenderPreviewPicture(const ColorList& colors) {
    CRasterSurface surface(kClientWidth, kClientHeight);
    CPreviewBars bars{CScrollBarModel(colors), CScrollBarModel(colors)};
    bars[kHorizontalBar].SetScale(kHorizontalScale);
    bars[kVerticalBar].SetScale(kVerticalScale);
    DrawPreviewPicture(surface, bars, kWhite);
    return surface;
}
