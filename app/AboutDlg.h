#pragma once

// The About box: the product's name and version, the notice and the
// project's address beside the icon; OK closes it.

#include <wx/dialog.h>

class CAboutDlg : public wxDialog {
public:
    explicit CAboutDlg(wxWindow* parent);
};
