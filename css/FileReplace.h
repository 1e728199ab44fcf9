#pragma once

// Writes a finished file as a whole: a reader never finds half a file, and a
// failure leaves any earlier file of the name as it was. It knows nothing of
// what the bytes hold; naming the file to the user is left to the caller.

#include <filesystem>
#include <stdexcept>
#include <string_view>

// The system's reason why a file could not be written.
class CFileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes a temporary file beside path and moves it into path's place. Throws
// CFileWriteError when any step fails; the temporary file is removed then.
// Each platform has its own (FileReplacePosix.cpp, FileReplaceWindows.cpp).
void ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes);
