#include "app/PreviewCanvas.h"

#include "view/TintbarView.h"

#include <wx/dcclient.h>

#include <cmath>

CPreviewCanvas::CPreviewCanvas(wxWindow* parent)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition,
               parent->FromDIP(wxSize(kClientWidth, kClientHeight))),
      m_surfaces(*this) {
    // The view covers every pixel, so the toolkit need not erase first.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
}

void CPreviewCanvas::FitToScale() {
    const wxSize size = FromDIP(wxSize(kClientWidth, kClientHeight));
    SetMinSize(size);
    SetSize(size);
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
        m_view->OnMouseMove(ToViewPixel(event.GetX()), ToViewPixel(event.GetY()));
    }
    event.Skip();
}

void CPreviewCanvas::OnLButtonDown(wxMouseEvent& event) {
    // Default processing (taking the focus) first: the view may run a modal
    // dialog before it returns.
    SetFocus();
    if (m_view != nullptr) {
        m_view->OnLButtonDown(ToViewPixel(event.GetX()), ToViewPixel(event.GetY()));
    }
}

std::int32_t CPreviewCanvas::ToViewPixel(int coordinate) const {
    // The pixel whose device span, from round(p * scale) up to
    // round((p + 1) * scale), holds the coordinate: the largest p with
    // p * scale < coordinate + 0.5.
    const double scale = GetDeviceScale(*this);
    return static_cast<std::int32_t>(std::ceil((coordinate + 0.5) / scale)) - 1;
}

// Left as written, and last: the formatter would indent what followed it.
// clang-format off
wxBEGIN_EVENT_TABLE(CPreviewCanvas, wxWindow)
    EVT_PAINT(CPreviewCanvas::OnPaint)
    EVT_MOTION(CPreviewCanvas::OnMouseMove)
    // The pointer coming in is a move too: it may arrive without a motion
    // event of its own.
    EVT_ENTER_WINDOW(CPreviewCanvas::OnMouseMove)
    EVT_LEFT_DOWN(CPreviewCanvas::OnLButtonDown)
wxEND_EVENT_TABLE()
