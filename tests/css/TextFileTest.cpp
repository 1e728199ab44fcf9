// Reading a CSS file by name: a regular file is read whole up to its first
// NUL byte; every other name gives an empty text, at once.

#include "css/TextFile.h"
#include "css/CssSource.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr auto kBlockingLimit = std::chrono::seconds(5);

class TextFileTest : public testing::Test {
protected:
    void SetUp() override {
        CString pattern = (fs::temp_directory_path() / "tintbar-css-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override { fs::remove_all(m_folder); }

    CString Write(const char* name, const CString& bytes) const {
        const fs::path path = m_folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    CString PathOf(const char* name) const { return (m_folder / name).string(); }

private:
    fs::path m_folder;
};

TEST_F(TextFileTest, RegularFilesAreReadWholeUpToTheFirstNul) {
    struct FileCase {
        const char* name;
        CString bytes;
        CString expected;
    };
    const CString large(3 * 65536 + 17, 'x');
    const FileCase cases[] = {
        {"plain.css", "BODY{a:b}", "BODY{a:b}"},
        {"line-ends.css", "a\r\nb\rc\n", "a\r\nb\rc\n"},
        {"empty.css", "", ""},
        {"nul.css", CString("ab\0cd", 5), "ab"},
        {"leading-nul.css", CString("\0ab", 3), ""},
        {"trailing-nul.css", CString("ab\0", 3), "ab"},
        {"large.css", large, large},
        {"large-nul.css", large + CString("\0tail", 5), large},
    };
    for (const FileCase& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ReadTextFile(Write(row.name, row.bytes)), row.expected);
    }
}

TEST_F(TextFileTest, NamesThatAreNoRegularFileGiveNothing) {
    fs::create_directory(PathOf("folder.css"));
    const char* const names[] = {"", "/nonexistent-folder/default.css", "/dev/null", "/dev/zero",
                                 "/dev/urandom"};
    EXPECT_EQ(ReadTextFile(PathOf("folder.css")), "");
    EXPECT_EQ(ReadTextFile(PathOf("missing.css")), "");
    for (const char* name : names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ReadTextFile(name), "");
    }
}

TEST_F(TextFileTest, AFifoDoesNotBlock) {
    const CString fifo = PathOf("pipe.css");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto reading = std::async(std::launch::async, [&] { return ReadTextFile(fifo); });
    const bool finished = reading.wait_for(kBlockingLimit) == std::future_status::ready;
    if (!finished) {
        // Give the blocked reader a writer, so that the test ends.
        close(open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
    }
    EXPECT_TRUE(finished);
    EXPECT_EQ(reading.get(), "");
}

TEST_F(TextFileTest, AFileThatCannotBeOpenedGivesNothing) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "file permissions do not bind the super-user";
    }
    const CString name = Write("locked.css", "BODY{a:b}");
    ASSERT_EQ(chmod(name.c_str(), 0), 0);
    EXPECT_EQ(ReadTextFile(name), "");
}

TEST_F(TextFileTest, AFileBeyondTheLimitGivesNothing) {
    const CString atLimit(kMaxTextFileBytes, 'a');
    EXPECT_EQ(ReadTextFile(Write("limit.css", atLimit)).size(), kMaxTextFileBytes);
    EXPECT_EQ(ReadTextFile(Write("beyond.css", atLimit + "a")), "");
}

TEST_F(TextFileTest, TheSourceKeepsTheFileTextNormalised) {
    const CString name = Write("default.css", "/*x*/ BODY{SCROLLBAR-FACE-COLOR:Red}\r\n");
    EXPECT_EQ(CCssSource(name, true).GetText(), "body{scrollbar-face-color:red}");
    EXPECT_EQ(CCssSource(PathOf("missing.css"), true).GetText(), "");
}

} // namespace
