#include "app/CanvasSurfaceSource.h"

#include "app/AppPlatform.h"
#include "app/CodePageText.h"
#include "preview/PreviewPicture.h"
#include "view/ViewTexts.h"

#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/image.h>

#include <algorithm>
#include <cmath>

namespace {

wxColour ToWxColour(COLORREF color) {
    return wxColour(RedOf(color), GreenOf(color), BlueOf(color));
}

// Text runs are drawn in the window's font, which the toolkit gives the
// window's display scale, made smaller where large text settings would let a
// line reach beyond the bottom of the client area.
constexpr double kSmallestTextPoints = 4.0;
constexpr double kTextPointStep = 0.5;

wxFont FontFittingHeight(const wxWindow& window, int height, double scale) {
    // Every script of the labels: kanji, kana, half-width kana and Latin.
    const wxString sample = wxString::FromUTF8("背景トラックﾚﾃﾞｨ(option)");
    wxFont font = window.GetFont();
    height = static_cast<int>(std::lround(height * scale));
    int lineHeight = 0;
    window.GetTextExtent(sample, nullptr, &lineHeight, nullptr, nullptr, &font);
    while (lineHeight > height && font.GetFractionalPointSize() > kSmallestTextPoints) {
        font.SetFractionalPointSize(font.GetFractionalPointSize() - kTextPointStep);
        window.GetTextExtent(sample, nullptr, &lineHeight, nullptr, nullptr, &font);
    }
    return font;
}

} // namespace

double GetDeviceScale(const wxWindow& window) {
    return window.GetDPIScaleFactor() / window.GetContentScaleFactor();
}

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
    } else if (ClientDrawingReachesScreen()) {
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

void CCanvasSurfaceSource::Show(const CRasterSurface& raster, wxDC& context) {
    const double scale = GetDeviceScale(m_window);
    const CRasterSurface shown = raster.Scaled(scale);
    wxImage image(shown.GetWidth(), shown.GetHeight(), false);
    const auto& rgb = shown.GetRgbData();
    std::copy(rgb.begin(), rgb.end(), image.GetData());
    context.DrawBitmap(wxBitmap(image), 0, 0);

    context.SetBackgroundMode(wxBRUSHSTYLE_SOLID);
    for (std::size_t index = 0; index < shown.GetTextRuns().size(); ++index) {
        const CTextRun& run = shown.GetTextRuns()[index];
        context.SetFont(TextFont(kClientHeight - raster.GetTextRuns()[index].y, scale));
        context.SetTextBackground(ToWxColour(run.background));
        context.SetTextForeground(ToWxColour(run.foreground));
        context.DrawText(ToWxString(run.text, GetViewTextCodePage()), run.x, run.y);
    }
}

const wxFont& CCanvasSurfaceSource::TextFont(int height, double scale) {
    if (height != m_textFontHeight || scale != m_textFontScale) {
        m_textFont = FontFittingHeight(m_window, height, scale);
        m_textFontHeight = height;
        m_textFontScale = scale;
    }
    return m_textFont;
}
