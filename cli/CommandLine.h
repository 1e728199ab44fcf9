#pragma once

// The arguments of tintbar-css, checked: which output is wanted and where
// the CSS comes from. It reads no file and writes nothing.

#include <span>
#include <string>
#include <string_view>

enum class OutputKind {
    kCopyText,  // the text that Copy puts on the clipboard
    kModernCss, // the same colours for current browsers
    kPng,       // the preview picture
    kHtml,      // the page for a browser
    kHelp,
};

struct CCommandLine {
    // The name that stands for standard input, and for the page, standard
    // output.
    static constexpr std::string_view kStandardInput = "-";
    static constexpr std::string_view kStandardOutput = "-";

    OutputKind output = OutputKind::kCopyText;
    std::string inputPath{kStandardInput};
    // The file that --png or --html writes.
    std::string outputPath;
    // The display scale of the --png picture.
    static constexpr int kLargestScale = 4;
    int scale = 1;

    // arguments excludes the program name. Throws CCliError with the usage
    // exit status for an unknown option, a missing or wrong value, a --scale
    // without --png or a second file.
    static CCommandLine Parse(std::span<const std::string> arguments);
};

// The text that --help prints.
std::string_view GetHelpText();
