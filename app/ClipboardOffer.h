#pragma once

// Puts text on the desktop's clipboard under each of the usual text targets
// of X11 and Wayland: byte for byte the same text in UTF-8, or in Latin-1
// under the targets that the X11 conventions define as Latin-1
// (ClipboardOfferGtk.cpp). All targets go in one offer: the toolkit
// wrapper offers them one at a time, and on Wayland only the last stays.

#include <wx/string.h>

// False when the clipboard refuses the text.
bool OfferClipboardText(const wxString& text);
