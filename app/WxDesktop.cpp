#include "app/WxDesktop.h"

#include "app/CodePageText.h"
#include "view/ViewTexts.h"

#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

CWxDesktop::CWxDesktop(wxWindow& owner) : m_owner(owner) {}

void CWxDesktop::Beep() {
    wxBell();
}

void CWxDesktop::ShowMessage(const CString& text, const std::optional<CString>& caption) {
    // The view's messages are its own texts, not text in the program's code
    // page.
    const int codePage = GetViewTextCodePage();
    const wxString title = caption ? ToWxString(*caption, codePage) : wxTheApp->GetAppName();
    wxMessageBox(ToWxString(text, codePage), title, wxOK, &m_owner);
}

void CWxDesktop::Pause(int milliseconds) {
    wxMilliSleep(static_cast<unsigned long>(milliseconds));
}
