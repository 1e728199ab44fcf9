#include "cli/CommandLine.h"
#include "cli/CliError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct CParseCase {
    std::vector<std::string> arguments;
    OutputKind output;
    std::string inputPath;
    std::string pngPath;
};

TEST(CommandLineTest, AcceptsEachFormOfTheOptions) {
    const CParseCase cases[] = {
        {{}, OutputKind::kCopyText, "-", ""},
        {{"site.css"}, OutputKind::kCopyText, "site.css", ""},
        {{"-"}, OutputKind::kCopyText, "-", ""},
        {{"--modern"}, OutputKind::kModernCss, "-", ""},
        {{"--modern", "--modern", "a.css"}, OutputKind::kModernCss, "a.css", ""},
        {{"a.css", "--modern"}, OutputKind::kModernCss, "a.css", ""},
        {{"--png", "out.png"}, OutputKind::kPng, "-", "out.png"},
        {{"--png=out.png", "a.css"}, OutputKind::kPng, "a.css", "out.png"},
        {{"--png", "-", "a.css"}, OutputKind::kPng, "a.css", "-"},
        {{"--", "--modern"}, OutputKind::kCopyText, "--modern", ""},
        {{"--modern", "--", "-x.css"}, OutputKind::kModernCss, "-x.css", ""},
        {{"--help"}, OutputKind::kHelp, "-", ""},
        {{"-h", "--bogus"}, OutputKind::kHelp, "-", ""},
        {{"a.css", "--help"}, OutputKind::kHelp, "-", ""},
    };
    for (const CParseCase& row : cases) {
        SCOPED_TRACE(testing::PrintToString(row.arguments));
        const CCommandLine commandLine = CCommandLine::Parse(row.arguments);
        EXPECT_EQ(commandLine.output, row.output);
        EXPECT_EQ(commandLine.inputPath, row.inputPath);
        EXPECT_EQ(commandLine.pngPath, row.pngPath);
    }
}

struct CRejectCase {
    std::vector<std::string> arguments;
    std::string messagePart;
};

TEST(CommandLineTest, RejectsWrongLinesWithTheUsageStatus) {
    const CRejectCase cases[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"-m"}, "unknown option '-m'"},
        {{"--modern=yes"}, "unknown option '--modern=yes'"},
        {{"--png"}, "--png needs"},
        {{"a.css", "--png"}, "--png needs"},
        {{"--png="}, "--png needs"},
        {{"--modern", "--png", "out.png"}, "cannot be combined"},
        {{"--png", "out.png", "--modern"}, "cannot be combined"},
        {{"a.css", "b.css"}, "only one input file"},
        {{"-", "-"}, "only one input file"},
        {{"--bogus", "--help"}, "unknown option"},
    };
    for (const CRejectCase& row : cases) {
        SCOPED_TRACE(testing::PrintToString(row.arguments));
        try {
            CCommandLine::Parse(row.arguments);
            ADD_FAILURE() << "accepted";
        } catch (const CCliError& error) {
            EXPECT_EQ(error.GetExitStatus(), kExitUsage);
            EXPECT_NE(std::string(error.what()).find(row.messagePart), std::string::npos)
                << error.what();
        }
    }
}

} // namespace
