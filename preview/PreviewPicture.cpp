#include "view/PreviewPicture.h"

void DrawPreviewPicture(CDrawSurface& surface, CPreviewBars& bars, COLORREF background) {
    surface.FillRectangle(0, kHorizontalBarHeight, kHorizontalBarWidth, kBackgroundHeight,
                          background);
    surface.FillRectangle(0, kStripTop, kClientWidth, kStripHeight, kStripGrey);
    bars[kHorizontalBar].DrawHorizontal(surface, 0, 0, kHorizontalBarWidth, kHorizontalBarHeight);
    // Drawn after the strip, so it covers the strip's right end.
    bars[kVerticalBar].DrawVertical(surface, kVerticalBarLeft, 0, kVerticalBarWidth,
                                    kClientHeight);
}
