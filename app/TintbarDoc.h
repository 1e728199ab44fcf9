#pragma once

// The document of the framework's New and Open: it holds nothing, so
// opening a file loads nothing, and it is never saved, so no file is ever
// written. The colours live in the view alone.

#include <wx/docview.h>

#include <iosfwd>

class CTintbarDoc : public wxDocument {
public:
    bool OnNewDocument() override;
    bool Save() override;
    bool SaveAs() override;
    std::ostream& SaveObject(std::ostream& stream) override;
    std::istream& LoadObject(std::istream& stream) override;

private:
    wxDECLARE_DYNAMIC_CLASS(CTintbarDoc);
};
