#include "css/PrivateFolder.h"

#include <random>
#include <string>

#include <windows.h>

// After windows.h, which it needs.
#include <sddl.h>

namespace {

constexpr int kNameAttempts = 100;

// Full control for the folder's owner alone, inherited by what is created in
// it, and nothing inherited from the temporary folder above.
constexpr const wchar_t* kOwnerOnly = L"D:P(A;OICI;FA;;;OW)";

std::filesystem::path TemporaryFolder() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    return length > 0 && length <= MAX_PATH ? std::filesystem::path(buffer)
                                            : std::filesystem::path{};
}

} // namespace

std::filesystem::path CreatePrivateFolder(const std::string& prefix) {
    const std::filesystem::path base = TemporaryFolder();
    if (base.empty()) {
        return {};
    }
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(kOwnerOnly, SDDL_REVISION_1,
                                                             &descriptor, nullptr)) {
        attributes.lpSecurityDescriptor = descriptor;
    }
    std::random_device random;
    std::filesystem::path folder;
    for (int attempt = 0; attempt < kNameAttempts && folder.empty(); ++attempt) {
        const std::filesystem::path candidate =
            base / (std::wstring(prefix.begin(), prefix.end()) + std::to_wstring(random()));
        if (CreateDirectoryW(candidate.c_str(), &attributes)) {
            folder = candidate;
        } else if (GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    LocalFree(descriptor);
    return folder;
}
