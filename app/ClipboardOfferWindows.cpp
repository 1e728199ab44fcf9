#include "app/ClipboardOffer.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

// The text goes on the clipboard as Unicode text; Windows itself offers it
// to other programs as CF_TEXT in the ANSI code page too.
bool OfferClipboardText(const wxString& text) {
    return wxTheClipboard->SetData(new wxTextDataObject(text));
}
