#pragma once

// The Copy text as the clipboard offers it to other programs: under each of
// the usual text targets of X11 and Wayland, byte for byte the same text in
// UTF-8, or in Latin-1 under the targets that the X11 conventions define
// as Latin-1. It is only written, never read back.

#include <wx/dataobj.h>

#include <string>

class CClipboardText : public wxDataObject {
public:
    explicit CClipboardText(const wxString& text);

    wxDataFormat GetPreferredFormat(Direction direction) const override;
    size_t GetFormatCount(Direction direction) const override;
    void GetAllFormats(wxDataFormat* formats, Direction direction) const override;
    size_t GetDataSize(const wxDataFormat& format) const override;
    bool GetDataHere(const wxDataFormat& format, void* buffer) const override;

private:
    const std::string& BytesFor(const wxDataFormat& format) const;

    std::string m_utf8;
    std::string m_latin1;
};
