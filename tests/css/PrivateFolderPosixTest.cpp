// The private folder on POSIX systems: under the user's runtime folder when
// there is one, else the temporary folder; its owner's alone; new each time;
// gone with its contents afterwards.

#include "css/PrivateFolder.h"
#include "tests/support/FreshFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;

class CRuntimeFolderScope {
public:
    explicit CRuntimeFolderScope(const std::optional<fs::path>& folder) {
        if (const char* saved = std::getenv("XDG_RUNTIME_DIR")) {
            m_saved = saved;
        }
        if (folder) {
            setenv("XDG_RUNTIME_DIR", folder->c_str(), 1);
        } else {
            unsetenv("XDG_RUNTIME_DIR");
        }
    }
    ~CRuntimeFolderScope() {
        if (m_saved) {
            setenv("XDG_RUNTIME_DIR", m_saved->c_str(), 1);
        } else {
            unsetenv("XDG_RUNTIME_DIR");
        }
    }

private:
    std::optional<std::string> m_saved;
};

TEST(PrivateFolderTest, LiesInTheRuntimeFolderElseTheTemporaryOneForItsOwnerAlone) {
    const CFreshFolder runtime("tintbar-runtime-");
    const std::optional<fs::path> settings[] = {runtime.Path(), std::nullopt,
                                                runtime.Path() / "missing", fs::path("relative")};
    for (const std::optional<fs::path>& setting : settings) {
        SCOPED_TRACE(setting.value_or("(unset)"));
        const CRuntimeFolderScope scope(setting);
        const fs::path expectedBase =
            setting == settings[0] ? runtime.Path() : fs::temp_directory_path();
        fs::path kept;
        {
            const CPrivateFolder first("tintbar-test-");
            const CPrivateFolder second("tintbar-test-");
            kept = first.GetPath();
            ASSERT_FALSE(kept.empty());
            EXPECT_EQ(kept.parent_path(), expectedBase);
            EXPECT_TRUE(kept.filename().string().starts_with("tintbar-test-"));
            EXPECT_NE(second.GetPath(), kept);
            EXPECT_EQ(fs::status(kept).permissions(), fs::perms::owner_all);
            std::ofstream(kept / "page.html") << "a page";
        }
        EXPECT_FALSE(fs::exists(kept)) << "removed with what it held";
    }
}

} // namespace
