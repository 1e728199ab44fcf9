#pragma once

// Writes a finished result: to standard output, or into a file that is
// replaced as a whole, so that a reader never finds half a file and a
// failure leaves any earlier file as it was.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Throws CCliError when the bytes cannot all be written. Standard output
// carries the bytes as they are (see SetBinaryStandardStreams).
void WriteStandardOutput(std::string_view bytes);
// Writes a temporary file beside path and renames it to path. Throws
// CCliError when any step fails; the temporary file is removed then. Each
// platform has its own (OutputFilePosix.cpp, OutputFileWindows.cpp).
void ReplaceFileContents(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Throws the CCliError that says target cannot be written, and why.
[[noreturn]] void ThrowCannotWrite(const std::string& target, const std::string& reason);
