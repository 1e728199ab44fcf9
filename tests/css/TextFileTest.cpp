// Reading a CSS file by name: a regular file is read whole up to its first
// NUL byte; every other name gives an empty text, at once. Importing a file
// gives the colours of importing the text that it reads as.

#include "css/TextFile.h"
#include "preview/ScrollBarModel.h"
#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr auto kBlockingLimit = std::chrono::seconds(5);

std::vector<ColorValue> Imported(const CString& source, bool fromFile) {
    // Colours that no import below yields, so that each must set all seven.
    CScrollBarModel bar({0x010101, 0x020202, 0x030303, 0x040404, 0x050505, 0x060606, 0x070707});
    if (fromFile) {
        bar.ImportCssFile(source);
    } else {
        bar.ImportCssText(source);
    }
    std::vector<ColorValue> colors;
    std::ranges::transform(bar.GetColors(), std::back_inserter(colors), Color);
    return colors;
}

class TextFileTest : public testing::Test {
protected:
    void SetUp() override {
        CString pattern = (fs::temp_directory_path() / "tintbar-css-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override { fs::remove_all(m_folder); }

    CString PathOf(const char* name) const { return (m_folder / name).string(); }
    CString Write(const char* name, const CString& bytes) const {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
        return PathOf(name);
    }
    // The name gives no text, and importing it sets the colours of no text.
    void ExpectNothing(const CString& name) const {
        SCOPED_TRACE(name);
        EXPECT_EQ(ReadTextFile(name), "");
        EXPECT_EQ(Imported(name, true), Imported("", false));
    }

private:
    fs::path m_folder;
};

TEST_F(TextFileTest, RegularFilesAreReadWholeUpToTheFirstNul) {
    const CString rule = "/*x*/\r\nBODY\r\n{\r\n\tscrollbar-track-color:#102030;\r\n"
                         "\tscrollbar-arrow-color:#405060;\r\n}\r\n";
    const CString large(3 * 65536 + 17, 'x');
    const std::pair<CString, CString> cases[] = {
        {rule, rule},
        {rule + CString("\0BODY{scrollbar-face-color:#fff}", 32), rule},
        {"", ""},
        {CString("\0ab", 3), ""},
        {CString("ab\0", 3), "ab"},
        {large, large},
        {large + CString("\0tail", 5), large},
    };
    for (const auto& [bytes, expected] : cases) {
        SCOPED_TRACE(testing::Message() << "file of " << bytes.size() << " bytes");
        const CString name = Write("default.css", bytes);
        EXPECT_EQ(ReadTextFile(name), expected);
        EXPECT_EQ(Imported(name, true), Imported(expected, false));
    }
    EXPECT_NE(Imported(rule, false), Imported("", false));
}

TEST_F(TextFileTest, NamesThatAreNoRegularFileGiveNothing) {
    fs::create_directory(PathOf("folder.css"));
    for (const CString& name :
         {PathOf("folder.css"), PathOf("missing.css"), CString(), CString("/dev/null"),
          CString("/dev/zero"), CString("/dev/urandom")}) {
        ExpectNothing(name);
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
    const CString name = Write("locked.css", "BODY{scrollbar-face-color:#fff}");
    ASSERT_EQ(chmod(name.c_str(), 0), 0);
    ExpectNothing(name);
}

TEST_F(TextFileTest, AFileBeyondTheLimitGivesNothing) {
    const CString atLimit(kMaxTextFileBytes, 'a');
    EXPECT_EQ(ReadTextFile(Write("limit.css", atLimit)).size(), kMaxTextFileBytes);
    EXPECT_EQ(ReadTextFile(Write("beyond.css", atLimit + "a")), "");
}

} // namespace
