#include "css/FileReplace.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#include <windows.h>

namespace {

constexpr int kNameAttempts = 100;
constexpr DWORD kLargestWrite = 1 << 30;

[[noreturn]] void ThrowWriteError(DWORD error) {
    throw CFileWriteError(std::system_category().message(static_cast<int>(error)));
}

// Creates a new hidden file beside target, in the same folder so that the
// move cannot cross volumes; returns its handle and sets temporary.
HANDLE CreateTemporaryBeside(const std::filesystem::path& target,
                             std::filesystem::path& temporary) {
    const std::wstring stem =
        L"." + target.filename().wstring() + L"." + std::to_wstring(GetCurrentProcessId()) + L".";
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        temporary = target.parent_path() / (stem + std::to_wstring(attempt));
        const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const auto chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, kLargestWrite));
        DWORD count = 0;
        if (!WriteFile(file, bytes.data() + written, chunk, &count, nullptr) || count == 0) {
            return false;
        }
        written += count;
    }
    return true;
}

} // namespace

void ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes) {
    std::filesystem::path temporary;
    const HANDLE file = CreateTemporaryBeside(target, temporary);
    if (file == INVALID_HANDLE_VALUE) {
        ThrowWriteError(GetLastError());
    }
    const bool written = WriteAll(file, bytes) && FlushFileBuffers(file);
    DWORD error = written ? ERROR_SUCCESS : GetLastError();
    if (!CloseHandle(file) && error == ERROR_SUCCESS) {
        error = GetLastError();
    }
    // The finished file is an ordinary one, and takes the place of any earlier
    // file of the name at once (the C runtime's rename refuses to).
    if (error == ERROR_SUCCESS &&
        (!SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL) ||
         !MoveFileExW(temporary.c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))) {
        error = GetLastError();
    }
    if (error != ERROR_SUCCESS) {
        DeleteFileW(temporary.c_str());
        ThrowWriteError(error);
    }
}
