#include "tests/cli/ToolRun.h"

#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr const char* kInputFile = ".tool-input";
constexpr const char* kOutputFile = ".tool-output";
constexpr const char* kErrorsFile = ".tool-errors";
constexpr int kExecFailed = 127;

std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

// In the child: standard streams onto the three files, then the tool.
[[noreturn]] void ExecTool(const std::filesystem::path& directory, std::vector<char*>& argv) {
    const int input = open((directory / kInputFile).c_str(), O_RDONLY);
    const int output = open((directory / kOutputFile).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int errors = open((directory / kErrorsFile).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (input < 0 || output < 0 || errors < 0 || dup2(input, STDIN_FILENO) < 0 ||
        dup2(output, STDOUT_FILENO) < 0 || dup2(errors, STDERR_FILENO) < 0 ||
        chdir(directory.c_str()) != 0) {
        _exit(kExecFailed);
    }
    execv(TINTBAR_CSS_PATH, argv.data());
    _exit(kExecFailed);
}

} // namespace

CToolRun::CToolRun() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tintbar-cli-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a scratch directory");
    }
    m_directory = pattern;
}

CToolRun::~CToolRun() {
    std::error_code ignored;
    std::filesystem::remove_all(m_directory, ignored);
}

std::filesystem::path CToolRun::WriteFile(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path path = m_directory / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string CToolRun::ReadFile(const std::string& name) const {
    return ReadWhole(m_directory / name);
}

CToolResult CToolRun::Run(const std::vector<std::string>& arguments,
                          const std::string& input) const {
    WriteFile(kInputFile, input);
    std::vector<std::string> words{"tintbar-css"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        ExecTool(m_directory, argv);
    }
    CToolResult result;
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        result.exitStatus = WEXITSTATUS(status);
    }
    result.output = ReadWhole(m_directory / kOutputFile);
    result.errors = ReadWhole(m_directory / kErrorsFile);
    for (const char* name : {kInputFile, kOutputFile, kErrorsFile}) {
        std::filesystem::remove(m_directory / name);
    }
    return result;
}
