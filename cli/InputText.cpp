#include "cli/InputText.h"

#include "cli/CliError.h"
#include "cli/CommandLine.h"
#include "css/RegularFile.h"
#include "css/TextFile.h"
#include "text/MultiByte.h"

#include <cerrno>
#include <cstring>

namespace {

constexpr const char* kStandardInputName = "standard input";

[[noreturn]] void ThrowReadError(const std::string& sourceName, const std::string& reason) {
    throw CCliError("cannot read " + sourceName + ": " + reason, kExitFailure);
}

std::string ErrorText(int error) {
    return error != 0 ? std::strerror(error) : "read error";
}

void Read(std::FILE* stream, const std::string& sourceName, CString& text) {
    errno = 0;
    switch (ReadUpToNul(stream, text)) {
    case TextReadStatus::kRead:
        return;
    case TextReadStatus::kFailed:
        ThrowReadError(sourceName, ErrorText(errno));
    case TextReadStatus::kTooLong:
        ThrowReadError(sourceName, "more than " + std::to_string(kMaxTextFileBytes >> 20) +
                                       " MiB, far more than any style sheet");
    }
}

} // namespace

CString ReadInputText(const std::string& path) {
    CString text;
    std::string sourceName;
    if (path == CCommandLine::kStandardInput) {
        sourceName = kStandardInputName;
        Read(stdin, sourceName, text);
    } else {
        // Any readable file will do here, a FIFO or a process substitution
        // among them: the user named it, so waiting for it is expected.
        sourceName = "'" + path + "'";
        errno = 0;
        const FilePointer file(std::fopen(path.c_str(), "rb"));
        if (!file) {
            ThrowReadError(sourceName, ErrorText(errno));
        }
        Read(file.get(), sourceName, text);
    }
    multibyte::TrimInPlace(text);
    if (text.empty()) {
        throw CCliError(sourceName + " holds no CSS text (it is empty or only white space)",
                        kExitFailure);
    }
    return text;
}
