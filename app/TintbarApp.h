#pragma once

// The application object: starts the document framework with its one
// template, the main frame and the empty first document, and answers
// Help > About.

#include <wx/app.h>
#include <wx/cmdline.h>

#include <memory>

class CUserSettings;
class wxDocManager;

class CTintbarApp : public wxApp {
public:
    CTintbarApp();
    ~CTintbarApp() override;

    bool Initialize(int& argumentCount, wxChar** arguments) override;
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;
    bool OnInit() override;
    int OnExit() override;

private:
    void OnAppAbout(wxCommandEvent& event);

    wxDocManager* m_docManager = nullptr;
    std::unique_ptr<CUserSettings> m_settings;
    wxString m_documentPath;

    wxDECLARE_EVENT_TABLE();
};

wxDECLARE_APP(CTintbarApp);
