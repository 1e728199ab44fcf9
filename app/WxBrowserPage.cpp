#include "app/WxBrowserPage.h"

#include "css/FileReplace.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/utils.h>

#include <system_error>

namespace {

constexpr const char* kFolderPrefix = "tintbar-";
// One name for every write, so that a browser tab showing the page shows the
// newest colours when it is reloaded.
constexpr const char* kPageName = "scrollbars.html";

} // namespace

bool CWxBrowserPage::Write(const std::string& html) {
    // A folder that has gone since (a clean-up of the temporary folder) is
    // made anew.
    std::error_code error;
    if (!m_folder || !std::filesystem::is_directory(m_folder->GetPath(), error)) {
        m_folder = std::make_unique<CPrivateFolder>(kFolderPrefix);
    }
    if (m_folder->GetPath().empty()) {
        return false;
    }
    try {
        ReplaceFileContents(GetPagePath(), html);
        return true;
    } catch (const CFileWriteError&) {
        return false;
    }
}

bool CWxBrowserPage::OpenInBrowser() {
    // The view says what went wrong; the toolkit's own error log stays quiet.
    wxLogNull quiet;
    return wxLaunchDefaultBrowser(wxFileName::FileNameToURL(wxFileName(GetPagePath().native())));
}

std::filesystem::path CWxBrowserPage::GetPagePath() const {
    return m_folder->GetPath() / kPageName;
}
