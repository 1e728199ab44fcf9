#include "cli/OutputFile.h"

#include <windows.h>

std::filesystem::path CommandLinePath(const std::string& name) {
    const int size = static_cast<int>(name.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, name.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, name.data(), size, wide.data(), length);
    return wide;
}
