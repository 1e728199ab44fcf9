#include "app/TintbarApp.h"

#include "app/AboutDlg.h"
#include "app/AppPlatform.h"
#include "app/HelpAndVersion.h"
#include "app/MainFrame.h"
#include "app/TintbarDoc.h"
#include "app/TintbarDocView.h"
#include "app/UserSettings.h"
#include "app/WindowLook.h"
#include "text/ProductName.h"

#include <wx/clipbrd.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

#include <cstdlib>
#include <optional>

namespace {

constexpr const char* kAppName = "Tintbar";
constexpr const char* kDocumentTypeName = "Tintbar.Document";
constexpr const char* kViewTypeName = "Tintbar.View";
constexpr const char* kDocumentPathParameter = "file";
constexpr std::size_t kRecentFileCount = 4;

// The framework's document manager for one document, created at start-up
// and kept: New, Open and the recent files, reachable only through their
// keys while the File menu is disabled, do nothing, and the document
// refuses Save. The Edit commands reach the preview through the
// document's view.
class CTintbarDocManager : public wxDocManager {
public:
    // Initialize() runs once the object is complete, so that it finds the
    // file history of this class.
    CTintbarDocManager() : wxDocManager(0, false) { Initialize(); }

    wxFileHistory* OnCreateFileHistory() override { return new wxFileHistory(kRecentFileCount); }

    wxDocument* CreateDocument(const wxString& path, long flags) override {
        if (!GetDocuments().empty()) {
            return nullptr;
        }
        return wxDocManager::CreateDocument(path, flags);
    }
};

} // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(CTintbarApp, wxApp)
    EVT_MENU(wxID_ABOUT, CTintbarApp::OnAppAbout)
wxEND_EVENT_TABLE()

wxIMPLEMENT_APP_NO_MAIN(CTintbarApp);
// clang-format on

CTintbarApp::CTintbarApp() {
    SetAppName(kAppName);
}

CTintbarApp::~CTintbarApp() = default;

bool CTintbarApp::Initialize(int& argumentCount, wxChar** arguments) {
    bool initialized = false;
    {
        wxLogNull quiet;
        initialized = wxApp::Initialize(argumentCount, arguments);
    }
    if (!initialized) {
        ReportDisplayFailure();
    }
    return initialized;
}

void CTintbarApp::OnInitCmdLine(wxCmdLineParser& parser) {
    wxApp::OnInitCmdLine(parser);
    parser.AddParam(kDocumentPathParameter, wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL);
}

bool CTintbarApp::OnCmdLineParsed(wxCmdLineParser& parser) {
    if (parser.GetParamCount() > 0) {
        m_documentPath = parser.GetParam(0);
    }
    return wxApp::OnCmdLineParsed(parser);
}

bool CTintbarApp::OnInit() {
    if (!wxApp::OnInit()) {
        return false;
    }
    UseCompactDecorations();
    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
    // Nothing but the recent-file list is kept, in a file of its own.
    wxConfigBase::DontCreateOnDemand();
    m_settings = std::make_unique<CUserSettings>(kAppName);

    m_docManager = new CTintbarDocManager;
    m_docManager->SetMaxDocsOpen(1);
    new wxDocTemplate(m_docManager, kAppName, "*", "", "", kDocumentTypeName, kViewTypeName,
                      CLASSINFO(CTintbarDoc), CLASSINFO(CTintbarDocView));
    m_docManager->FileHistoryLoad(m_settings->Get());

    // The frame constructs the view, which reads "default.css".
    auto* frame = new CMainFrame(m_docManager);
    SetTopWindow(frame);
    const wxDocument* document = m_documentPath.empty()
                                     ? m_docManager->CreateDocument(wxString(), wxDOC_NEW)
                                     : m_docManager->CreateDocument(m_documentPath, wxDOC_SILENT);
    if (document == nullptr) {
        frame->Destroy();
        return false;
    }

    FitTitleBar(*frame);
    frame->Show();
    frame->Update();
    frame->SetTitle(wxString(kProductName.data(), kProductName.size()));
    return true;
}

int CTintbarApp::OnExit() {
    if (m_docManager != nullptr) {
        m_docManager->FileHistorySave(m_settings->Get());
        m_settings->Save();
        delete m_docManager;
        m_docManager = nullptr;
    }
    m_settings.reset();
    // Leaves the copied text with the desktop's clipboard keeper, where
    // there is one, so that it outlives the program.
    wxTheClipboard->Flush();
    return wxApp::OnExit();
}

void CTintbarApp::OnAppAbout(wxCommandEvent&) {
    CAboutDlg dialog(GetTopWindow());
    dialog.ShowModal();
}

int main(int argc, char** argv) {
    if (const std::optional<int> status = AnswerHelpOrVersion(argc, argv)) {
        return *status;
    }
    if (!PrepareDisplay()) {
        return EXIT_FAILURE;
    }
    const int status = wxEntry(argc, argv);
    return status < 0 ? EXIT_FAILURE : status;
}
