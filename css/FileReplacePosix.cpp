#include "css/FileReplace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Files are created as any other tool creates them, subject to the umask.
constexpr mode_t kNewFileMode = 0666;

[[noreturn]] void ThrowWriteError(int error) {
    throw CFileWriteError(std::strerror(error));
}

// A hidden name beside path, in the same directory so that the rename
// cannot cross file systems.
std::string TemporaryTemplate(const std::filesystem::path& path) {
    return (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
}

mode_t CurrentUmask() {
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

bool WriteAll(int descriptor, std::string_view bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = write(descriptor, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(count);
    }
    return true;
}

} // namespace

void ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes) {
    std::string temporary = TemporaryTemplate(path);
    const int descriptor = mkstemp(temporary.data());
    if (descriptor < 0) {
        ThrowWriteError(errno);
    }
    // mkstemp creates the file for its owner alone; the result is an
    // ordinary file.
    const bool written = fchmod(descriptor, kNewFileMode & ~CurrentUmask()) == 0 &&
                         WriteAll(descriptor, bytes) && fsync(descriptor) == 0;
    const int writeError = errno;
    const bool closed = close(descriptor) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = !written ? writeError : errno;
        unlink(temporary.c_str());
        ThrowWriteError(error != 0 ? error : EIO);
    }
}
