#pragma once

// A folder of the program's own for files that other programs are handed
// (the page shown in a browser): only the current user can enter it, it
// lies under the user's runtime folder or else the temporary folder, and its
// name is new and unguessable, so no one can have prepared it. It is removed
// with everything in it when the object goes. What goes into it is left to
// the caller.

#include <filesystem>
#include <string>

class CPrivateFolder {
public:
    // Creates the folder, named prefix followed by a random part; GetPath()
    // is empty when no folder could be created.
    explicit CPrivateFolder(const std::string& prefix);
    ~CPrivateFolder();
    CPrivateFolder(const CPrivateFolder&) = delete;
    CPrivateFolder& operator=(const CPrivateFolder&) = delete;

    const std::filesystem::path& GetPath() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Creates a new folder for the current user alone under the user's runtime
// or temporary folder; empty when none can be created. Each platform has its
// own (PrivateFolderPosix.cpp, PrivateFolderWindows.cpp).
std::filesystem::path CreatePrivateFolder(const std::string& prefix);
