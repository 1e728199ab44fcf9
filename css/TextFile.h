#pragma once

// Reads the text of a CSS file by name. It knows nothing of CSS; it only
// makes sure that an odd name (a directory, a FIFO, a device, a file that
// changes while it is read) can neither block nor read without bound.

#include "text/Types.h"

#include <cstddef>

// Style sheets are a few kilobytes; a pasted one may be megabytes. Anything
// beyond this is not a style sheet, and reading on would only eat memory.
constexpr std::size_t kMaxTextFileBytes = 64 * 1024 * 1024;

// The bytes of the regular file fileName up to its first NUL byte. A name
// that is missing, unreadable, not a regular file, or a file larger than
// kMaxTextFileBytes gives an empty text; nothing is reported.
CString ReadTextFile(const CString& fileName);
