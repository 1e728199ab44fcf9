#pragma once

// A new empty folder under the system's temporary folder, removed with
// everything in it when the object goes.

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

class CFreshFolder {
public:
    explicit CFreshFolder(const std::string& prefix) {
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_path = std::filesystem::temp_directory_path() / (prefix + std::to_string(random()));
            if (std::filesystem::create_directory(m_path)) {
                return;
            }
        }
        throw std::runtime_error("cannot create a folder under " +
                                 std::filesystem::temp_directory_path().string());
    }
    ~CFreshFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    CFreshFolder(const CFreshFolder&) = delete;
    CFreshFolder& operator=(const CFreshFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};
