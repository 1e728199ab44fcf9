#pragma once

// The window that shows the one CTintbarView: it hands paint requests and
// mouse input to the view and does nothing else.

#include "app/CanvasSurfaceSource.h"

#include <wx/window.h>

class CTintbarView;

class CPreviewCanvas : public wxWindow {
public:
    explicit CPreviewCanvas(wxWindow* parent);

    CSurfaceSource& GetSurfaceSource() { return m_surfaces; }
    // The view that answers this window's input; nullptr until there is one.
    void SetView(CTintbarView* view) { m_view = view; }

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnLButtonDown(wxMouseEvent& event);

    CCanvasSurfaceSource m_surfaces;
    CTintbarView* m_view = nullptr;

    wxDECLARE_EVENT_TABLE();
};
