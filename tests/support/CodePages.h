#pragma once

// Expected texts are written once, in UTF-8, and converted to the program's
// code page by the system's own converter (iconv, or Windows' code page
// functions), independently of the program's own conversions.

#include "text/MultiByte.h"

#include <string_view>

// Throws std::runtime_error when the system cannot convert the text.
CString InCurrentCodePage(std::string_view utf8);
