#pragma once

// Conversion of the program's own text (bytes in its multibyte code page)
// to the toolkit's strings, and of UTF-8 from other programs to it. Both are
// linear in the length of the text and never fail: what cannot be converted
// is replaced.

#include "text/MultiByte.h"
#include "text/Types.h"

#include <wx/string.h>

#include <string_view>

// Bytes that are not valid in the code page (by default the program's)
// become U+FFFD.
wxString ToWxString(std::string_view text, int codePage = multibyte::GetCodePage());

// Turns UTF-8 text into the program's code page, in place. In UTF-8 the
// bytes stay as they are, invalid ones too: the text rules read a byte that
// begins no valid character as a character of its own, as in a file. In
// another code page a character that it cannot hold, and each invalid byte,
// becomes '?'; the text never grows.
void Utf8ToCodePageInPlace(CString& text);
