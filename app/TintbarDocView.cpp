#include "app/TintbarDocView.h"

#include "app/MainFrame.h"
#include "view/TintbarView.h"

#include <wx/app.h>

wxIMPLEMENT_DYNAMIC_CLASS(CTintbarDocView, wxView);

bool CTintbarDocView::OnCreate(wxDocument* document, long flags) {
    if (!wxView::OnCreate(document, flags)) {
        return false;
    }
    SetFrame(wxTheApp->GetTopWindow());
    return GetFrame() != nullptr;
}

// The preview paints itself through its canvas; the framework never draws
// through this view.
void CTintbarDocView::OnDraw(wxDC*) {}

// The framework would retitle the frame after the document; the title
// stays the product's name.
void CTintbarDocView::OnChangeFilename() {}

CTintbarView& CTintbarDocView::GetPreview() const {
    return static_cast<CMainFrame*>(GetFrame())->GetPreview();
}

void CTintbarDocView::OnEditUndo(wxCommandEvent&) {
    GetPreview().OnEditUndo();
}

void CTintbarDocView::OnEditCopy(wxCommandEvent&) {
    GetPreview().OnEditCopy();
}

void CTintbarDocView::OnEditCopyModern(wxCommandEvent&) {
    GetPreview().OnEditCopyModern();
}

void CTintbarDocView::OnEditPaste(wxCommandEvent&) {
    GetPreview().OnEditPaste();
}

void CTintbarDocView::OnEditViewInBrowser(wxCommandEvent&) {
    GetPreview().OnEditViewInBrowser();
}

void CTintbarDocView::OnUpdateAlwaysEnabled(wxUpdateUIEvent& event) {
    event.Enable(true);
}

// The framework's own Undo handler would run the document's command
// processor and disable the item; the view answers first. The table stands
// last, left as written: the formatter would indent whatever followed it.
// clang-format off
wxBEGIN_EVENT_TABLE(CTintbarDocView, wxView)
    EVT_MENU(wxID_UNDO, CTintbarDocView::OnEditUndo)
    EVT_MENU(wxID_COPY, CTintbarDocView::OnEditCopy)
    EVT_MENU(kCopyModernCommand, CTintbarDocView::OnEditCopyModern)
    EVT_MENU(wxID_PASTE, CTintbarDocView::OnEditPaste)
    EVT_MENU(kViewInBrowserCommand, CTintbarDocView::OnEditViewInBrowser)
    EVT_UPDATE_UI(wxID_UNDO, CTintbarDocView::OnUpdateAlwaysEnabled)
    EVT_UPDATE_UI(wxID_COPY, CTintbarDocView::OnUpdateAlwaysEnabled)
    EVT_UPDATE_UI(kCopyModernCommand, CTintbarDocView::OnUpdateAlwaysEnabled)
    EVT_UPDATE_UI(wxID_PASTE, CTintbarDocView::OnUpdateAlwaysEnabled)
    EVT_UPDATE_UI(kViewInBrowserCommand, CTintbarDocView::OnUpdateAlwaysEnabled)
wxEND_EVENT_TABLE()
