#pragma once

// Answers "--help" and "--version" before the toolkit starts, so that both
// work without a display. Every other command line is left to the
// framework's parser.

#include <optional>

// Prints the help or the version when the command line asks for either and
// returns the exit status; returns nothing for any other command line.
std::optional<int> AnswerHelpOrVersion(int argumentCount, char** arguments);
