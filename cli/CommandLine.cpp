#include "cli/CommandLine.h"

#include "cli/CliError.h"

#include <charconv>
#include <system_error>

namespace {

constexpr std::string_view kHelpText =
    "Usage: tintbar-css [--modern | --png IMAGE [--scale N] | --html PAGE] [FILE]\n"
    "\n"
    "Reads the seven scrollbar colours from the BODY rule of the CSS in FILE\n"
    "(standard input when FILE is absent or \"-\") exactly as Tintbar's Paste\n"
    "reads them, and prints them as Tintbar's Copy writes them.\n"
    "\n"
    "  --modern     print CSS for current browsers instead: the same BODY rule,\n"
    "               then ::-webkit-scrollbar rules that draw the classic bar,\n"
    "               and scrollbar-color for engines that ignore those rules\n"
    "  --png IMAGE  write the 180 x 240 preview picture (without the status\n"
    "               text) to the PNG file IMAGE instead of printing (IMAGE\n"
    "               \"-\": standard output)\n"
    "  --scale N    draw that picture at display scale N (1 to 4): N times as\n"
    "               wide and as high, each of its pixels an N x N block\n"
    "  --html PAGE  write an HTML page that shows these colours in a browser:\n"
    "               the CSS for current browsers as its style sheet, a\n"
    "               scrolling box and the CSS itself (PAGE \"-\": standard\n"
    "               output)\n"
    "  --help       print this help\n"
    "\n"
    "The text is read up to its first NUL byte and trimmed. Text that is empty\n"
    "or only white space is refused, as Paste ignores it; any other text is\n"
    "imported, and a colour that it does not name comes out black.\n"
    "Nothing is written unless the whole result could be made.\n"
    "\n"
    "Exit status: 0 on success, 1 when the input cannot be read or is blank\n"
    "or the output cannot be written, 2 for a wrong command line.\n";

constexpr std::string_view kHelpOption = "--help";
constexpr std::string_view kShortHelpOption = "-h";
constexpr std::string_view kModernOption = "--modern";
constexpr std::string_view kPngOption = "--png";
constexpr std::string_view kPngOptionWithValue = "--png=";
constexpr std::string_view kHtmlOption = "--html";
constexpr std::string_view kHtmlOptionWithValue = "--html=";
constexpr std::string_view kScaleOption = "--scale";
constexpr std::string_view kScaleOptionWithValue = "--scale=";
constexpr std::string_view kEndOfOptions = "--";

[[noreturn]] void ThrowUsage(const std::string& message) {
    throw CCliError(message + " (see tintbar-css --help)", kExitUsage);
}

void SetOutput(CCommandLine& commandLine, OutputKind output) {
    if (commandLine.output != OutputKind::kCopyText && commandLine.output != output) {
        ThrowUsage("--modern, --png and --html cannot be combined");
    }
    commandLine.output = output;
}

// An option that names the file it writes: --png IMAGE, --html PAGE.
struct COutputFileOption {
    std::string_view name;
    std::string_view withValue; // the option's "--name=" form
    OutputKind output;
    std::string_view what; // what the value names, for the message
};

constexpr COutputFileOption kOutputFileOptions[] = {
    {kPngOption, kPngOptionWithValue, OutputKind::kPng, "the image file to write"},
    {kHtmlOption, kHtmlOptionWithValue, OutputKind::kHtml, "the page to write, or -"},
};

void SetOutputPath(CCommandLine& commandLine, const COutputFileOption& option,
                   std::string_view path) {
    if (path.empty()) {
        ThrowUsage(std::string(option.name) + " needs the name of " + std::string(option.what));
    }
    SetOutput(commandLine, option.output);
    commandLine.outputPath = path;
}

// The output file option that argument is or starts, if any; sets attached
// to the value given after "=".
const COutputFileOption* FindOutputFileOption(const std::string& argument, bool& attached) {
    for (const COutputFileOption& option : kOutputFileOptions) {
        attached = argument.starts_with(option.withValue);
        if (argument == option.name || attached) {
            return &option;
        }
    }
    return nullptr;
}

// Only whole scales: at those the picture is the 100 % picture enlarged,
// the same in every program that draws it.
void SetScale(CCommandLine& commandLine, std::string_view value, bool& scaleGiven) {
    const std::string expected = std::string(kScaleOption) + " needs a whole number from 1 to " +
                                 std::to_string(CCommandLine::kLargestScale);
    if (value.empty()) {
        ThrowUsage(expected);
    }
    int scale = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), scale);
    if (error != std::errc() || end != value.data() + value.size() || scale < 1 ||
        scale > CCommandLine::kLargestScale) {
        ThrowUsage(expected + ", found '" + std::string(value) + "'");
    }
    commandLine.scale = scale;
    scaleGiven = true;
}

void SetInputPath(CCommandLine& commandLine, const std::string& path, bool& inputGiven) {
    if (inputGiven) {
        ThrowUsage("only one input file can be given, found '" + commandLine.inputPath + "' and '" +
                   path + "'");
    }
    commandLine.inputPath = path;
    inputGiven = true;
}

} // namespace

CCommandLine CCommandLine::Parse(std::span<const std::string> arguments) {
    CCommandLine commandLine;
    bool inputGiven = false;
    bool scaleGiven = false;
    bool optionsEnded = false;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (optionsEnded || argument == kStandardInput || !argument.starts_with('-')) {
            SetInputPath(commandLine, argument, inputGiven);
        } else if (argument == kEndOfOptions) {
            optionsEnded = true;
        } else if (argument == kHelpOption || argument == kShortHelpOption) {
            // Help makes no result, so the rest of the line is not looked at.
            CCommandLine help;
            help.output = OutputKind::kHelp;
            return help;
        } else if (argument == kModernOption) {
            SetOutput(commandLine, OutputKind::kModernCss);
        } else if (argument == kScaleOption) {
            SetScale(commandLine, index + 1 < arguments.size() ? arguments[++index] : "",
                     scaleGiven);
        } else if (argument.starts_with(kScaleOptionWithValue)) {
            SetScale(commandLine, std::string_view(argument).substr(kScaleOptionWithValue.size()),
                     scaleGiven);
        } else if (bool attached = false;
                   const COutputFileOption* option = FindOutputFileOption(argument, attached)) {
            if (attached) {
                SetOutputPath(commandLine, *option,
                              std::string_view(argument).substr(option->withValue.size()));
            } else {
                SetOutputPath(commandLine, *option,
                              index + 1 < arguments.size() ? arguments[++index] : "");
            }
        } else {
            ThrowUsage("unknown option '" + argument + "'");
        }
    }
    if (scaleGiven && commandLine.output != OutputKind::kPng) {
        ThrowUsage("--scale applies only to the picture of --png");
    }
    return commandLine;
}

std::string_view GetHelpText() {
    return kHelpText;
}
