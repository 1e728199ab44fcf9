#pragma once

// Opens a file by name only when it is a regular file, without ever waiting:
// the one step of reading a start-up file that differs between platforms.

#include "text/Types.h"

#include <cstdio>
#include <memory>

struct CFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, CFileCloser>;

// The open file for reading in binary, or null when fileName is missing,
// unreadable or anything but a regular file (a directory, a FIFO, a device).
FilePointer OpenRegularFile(const CString& fileName);
