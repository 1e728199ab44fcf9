#pragma once

// Beeps, message boxes owned by the main window, and pauses, through the
// toolkit.

#include "view/ViewPlatform.h"

#include <wx/window.h>

class CWxDesktop : public CDesktop {
public:
    explicit CWxDesktop(wxWindow& owner);

    void Beep() override;
    void ShowMessage(const CString& text, const std::optional<CString>& caption) override;
    void Pause(int milliseconds) override;

private:
    wxWindow& m_owner;
};
