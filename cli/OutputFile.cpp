#include "cli/OutputFile.h"

#include "cli/CliError.h"
#include "css/FileReplace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

void ThrowCannotWrite(const std::string& target, const std::string& reason) {
    throw CCliError("cannot write " + target + ": " + reason, kExitFailure);
}

void WriteStandardOutput(std::string_view bytes) {
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    if (written != bytes.size() || std::fflush(stdout) != 0) {
        ThrowCannotWrite("standard output", std::strerror(errno));
    }
}

void WriteOutputFile(const std::string& name, std::string_view bytes) {
    try {
        ReplaceFileContents(CommandLinePath(name), bytes);
    } catch (const CFileWriteError& error) {
        ThrowCannotWrite("'" + name + "'", error.what());
    }
}
