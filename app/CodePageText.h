#pragma once

// Conversion between the program's own text (bytes in its multibyte code
// page) and the toolkit's strings. Both directions are linear in the length
// of the text and never fail: what cannot be converted is replaced.

#include "text/Types.h"

#include <wx/string.h>

#include <string_view>

// Bytes that are not valid in the code page become U+FFFD.
wxString ToWxString(std::string_view text);

// The text up to its first NUL; characters that the code page cannot hold
// become U+FFFD in UTF-8 and '?' in the other code pages.
CString FromWxString(const wxString& text);
