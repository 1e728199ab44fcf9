#include "cli/PreviewPicture.h"

#include "view/PreviewPicture.h"

namespace {

// The page background is the user's choice in the window; the exported
// picture shows the start-up white.
constexpr COLORREF kPageBackground = kWhite;

} // namespace

CRasterSurface RenderPreviewPicture(const ColorList& colors) {
    CRasterSurface surface(kClientWidth, kClientHeight);
    CPreviewBars bars{CScrollBarModel(colors), CScrollBarModel(colors)};
    bars[kHorizontalBar].SetScale(kHorizontalScale);
    bars[kVerticalBar].SetScale(kVerticalScale);
    DrawPreviewPicture(surface, bars, kPageBackground);
    return surface;
}
