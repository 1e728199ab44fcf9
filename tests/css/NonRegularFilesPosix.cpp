#include "tests/css/NonRegularFiles.h"

#include <stdexcept>

#include <sys/stat.h>

std::vector<CString> MakeNonRegularFiles(const std::filesystem::path& folder) {
    const CString pipe = (folder / "pipe.css").string();
    if (mkfifo(pipe.c_str(), 0600) != 0) {
        throw std::runtime_error("cannot make a FIFO in " + folder.string());
    }
    std::filesystem::create_directory(folder / "folder.css");
    return {pipe, (folder / "folder.css").string(), "/dev/urandom", "/dev/null"};
}
