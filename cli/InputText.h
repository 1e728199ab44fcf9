#pragma once

// Reads the CSS text for tintbar-css from a file or from standard input, as
// Paste takes text from the clipboard: up to the first NUL byte, trimmed.
// What the text says is left to the CSS import.

#include "text/Types.h"

#include <string>

// The text of the file at path, or of standard input for "-". Throws
// CCliError when the file cannot be opened or read, when it holds more than
// kMaxTextFileBytes before a NUL, or when the text is blank after trimming.
CString ReadInputText(const std::string& path);
