// tintbar-css: the seven scrollbar colours of a style sheet, read as Paste
// reads them, written as Copy writes them, as CSS for current browsers, as
// the preview picture, or as a page that shows them in a browser.

#include "cli/CliError.h"
#include "cli/CommandLine.h"
#include "cli/InputText.h"
#include "cli/OutputFile.h"
#include "cli/PngImage.h"
#include "cli/StandardStreams.h"
#include "css/BrowserPage.h"
#include "css/CopyText.h"
#include "css/ModernCss.h"
#include "preview/PreviewPicture.h"
#include "preview/ScrollBarModel.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The file named after --png or --html, or standard output for "-".
void WriteResult(const std::string& path, std::string_view bytes) {
    if (path == CCommandLine::kStandardOutput) {
        WriteStandardOutput(bytes);
    } else {
        WriteOutputFile(path, bytes);
    }
}

void Run(const CCommandLine& commandLine) {
    if (commandLine.output == OutputKind::kHelp) {
        WriteStandardOutput(GetHelpText());
        return;
    }
    CScrollBarModel bar;
    bar.ImportCssText(ReadInputText(commandLine.inputPath));
    if (commandLine.output == OutputKind::kPng) {
        const std::vector<std::uint8_t> png =
            EncodePng(RenderPreviewPicture(bar.GetColors()).Scaled(commandLine.scale));
        WriteResult(commandLine.outputPath,
                    std::string_view(reinterpret_cast<const char*>(png.data()), png.size()));
    } else if (commandLine.output == OutputKind::kHtml) {
        // The page background of a window just started.
        WriteResult(commandLine.outputPath, BuildBrowserPage(bar, kWhite));
    } else if (commandLine.output == OutputKind::kModernCss) {
        WriteStandardOutput(BuildModernCss(bar));
    } else {
        WriteStandardOutput(BuildCopyText(bar));
    }
}

void ReportError(const char* message) {
    std::fprintf(stderr, "tintbar-css: %s\n", message);
}

} // namespace

int main(int argc, char** argv) {
    SetBinaryStandardStreams();
    try {
        const std::vector<std::string> arguments(argv + 1, argv + argc);
        Run(CCommandLine::Parse(arguments));
        return 0;
    } catch (const CCliError& error) {
        ReportError(error.what());
        return error.GetExitStatus();
    } catch (const std::exception& error) {
        ReportError(error.what());
        return kExitFailure;
    }
}
