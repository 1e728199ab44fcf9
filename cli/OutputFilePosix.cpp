#include "cli/OutputFile.h"

std::filesystem::path CommandLinePath(const std::string& name) {
    return name;
}
