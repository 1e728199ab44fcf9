#include "css/RegularFile.h"

#include <cstdint>
#include <fcntl.h>
#include <io.h>

#include <windows.h>

FilePointer OpenRegularFile(const CString& fileName) {
    // The name is in the system's ANSI code page, as the program's text is.
    // Devices (CON, NUL, COM1) and pipes are turned away as not regular
    // files; a folder does not open without backup semantics.
    const HANDLE handle = CreateFileA(fileName.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return nullptr;
    }
    const int descriptor =
        _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    FilePointer file(_fdopen(descriptor, "rb"));
    if (!file) {
        _close(descriptor);
    }
    return file;
}
