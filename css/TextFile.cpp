#include "css/TextFile.h"

#include "css/RegularFile.h"

#include <cstring>

namespace {

constexpr std::size_t kReadChunkBytes = 64 * 1024;

} // namespace

// The stream is read to its end in chunks rather than by a size found
// beforehand: a file may grow or shrink while it is read, standard input has
// no size, and some regular files (those of /proc, for one) report none.
TextReadStatus ReadUpToNul(std::FILE* stream, CString& text) {
    text.clear();
    for (;;) {
        const std::size_t used = text.size();
        text.resize(used + kReadChunkBytes);
        const std::size_t count = std::fread(text.data() + used, 1, kReadChunkBytes, stream);
        text.resize(used + count);
        const void* nul = std::memchr(text.data() + used, '\0', count);
        if (nul != nullptr) {
            text.resize(static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
        }
        if (text.size() > kMaxTextFileBytes) {
            text.clear();
            return TextReadStatus::kTooLong;
        }
        if (nul == nullptr && count == kReadChunkBytes) {
            continue;
        }
        if (nul == nullptr && std::ferror(stream)) {
            text.clear();
            return TextReadStatus::kFailed;
        }
        return TextReadStatus::kRead;
    }
}

CString ReadTextFile(const CString& fileName) {
    CString text;
    const FilePointer file = OpenRegularFile(fileName);
    if (file && ReadUpToNul(file.get(), text) != TextReadStatus::kRead) {
        text.clear();
    }
    return text;
}
