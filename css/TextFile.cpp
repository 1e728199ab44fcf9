#include "css/TextFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kReadChunkBytes = 64 * 1024;

// Closes the descriptor on every way out of ReadTextFile.
class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) : m_descriptor(descriptor) {}
    ~FileDescriptor() {
        if (m_descriptor >= 0) {
            close(m_descriptor);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_descriptor; }

private:
    int m_descriptor;
};

bool IsRegularFile(int descriptor) {
    struct stat status {};
    return fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace

// The file is read to its end in chunks rather than by a size found
// beforehand: a file may grow or shrink while it is read, and some regular
// files (those of /proc, for one) report no size at all.
CString ReadTextFile(const CString& fileName) {
    // O_NONBLOCK keeps the open itself from waiting on a FIFO without a
    // writer; such a name is then turned away as not a regular file.
    const FileDescriptor file(open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.Get() < 0 || !IsRegularFile(file.Get())) {
        return {};
    }
    CString text;
    for (;;) {
        const std::size_t used = text.size();
        if (used > kMaxTextFileBytes) {
            return {};
        }
        text.resize(used + kReadChunkBytes);
        const ssize_t count = read(file.Get(), text.data() + used, kReadChunkBytes);
        if (count < 0 && errno == EINTR) {
            text.resize(used);
            continue;
        }
        if (count < 0) {
            return {};
        }
        text.resize(used + static_cast<std::size_t>(count));
        // The text ends at the first NUL byte, so nothing after it is needed.
        if (const void* nul =
                std::memchr(text.data() + used, '\0', static_cast<std::size_t>(count))) {
            text.resize(static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
            return text;
        }
        if (count == 0) {
            return text;
        }
    }
}
