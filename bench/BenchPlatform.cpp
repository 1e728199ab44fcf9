#include "bench/BenchPlatform.h"

#include <stdexcept>
#include <stdlib.h>

CBenchView::CBenchView() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tintbar-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a scratch directory");
    }
    m_scratch = pattern;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(m_scratch);
    m_view = std::make_unique<CTintbarView>(m_platform.Get());
    std::filesystem::current_path(previous);
}

CBenchView::~CBenchView() {
    std::error_code ignored;
    std::filesystem::remove_all(m_scratch, ignored);
}
