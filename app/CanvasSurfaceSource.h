#pragma once

// The view's drawing surface on the canvas window: each paint draws into a
// fresh raster of the client area, and releasing it shows the raster,
// enlarged to the window's display scale, and the recorded text runs, in a
// font of that scale, on the window at once.

#include "preview/RasterSurface.h"
#include "view/ViewPlatform.h"

#include <wx/dc.h>
#include <wx/font.h>
#include <wx/window.h>

#include <optional>

// Device pixels per pixel of the view where the toolkit counts in device
// pixels (Windows above 100 %); 1 where it scales for the program (GTK).
double GetDeviceScale(const wxWindow& window);

class CCanvasSurfaceSource : public CSurfaceSource {
public:
    explicit CCanvasSurfaceSource(wxWindow& window);

    CDrawSurface* ObtainSurface() override;
    void ReleaseSurface(CDrawSurface& surface) override;

    // While a paint request is answered, surfaces are shown on its context
    // instead of a fresh one of the window; nullptr ends that.
    void SetPaintContext(wxDC* paintContext) { m_paintContext = paintContext; }

private:
    void Show(const CRasterSurface& raster, wxDC& context);
    // The font for text whose line must be at most height view pixels
    // tall, at the display scale.
    const wxFont& TextFont(int height, double scale);

    wxWindow& m_window;
    std::optional<CRasterSurface> m_raster;
    wxDC* m_paintContext = nullptr;
    wxFont m_textFont;
    int m_textFontHeight = -1;
    double m_textFontScale = 0;
};
