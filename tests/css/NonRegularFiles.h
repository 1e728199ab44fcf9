#pragma once

// Names that open as something other than a regular file, made in folder
// where they need making: a FIFO without a writer, a folder, a device that
// never ends (NonRegularFilesPosix.cpp, NonRegularFilesWindows.cpp).

#include "text/Types.h"

#include <filesystem>
#include <vector>

std::vector<CString> MakeNonRegularFiles(const std::filesystem::path& folder);
