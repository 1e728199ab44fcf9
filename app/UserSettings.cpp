#include "app/UserSettings.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/wfstream.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>

namespace {

// Far more than four file names; a larger file is not one of ours.
constexpr std::streamsize kLargestSettingsFile = 64 * 1024;

// The recent-file entries of the file's text: the toolkit's reader stops
// the program with an assertion on some malformed lines.
std::string RecentFileLines(const std::string& text) {
    static const std::regex entry("^file[0-9]+=[^\r\n\\x00]*$");
    std::string kept;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string line = text.substr(start, end - start);
        if (std::regex_match(line, entry)) {
            kept += line + '\n';
        }
        start = end + 1;
    }
    return kept;
}

std::string ReadSmallFile(const wxString& path) {
    std::ifstream stream(path.fn_str(), std::ios::binary);
    std::string text(static_cast<std::size_t>(kLargestSettingsFile), '\0');
    stream.read(text.data(), kLargestSettingsFile);
    text.resize(static_cast<std::size_t>(stream.gcount()));
    return stream.eof() ? text : std::string();
}

} // namespace

// The toolkit reports a failed read or write through its log, which ends up
// in a message box, or, while the program ends, in a crash; the settings
// are a convenience, so every failure stays silent.
CUserSettings::CUserSettings(const wxString& appName)
    : m_path(wxFileConfig::GetLocalFileName(appName, wxCONFIG_USE_LOCAL_FILE)) {
    wxLogNull quiet;
    const std::string entries = RecentFileLines(ReadSmallFile(m_path));
    wxMemoryInputStream stream(entries.data(), entries.size());
    m_config = std::make_unique<wxFileConfig>(stream);
}

void CUserSettings::Save() {
    wxLogNull quiet;
    const wxString folder = wxFileName(m_path).GetPath();
    if (!wxFileName::DirExists(folder)) {
        wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    }
    // Written beside the file and renamed over it only when complete.
    wxTempFileOutputStream stream(m_path);
    if (stream.IsOk() && m_config->Save(stream) && stream.IsOk()) {
        stream.Commit();
    } else {
        stream.Discard();
    }
}
