#pragma once

// Reads text as the tools take it: up to the first NUL byte, and never more
// than kMaxTextFileBytes. It knows nothing of CSS; opening a start-up file by
// name also makes sure that an odd name (a directory, a FIFO, a device) can
// neither block nor read without bound.

#include "text/Types.h"

#include <cstddef>
#include <cstdio>

// Style sheets are a few kilobytes; a pasted one may be megabytes. Anything
// beyond this is not a style sheet, and reading on would only eat memory.
constexpr std::size_t kMaxTextFileBytes = 64 * 1024 * 1024;

enum class TextReadStatus {
    kRead,    // the text up to the first NUL byte or the end
    kFailed,  // a read failed; errno says why
    kTooLong, // more than kMaxTextFileBytes came before any NUL
};

// Reads stream into text up to its first NUL byte or its end; nothing after
// the NUL is needed. On kFailed and kTooLong, text is left empty.
TextReadStatus ReadUpToNul(std::FILE* stream, CString& text);

// The bytes of the regular file fileName up to its first NUL byte. A name
// that is missing, unreadable or not a regular file, or a text longer than
// kMaxTextFileBytes, gives an empty text; nothing is reported.
CString ReadTextFile(const CString& fileName);
