#pragma once

// Writes a finished result: to standard output, or into a file that is
// replaced as a whole, so that a reader never finds half a file and a
// failure leaves any earlier file as it was.

#include <filesystem>
#include <string>
#include <string_view>

// Throws CCliError when the bytes cannot all be written. Standard output
// carries the bytes as they are (see SetBinaryStandardStreams).
void WriteStandardOutput(std::string_view bytes);
// Replaces the file named on the command line with bytes. Throws CCliError,
// naming the file as given, when it cannot be written.
void WriteOutputFile(const std::string& name, std::string_view bytes);
// The file a command-line name stands for. The name comes in the system's
// code page, which the C++ library's narrow paths need not use; each platform
// has its own (OutputFilePosix.cpp, OutputFileWindows.cpp).
std::filesystem::path CommandLinePath(const std::string& name);

// Throws the CCliError that says target cannot be written, and why.
[[noreturn]] void ThrowCannotWrite(const std::string& target, const std::string& reason);
