#include "app/CanvasSurfaceSource.h"

#include "app/CodePageText.h"
#include "view/TintbarView.h"

#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/utils.h>

#include <algorithm>

namespace {

wxColour ToWxColour(COLORREF color) {
    return wxColour(RedOf(color), GreenOf(color), BlueOf(color));
}

// Drawing through a client context outside a paint request reaches the
// screen on X11 only; elsewhere (native Wayland) the window is asked to
// repaint itself at once instead.
bool ClientContextReachesScreen() {
    return wxGetDisplayInfo().type == wxDisplayX11;
}

} // namespace

CCanvasSurfaceSource::CCanvasSurfaceSource(wxWindow& window) : m_window(window) {}

CDrawSurface* CCanvasSurfaceSource::ObtainSurface() {
    m_raster.emplace(kClientWidth, kClientHeight);
    return &*m_raster;
}

void CCanvasSurfaceSource::ReleaseSurface(CDrawSurface& surface) {
    if (!m_raster || &surface != &*m_raster) {
        return;
    }
    if (m_paintContext != nullptr) {
        Show(*m_raster, *m_paintContext);
    } else if (ClientContextReachesScreen()) {
        wxClientDC context(&m_window);
        Show(*m_raster, context);
    } else {
        // The paint request that this causes draws everything afresh.
        m_raster.reset();
        m_window.Refresh(false);
        m_window.Update();
        return;
    }
    m_raster.reset();
}

void CCanvasSurfaceSource::Show(const CRasterSurface& raster, wxDC& context) const {
    wxImage image(raster.GetWidth(), raster.GetHeight(), false);
    const auto& rgb = raster.GetRgbData();
    std::copy(rgb.begin(), rgb.end(), image.GetData());
    context.DrawBitmap(wxBitmap(image), 0, 0);

    context.SetFont(m_window.GetFont());
    context.SetBackgroundMode(wxBRUSHSTYLE_SOLID);
    for (const CTextRun& run : raster.GetTextRuns()) {
        context.SetTextBackground(ToWxColour(run.background));
        context.SetTextForeground(ToWxColour(run.foreground));
        context.DrawText(ToWxString(run.text), run.x, run.y);
    }
}
