#include "app/AboutDlg.h"

#include "app/AppIcon.h"
#include "text/ProductName.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace {

constexpr const char* kCaption = "バージョン情報 Tintbar";
constexpr const char* kVersion = "Version 1.0b";
constexpr const char* kNoticeLine = "Copyright (C) 2026 The Tintbar project";
constexpr const char* kAddressLine = "https://tintbar.example/";
// Spacing in dialog units, so that it follows the font.
constexpr int kMarginUnits = 7;
constexpr int kLineGapUnits = 4;

} // namespace

CAboutDlg::CAboutDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, wxString::FromUTF8(kCaption)) {
    const int margin = ConvertDialogToPixels(wxSize(kMarginUnits, 0)).x;
    const int lineGap = ConvertDialogToPixels(wxSize(0, kLineGapUnits)).y;

    auto* lines = new wxBoxSizer(wxVERTICAL);
    lines->Add(new wxStaticText(
        this, wxID_ANY, wxString(kProductName.data(), kProductName.size()) + " " + kVersion));
    lines->AddSpacer(lineGap);
    lines->Add(new wxStaticText(this, wxID_ANY, kNoticeLine));
    lines->AddSpacer(lineGap);
    lines->Add(new wxStaticText(this, wxID_ANY, kAddressLine));

    auto* okButton = new wxButton(this, wxID_OK, "OK");
    okButton->SetDefault();

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticBitmap(this, wxID_ANY, GetAppIconBitmap()), 0, wxALIGN_CENTER_VERTICAL);
    row->AddSpacer(margin);
    row->Add(lines, 1, wxALIGN_CENTER_VERTICAL);
    row->AddSpacer(margin);
    row->Add(okButton, 0, wxALIGN_TOP);

    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(row, 1, wxEXPAND | wxALL, margin);
    SetSizerAndFit(outer);
    SetEscapeId(wxID_OK);
    okButton->SetFocus();
}
