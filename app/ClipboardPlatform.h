#pragma once

// The clipboard's parts that differ between platforms (ClipboardPlatformGtk.cpp,
// ClipboardPlatformWindows.cpp). On X11 and Wayland, Copy offers its text
// under each of the usual text targets: byte for byte the same text in UTF-8,
// or in Latin-1 under the targets that the X11 conventions define as
// Latin-1. All targets go in one offer: the toolkit wrapper offers them one
// at a time, and on Wayland only the last stays.

#include "text/Types.h"

#include <wx/dataobj.h>
#include <wx/string.h>

#include <span>

// False while another program holds the clipboard open. On Windows the
// toolkit opens the clipboard only inside each read or write, where a held
// clipboard would look like a failed read.
bool ClipboardCanBeOpened();

// False when the clipboard refuses the text.
bool OfferClipboardText(const wxString& text);

// The formats Paste takes text in, best first: on X11 and Wayland UTF-8
// (UTF8_STRING) and plain STRING; on Windows only CF_TEXT, the text in the
// system's ANSI code page, which Windows makes from any Unicode text.
std::span<const wxDataFormatId> PasteTextFormats();

// Turns the bytes Paste received in one of those formats into the program's
// code page, in place.
void PastedTextToCodePage(CString& text);
