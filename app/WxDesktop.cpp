#include "app/WxDesktop.h"

#include "app/CodePageText.h"

#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

CWxDesktop::CWxDesktop(wxWindow& owner) : m_owner(owner) {}

void CWxDesktop::Beep() {
    wxBell();
}

void CWxDesktop::ShowMessage(const CString& text, const std::optional<CString>& caption) {
    const wxString title = caption ? ToWxString(*caption) : wxTheApp->GetAppName();
    wxMessageBox(ToWxString(text), title, wxOK, &m_owner);
}

void CWxDesktop::Pause(int milliseconds) {
    wxMilliSleep(static_cast<unsigned long>(milliseconds));
}
