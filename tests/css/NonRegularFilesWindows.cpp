#include "tests/css/NonRegularFiles.h"

// CON is the console's input, which waits for a key; NUL is the empty
// device.
std::vector<CString> MakeNonRegularFiles(const std::filesystem::path& folder) {
    std::filesystem::create_directory(folder / "folder.css");
    return {(folder / "folder.css").string(), "CON", "NUL"};
}
