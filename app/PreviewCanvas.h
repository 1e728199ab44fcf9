#pragma once

// The window that shows the one CTintbarView: it hands paint requests and
// mouse input to the view and does nothing else. Where the toolkit counts in
// device pixels (Windows at a display scale above 100 %), it is the client
// area's size times the scale, and pointer positions are turned back into the
// view's 180 x 240 pixels as the picture is enlarged.

#include "app/CanvasSurfaceSource.h"

#include <wx/window.h>

#include <cstdint>

class CTintbarView;

class CPreviewCanvas : public wxWindow {
public:
    explicit CPreviewCanvas(wxWindow* parent);

    CSurfaceSource& GetSurfaceSource() { return m_surfaces; }
    // The view that answers this window's input; nullptr until there is one.
    void SetView(CTintbarView* view) { m_view = view; }
    // Takes the size of the client area at the window's present scale.
    void FitToScale();

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnLButtonDown(wxMouseEvent& event);
    // The view's pixel under a window coordinate.
    std::int32_t ToViewPixel(int coordinate) const;

    CCanvasSurfaceSource m_surfaces;
    CTintbarView* m_view = nullptr;

    wxDECLARE_EVENT_TABLE();
};
