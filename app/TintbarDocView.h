#pragma once

// The framework's view of the empty document. New and Open recreate it;
// it only passes the Edit commands on to the one CTintbarView of the main
// frame, which outlives every document, and keeps the window title.

#include <wx/docview.h>

class CTintbarView;

class CTintbarDocView : public wxView {
public:
    bool OnCreate(wxDocument* document, long flags) override;
    void OnDraw(wxDC* context) override;
    void OnChangeFilename() override;

private:
    CTintbarView& GetPreview() const;
    void OnEditUndo(wxCommandEvent& event);
    void OnEditCopy(wxCommandEvent& event);
    void OnEditCopyModern(wxCommandEvent& event);
    void OnEditPaste(wxCommandEvent& event);
    void OnEditViewInBrowser(wxCommandEvent& event);
    void OnUpdateAlwaysEnabled(wxUpdateUIEvent& event);

    wxDECLARE_DYNAMIC_CLASS(CTintbarDocView);
    wxDECLARE_EVENT_TABLE();
};
