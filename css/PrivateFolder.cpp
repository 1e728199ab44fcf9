#include "css/PrivateFolder.h"

#include <system_error>

CPrivateFolder::CPrivateFolder(const std::string& prefix) : m_path(CreatePrivateFolder(prefix)) {}

CPrivateFolder::~CPrivateFolder() {
    if (!m_path.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
}
