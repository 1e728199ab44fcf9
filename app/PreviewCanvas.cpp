#include "app/PreviewCanvas.h"

#include "view/TintbarView.h"

#include <wx/dcclient.h>

// clang-format off
wxBEGIN_EVENT_TABLE(CPreviewCanvas, wxWindow)
    EVT_PAINT(CPreviewCanvas::OnPaint)
    EVT_MOTION(CPreviewCanvas::OnMouseMove)
    // The pointer coming in is a move too: it may arrive without a motion
    // event of its own.
    EVT_ENTER_WINDOW(CPreviewCanvas::OnMouseMove)
    EVT_LEFT_DOWN(CPreviewCanvas::OnLButtonDown)
wxEND_EVENT_TABLE()
    // clang-format on

    CPreviewCanvas::CPreviewCanvas(wxWindow* parent)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxSize(kClientWidth, kClientHeight)),
      m_surfaces(*this) {
    // The view covers every pixel, so the toolkit need not erase first.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
}

void CPreviewCanvas::OnPaint(wxPaintEvent&) {
    wxPaintDC context(this);
    if (m_view == nullptr) {
        return;
    }
    m_surfaces.SetPaintContext(&context);
    m_view->OnDraw();
    m_surfaces.SetPaintContext(nullptr);
}

void CPreviewCanvas::OnMouseMove(wxMouseEvent& event) {
    if (m_view != nullptr) {
        m_view->OnMouseMove(event.GetX(), event.GetY());
    }
    event.Skip();
}

void CPreviewCanvas::OnLButtonDown(wxMouseEvent& event) {
    // Default processing (taking the focus) first: the view may run a modal
    // dialog before it returns.
    SetFocus();
    if (m_view != nullptr) {
        m_view->OnLButtonDown(event.GetX(), event.GetY());
    }
}
