#include "app/WxColorDialog.h"

#include <wx/cmndata.h>
#include <wx/colordlg.h>

CWxColorDialog::CWxColorDialog(wxWindow& owner) : m_owner(owner) {}

std::optional<COLORREF> CWxColorDialog::RunModal(const CColorDialogRequest& request) {
    wxColourData data;
    data.SetChooseFull(request.fullOpen);
    data.SetColour(wxColour(RedOf(request.initialColor), GreenOf(request.initialColor),
                            BlueOf(request.initialColor)));
    wxColourDialog dialog(&m_owner, &data);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    const wxColour chosen = dialog.GetColourData().GetColour();
    return RgbColor(chosen.Red(), chosen.Green(), chosen.Blue());
}
