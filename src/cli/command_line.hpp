// The command line as a whole: the exit statuses every --help ends with,
// usage errors (an unknown command named with the nearest known one), the
// checks of whole numbers, and standard output checked before the end.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <vector>

namespace patchlore::cli {

// The exit statuses of every command.
inline constexpr int kDone = 0;
inline constexpr int kNotAsAsked = 1;  // the file or the result is not as asked
inline constexpr int kRefused = 2;     // unreadable or unwritable file, wrong kind, refused command, usage error

// The footer of every --help: what each exit status means.
extern const char* const kExitStatuses;

// Parses the arguments. An exit status when the program ends here: 0 after
// --help or --version, 2 after any usage error (CLI11's text, or the unknown
// command and the nearest known one); nothing when a command is to run.
std::optional<int> ParseArguments(CLI::App& app, int argc, char** argv);

// When a usage error comes from a word in place of a command, the text for
// it: «unknown command 'verfy'; did you mean 'verify'?», or the commands
// there are when none is near.
std::optional<std::string> UnknownCommand(const CLI::App& app, const std::vector<std::string>& arguments);

// A whole number from low to high; anything else is refused with
// «OPTION: give WANTED, not VALUE».
CLI::Validator WholeNumber(long low, long high, const std::string& wanted);

// status, unless standard output could not be written (a full disk, a
// closed pipe): then standard error says so and the status is 2.
int CheckedExit(int status);

}  // namespace patchlore::cli
