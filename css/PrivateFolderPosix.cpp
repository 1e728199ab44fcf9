#include "css/PrivateFolder.h"

#include <cstdlib>
#include <sys/stat.h>
#include <system_error>

namespace {

// The runtime folder is the user's own and emptied at log-out; the
// temporary folder is shared, which mkdtemp's new random name and mode 0700
// make safe.
std::filesystem::path RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr) {
        return {};
    }
    const std::filesystem::path folder(runtime);
    std::error_code error;
    return folder.is_absolute() && std::filesystem::is_directory(folder, error)
               ? folder
               : std::filesystem::path{};
}

std::filesystem::path CreateIn(const std::filesystem::path& base, const std::string& prefix) {
    if (base.empty()) {
        return {};
    }
    std::string name = (base / (prefix + "XXXXXX")).string();
    return mkdtemp(name.data()) != nullptr ? std::filesystem::path(name) : std::filesystem::path{};
}

} // namespace

std::filesystem::path CreatePrivateFolder(const std::string& prefix) {
    std::filesystem::path folder = CreateIn(RuntimeFolder(), prefix);
    if (folder.empty()) {
        std::error_code error;
        folder = CreateIn(std::filesystem::temp_directory_path(error), prefix);
    }
    return folder;
}
