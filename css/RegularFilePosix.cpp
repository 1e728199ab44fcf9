#include "css/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FilePointer OpenRegularFile(const CString& fileName) {
    // O_NONBLOCK keeps the open itself from waiting on a FIFO without a
    // writer; such a name is then turned away as not a regular file.
    const int descriptor = open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        return nullptr;
    }
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(descriptor);
        return nullptr;
    }
    FilePointer file(fdopen(descriptor, "rb"));
    // fdopen fails on an open read-only descriptor only when memory runs out.
    if (!file) {           // GCOVR_EXCL_BR_LINE
        close(descriptor); // GCOVR_EXCL_LINE
    }
    return file;
}
