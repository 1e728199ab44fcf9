#include "cli/InputText.h"

#include "cli/CliError.h"
#include "cli/CommandLine.h"
#include "text/MultiByte.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <memory>

namespace {

constexpr std::size_t kReadChunkBytes = 64 * 1024;
constexpr const char* kStandardInputName = "standard input";

struct CFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

[[noreturn]] void ThrowReadError(const std::string& sourceName, int error) {
    const std::string reason = error != 0 ? std::strerror(error) : "read error";
    throw CCliError("cannot read " + sourceName + ": " + reason, kExitFailure);
}

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

} // namespace

CString ReadUpToNul(std::FILE* stream, const std::string& sourceName) {
    CString text;
    std::array<char, kReadChunkBytes> chunk;
    errno = 0;
    for (;;) {
        const std::size_t count = std::fread(chunk.data(), 1, chunk.size(), stream);
        const auto* nul = static_cast<const char*>(std::memchr(chunk.data(), '\0', count));
        if (nul != nullptr) {
            // The text ends here, as clipboard text does; the rest is never read.
            text.append(chunk.data(), static_cast<std::size_t>(nul - chunk.data()));
            return text;
        }
        text.append(chunk.data(), count);
        if (count < chunk.size()) {
            if (std::ferror(stream)) {
                ThrowReadError(sourceName, errno);
            }
            return text;
        }
    }
}

CString ReadInputText(const std::string& path) {
    CString text;
    std::string sourceName;
    if (path == CCommandLine::kStandardInput) {
        sourceName = kStandardInputName;
        text = ReadUpToNul(stdin, sourceName);
    } else {
        sourceName = Quoted(path);
        errno = 0;
        const std::unique_ptr<std::FILE, CFileCloser> file(std::fopen(path.c_str(), "rb"));
        if (!file) {
            ThrowReadError(sourceName, errno);
        }
        text = ReadUpToNul(file.get(), sourceName);
    }
    multibyte::TrimInPlace(text);
    if (text.empty()) {
        throw CCliError(sourceName + " holds no CSS text (it is empty or only white space)",
                        kExitFailure);
    }
    return text;
}
