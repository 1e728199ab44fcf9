#pragma once

// Runs the built tintbar-css in a scratch directory of its own, with given
// arguments and standard input, and collects what it wrote and its exit
// status.

#include <filesystem>
#include <string>
#include <vector>

struct CToolResult {
    int exitStatus = -1;
    std::string output;
    std::string errors;
};

class CToolRun {
public:
    // Creates the scratch directory; the destructor removes it.
    CToolRun();
    ~CToolRun();
    CToolRun(const CToolRun&) = delete;
    CToolRun& operator=(const CToolRun&) = delete;

    const std::filesystem::path& GetDirectory() const { return m_directory; }
    // Writes a file into the scratch directory and returns its path.
    std::filesystem::path WriteFile(const std::string& name, const std::string& bytes) const;
    std::string ReadFile(const std::string& name) const;

    CToolResult Run(const std::vector<std::string>& arguments, const std::string& input = "") const;

private:
    std::filesystem::path m_directory;
};
