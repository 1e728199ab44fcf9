#pragma once

// Reads the CSS text for tintbar-css from a file or from standard input, as
// Paste takes text from the clipboard: up to the first NUL byte, trimmed.
// What the text says is left to the CSS import.

#include "text/Types.h"

#include <cstdio>
#include <string>

// The text of the file at path, or of standard input for "-". Throws
// CCliError when the file cannot be opened or read, or when the text is
// blank after trimming.
CString ReadInputText(const std::string& path);

// The bytes of stream before its first NUL byte; reading stops there.
// Throws CCliError naming sourceName when a read fails.
CString ReadUpToNul(std::FILE* stream, const std::string& sourceName);
