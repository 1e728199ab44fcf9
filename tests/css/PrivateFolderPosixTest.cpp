// The private folder on POSIX systems: under the user's runtime folder when
// there is one, else the temporary folder; its owner's alone; new each time;
// gone with its contents afterwards.

#include "css/PrivateFolder.h"
#include "tests/support/FreshFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

TEST(PrivateFolderTest, LiesInTheRuntimeFolderElseTheTemporaryOneForItsOwnerAlone) {
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedValue = saved != nullptr ? saved : "";
    const CFreshFolder runtime("tintbar-runtime-");
    // The runtime folder as set; "" leaves it unset.
    const std::string settings[] = {runtime.Path().string(), "", (runtime.Path() / "gone").string(),
                                    "relative"};
    for (const std::string& setting : settings) {
        SCOPED_TRACE(setting);
        setting.empty() ? unsetenv("XDG_RUNTIME_DIR")
                        : setenv("XDG_RUNTIME_DIR", setting.c_str(), 1);
        fs::path kept;
        {
            const CPrivateFolder first("tintbar-test-");
            const CPrivateFolder second("tintbar-test-");
            kept = first.GetPath();
            ASSERT_FALSE(kept.empty());
            EXPECT_EQ(kept.parent_path(),
                      setting == settings[0] ? runtime.Path() : fs::temp_directory_path());
            EXPECT_TRUE(kept.filename().string().starts_with("tintbar-test-"));
            EXPECT_NE(second.GetPath(), kept);
            EXPECT_EQ(fs::status(kept).permissions(), fs::perms::owner_all);
            std::ofstream(kept / "page.html") << "a page";
        }
        EXPECT_FALSE(fs::exists(kept)) << "removed with what it held";
    }
    saved != nullptr ? setenv("XDG_RUNTIME_DIR", savedValue.c_str(), 1)
                     : unsetenv("XDG_RUNTIME_DIR");
}

} // namespace
