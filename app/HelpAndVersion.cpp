#include "app/HelpAndVersion.h"

#include "text/ProductName.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kHelpText =
    "Usage: tintbar [OPTION]... [FILE]\n"
    "\n"
    "Shows two preview scrollbars in the seven scrollbar colours of CSS, lets\n"
    "you choose each colour by clicking its part, and copies the colours to the\n"
    "clipboard as a BODY rule.\n"
    "\n"
    "The start-up colours are read from default.css in the working directory.\n"
    "FILE loads nothing; it only joins the recent-file list.\n"
    "\n"
    "  -h, --help     print this help and exit\n"
    "      --version  print the version and exit\n"
    "      --verbose  log more messages\n"
    "\n"
    "The toolkit's own options, such as --display=DISPLAY, are accepted too.\n"
    "See also tintbar-css(1) for the same colours on the command line.\n";

std::string VersionText() {
    return "tintbar (" + std::string(kProductName) +
           ") " TINTBAR_VERSION "\n"
           "Copyright (C) 2026 The Tintbar project\n";
}

constexpr std::string_view kEndOfOptions = "--";

int Print(std::string_view text) {
    const bool written =
        std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
    if (!written) {
        std::fprintf(stderr, "tintbar: cannot write to standard output\n");
    }
    return written ? EXIT_SUCCESS : EXIT_FAILURE;
}

} // namespace

std::optional<int> AnswerHelpOrVersion(int argumentCount, char** arguments) {
    for (int index = 1; index < argumentCount; ++index) {
        const std::string_view argument = arguments[index];
        if (argument == kEndOfOptions) {
            break;
        }
        if (argument == "--help" || argument == "-h") {
            return Print(kHelpText);
        }
        if (argument == "--version") {
            return Print(VersionText());
        }
    }
    return std::nullopt;
}
