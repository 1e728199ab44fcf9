#include "cli/CommandLine.h"
#include "cli/CliError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A line that must be accepted has an empty error; one that must be
// refused names a part of its message.
struct CParseCase {
    std::vector<std::string> arguments;
    OutputKind output;
    std::string inputPath;
    std::string outputPath;
    std::string error;
    int scale = 1;
};

TEST(CommandLineTest, AcceptsEachFormOfTheOptionsAndRefusesWrongLines) {
    const OutputKind copy = OutputKind::kCopyText;
    const CParseCase cases[] = {
        {{}, copy, "-", "", ""},
        {{"site.css"}, copy, "site.css", "", ""},
        {{"--modern"}, OutputKind::kModernCss, "-", "", ""},
        {{"--modern", "--modern", "a.css"}, OutputKind::kModernCss, "a.css", "", ""},
        {{"a.css", "--modern"}, OutputKind::kModernCss, "a.css", "", ""},
        {{"--png", "out.png"}, OutputKind::kPng, "-", "out.png", ""},
        {{"--png=out.png", "a.css"}, OutputKind::kPng, "a.css", "out.png", ""},
        {{"--png", "-", "a.css"}, OutputKind::kPng, "a.css", "-", ""},
        {{"--html", "-"}, OutputKind::kHtml, "-", "-", ""},
        {{"a.css", "--html=page.html"}, OutputKind::kHtml, "a.css", "page.html", ""},
        {{"--", "--modern"}, copy, "--modern", "", ""},
        {{"--modern", "--", "-x.css"}, OutputKind::kModernCss, "-x.css", "", ""},
        {{"--help"}, OutputKind::kHelp, "-", "", ""},
        {{"a.css", "--help"}, OutputKind::kHelp, "-", "", ""},
        {{"--bogus"}, copy, "", "", "unknown option '--bogus'"},
        {{"-m"}, copy, "", "", "unknown option '-m'"},
        {{"--modern=yes"}, copy, "", "", "unknown option '--modern=yes'"},
        {{"--png"}, copy, "", "", "--png needs"},
        {{"--png="}, copy, "", "", "--png needs"},
        {{"--html"}, copy, "", "", "--html needs"},
        {{"--html", "a.html", "--png", "b.png"}, copy, "", "", "cannot be combined"},
        {{"--modern", "--png", "out.png"}, copy, "", "", "cannot be combined"},
        {{"--png", "o.png", "--scale", "2"}, OutputKind::kPng, "-", "o.png", "", 2},
        {{"--scale=4", "a.css", "--png=o.png"}, OutputKind::kPng, "a.css", "o.png", "", 4},
        {{"--png", "o.png", "--scale", "0"}, copy, "", "", "from 1 to 4, found '0'"},
        {{"--png", "o.png", "--scale=5"}, copy, "", "", "from 1 to 4, found '5'"},
        {{"--png", "o.png", "--scale", "1.5"}, copy, "", "", "found '1.5'"},
        {{"--png", "o.png", "--scale", "x"}, copy, "", "", "found 'x'"},
        {{"--png", "o.png", "--scale", "-1"}, copy, "", "", "found '-1'"},
        {{"--png", "o.png", "--scale"}, copy, "", "", "--scale needs a whole number"},
        {{"--scale", "2"}, copy, "", "", "--scale applies only to the picture of --png"},
        {{"a.css", "b.css"}, copy, "", "", "only one input file"},
        {{"-", "-"}, copy, "", "", "only one input file"},
        {{"--bogus", "--help"}, copy, "", "", "unknown option"},
    };
    for (const CParseCase& row : cases) {
        SCOPED_TRACE(testing::PrintToString(row.arguments));
        try {
            const CCommandLine commandLine = CCommandLine::Parse(row.arguments);
            EXPECT_EQ(row.error, "") << "accepted";
            EXPECT_EQ(commandLine.output, row.output);
            EXPECT_EQ(commandLine.inputPath, row.inputPath);
            EXPECT_EQ(commandLine.outputPath, row.outputPath);
            EXPECT_EQ(commandLine.scale, row.scale);
        } catch (const CCliError& error) {
            EXPECT_NE(row.error, "") << "refused: " << error.what();
            EXPECT_EQ(error.GetExitStatus(), kExitUsage);
            EXPECT_NE(std::string(error.what()).find(row.error), std::string::npos) << error.what();
        }
    }
}

} // namespace
