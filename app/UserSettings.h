#pragma once

// The per-user settings file, which keeps the framework's recent-file list
// and nothing else. It never troubles the user: a missing, unreadable or
// damaged file reads as empty (lines that are no recent-file entry are
// dropped), and a location that cannot be created or written (read-only,
// full, not a folder) leaves the file as it was.

#include <wx/fileconf.h>

#include <memory>

class CUserSettings {
public:
    // Reads the settings file of the application named appName.
    explicit CUserSettings(const wxString& appName);

    CUserSettings(const CUserSettings&) = delete;
    CUserSettings& operator=(const CUserSettings&) = delete;

    wxConfigBase& Get() { return *m_config; }
    // Replaces the file as a whole, creating its folder as needed.
    void Save();

private:
    wxString m_path;
    std::unique_ptr<wxFileConfig> m_config;
};
