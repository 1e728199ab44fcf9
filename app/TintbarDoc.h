#pragma once

// The document of the framework's New, Open and Save: it holds nothing,
// so opening a file loads nothing and saving writes an empty file. The
// colours live in the view alone.

#include <wx/docview.h>

#include <iosfwd>

class CTintbarDoc : public wxDocument {
public:
    bool OnNewDocument() override;
    // Writes the file even when nothing changed since it was last written.
    bool Save() override;
    std::ostream& SaveObject(std::ostream& stream) override;
    std::istream& LoadObject(std::istream& stream) override;

private:
    wxDECLARE_DYNAMIC_CLASS(CTintbarDoc);
};
