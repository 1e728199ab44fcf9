#include "tests/support/CodePages.h"

#include <stdexcept>
#include <string>

#include <windows.h>

CString InCurrentCodePage(std::string_view utf8) {
    const int codePage = multibyte::GetCodePage();
    if (codePage == multibyte::kUtf8 || utf8.empty()) {
        return CString(utf8);
    }
    const int inLength = static_cast<int>(utf8.size());
    const int wideLength =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inLength, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inLength, wide.data(),
                        wideLength);
    BOOL lossy = FALSE;
    const int outLength = WideCharToMultiByte(static_cast<UINT>(codePage), 0, wide.data(),
                                              wideLength, nullptr, 0, nullptr, &lossy);
    CString out(static_cast<std::size_t>(outLength), '\0');
    WideCharToMultiByte(static_cast<UINT>(codePage), 0, wide.data(), wideLength, out.data(),
                        outLength, nullptr, &lossy);
    if (wideLength == 0 || outLength == 0 || lossy) {
        throw std::runtime_error("code page " + std::to_string(codePage) + " cannot hold \"" +
                                 std::string(utf8) + "\"");
    }
    return out;
}
