#pragma once

// A failure that ends the command-line tool: the one-line message it prints
// and the exit status it ends with.

#include <stdexcept>
#include <string>

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

class CCliError : public std::runtime_error {
public:
    CCliError(const std::string& message, int exitStatus)
        : std::runtime_error(message), m_exitStatus(exitStatus) {}

    int GetExitStatus() const { return m_exitStatus; }

private:
    int m_exitStatus;
};
