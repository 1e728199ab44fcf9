#pragma once

// The page for the browser, written into a folder of the program's own that
// is made on first use and removed, page and all, with the main window; it is
// opened through the toolkit's call for the desktop's default browser.

#include "css/PrivateFolder.h"
#include "view/ViewPlatform.h"

#include <filesystem>
#include <memory>

class CWxBrowserPage : public CBrowserPage {
public:
    bool Write(const std::string& html) override;
    bool OpenInBrowser() override;

private:
    std::filesystem::path GetPagePath() const;

    std::unique_ptr<CPrivateFolder> m_folder;
};
