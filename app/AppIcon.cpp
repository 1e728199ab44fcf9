#include "app/AppIcon.h"

#include "AppIconSvg.h"

#include <array>

namespace {

constexpr int kDefaultIconSize = 32;
constexpr std::array<int, 4> kFrameIconSizes = {16, 32, 48, 64};

} // namespace

wxBitmapBundle GetAppIconBitmap() {
    return wxBitmapBundle::FromSVG(kAppIconSvg, wxSize(kDefaultIconSize, kDefaultIconSize));
}

wxIconBundle GetAppIconBundle() {
    const wxBitmapBundle bitmaps = GetAppIconBitmap();
    wxIconBundle icons;
    for (const int size : kFrameIconSizes) {
        wxIcon icon;
        icon.CopyFromBitmap(bitmaps.GetBitmap(wxSize(size, size)));
        icons.AddIcon(icon);
    }
    return icons;
}
