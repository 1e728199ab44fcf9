#pragma once

// The desktop's colour chooser through the toolkit, modal to its owner.

#include "view/ViewPlatform.h"

#include <wx/window.h>

class CWxColorDialog : public CColorDialog {
public:
    explicit CWxColorDialog(wxWindow& owner);

    std::optional<COLORREF> RunModal(const CColorDialogRequest& request) override;

private:
    wxWindow& m_owner;
};
