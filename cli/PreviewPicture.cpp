#include "cli/PreviewPicture.h"

#include "preview/ScrollBarModel.h"
#include "view/TintbarView.h"

namespace {

// The window's layout: the horizontal bar across the top left at three
// times the natural size, the page background below it, the grey strip
// along the bottom and the vertical bar down the right edge, over the
// strip's right end.
constexpr std::int32_t kVerticalBarWidth = 17;
constexpr std::int32_t kVerticalBarLeft = kClientWidth - kVerticalBarWidth;
constexpr std::int32_t kHorizontalBarWidth = kVerticalBarLeft;
constexpr std::int32_t kHorizontalBarHeight = 51;
constexpr std::int32_t kStripHeight = 21;
constexpr std::int32_t kStripTop = kClientHeight - kStripHeight;
constexpr std::int32_t kBackgroundHeight = kStripTop - kHorizontalBarHeight;
constexpr std::int32_t kHorizontalScale = 3;
constexpr std::int32_t kVerticalScale = 1;
constexpr COLORREF kStripGrey = 0xD9D9D9;
// The page background is the user's choice in the window; the exported
// picture shows the start-up white.
constexpr COLORREF kPageBackground = kWhite;

} // namespace

CRasterSurface RenderPreviewPicture(const ColorList& colors) {
    CRasterSurface surface(kClientWidth, kClientHeight);
    CScrollBarModel horizontalBar(colors);
    horizontalBar.SetScale(kHorizontalScale);
    CScrollBarModel verticalBar(colors);
    verticalBar.SetScale(kVerticalScale);

    surface.FillRectangle(0, kHorizontalBarHeight, kHorizontalBarWidth, kBackgroundHeight,
                          kPageBackground);
    surface.FillRectangle(0, kStripTop, kClientWidth, kStripHeight, kStripGrey);
    horizontalBar.DrawHorizontal(surface, 0, 0, kHorizontalBarWidth, kHorizontalBarHeight);
    verticalBar.DrawVertical(surface, kVerticalBarLeft, 0, kVerticalBarWidth, kClientHeight);
    return surface;
}
