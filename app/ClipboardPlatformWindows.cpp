#include "app/ClipboardPlatform.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include <windows.h>

bool ClipboardCanBeOpened() {
    if (!OpenClipboard(nullptr)) {
        return false;
    }
    CloseClipboard();
    return true;
}

// The text goes on the clipboard as Unicode text; Windows itself offers it
// to other programs as CF_TEXT in the ANSI code page too.
bool OfferClipboardText(const wxString& text) {
    return wxTheClipboard->SetData(new wxTextDataObject(text));
}

// Windows gives CF_TEXT in the ANSI code page, the program's own: the bytes
// need no conversion, and text in other scripts arrives with '?' in place
// of what the code page lacks.
std::span<const wxDataFormatId> PasteTextFormats() {
    static constexpr wxDataFormatId kFormats[] = {wxDF_TEXT};
    return kFormats;
}

void PastedTextToCodePage(CString&) {}
