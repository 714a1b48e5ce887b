#include "cli/command_line.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace patchlore::cli {

const char* const kExitStatuses =
    "Exit status:\n"
    "  0  done\n"
    "  1  the file or the result is not as asked: a catalogue or length error, a checksum MISMATCH,\n"
    "     differences or different lengths, nothing found\n"
    "  2  a file that cannot be read or written or is not of the kind needed, a refused command,\n"
    "     or a usage error";

namespace {

// Edits (insert, delete, replace, swap two neighbours) from one word to the other.
std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i)
    for (std::size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  return d[a.size()][b.size()];
}

std::vector<const CLI::App*> CommandsOf(const CLI::App& level) {
  return level.get_subcommands([](const CLI::App* command) { return !command->get_name().empty(); });
}

bool HasPositionals(const CLI::App& level) {
  return !level.get_options([](const CLI::Option* option) { return option->get_positional(); }).empty();
}

// The option word takes the next argument as its value ("--db FILE").
bool TakesValue(const CLI::App& level, const std::string& word) {
  if (word.find('=') != std::string::npos) return false;
  for (const CLI::App* app = &level; app != nullptr; app = app->get_parent())
    if (const CLI::Option* option = app->get_option_no_throw(word)) return option->get_items_expected_min() > 0;
  return false;
}

std::string UnknownText(const std::string& before, const std::string& word,
                        const std::vector<const CLI::App*>& commands) {
  const CLI::App* nearest = nullptr;
  std::size_t distance = 3;  // farther than two edits is no likely typing slip
  for (const CLI::App* command : commands)
    if (const std::size_t d = EditDistance(word, command->get_name()); d < distance && d < word.size()) {
      distance = d;
      nearest = command;
    }
  const std::string text = "unknown command '" + before + word + "'; ";
  if (nearest) return text + "did you mean '" + before + nearest->get_name() + "'?";
  std::string names;
  for (const CLI::App* command : commands) names += (names.empty() ? "" : ", ") + command->get_name();
  return text + "the commands are " + names;
}

}  // namespace

std::optional<std::string> UnknownCommand(const CLI::App& app, const std::vector<std::string>& arguments) {
  const CLI::App* level = &app;
  std::string before;  // the commands named so far, each with a blank after it
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (word.starts_with("-")) {
      if (TakesValue(*level, word)) ++i;
      continue;
    }
    const std::vector<const CLI::App*> commands = CommandsOf(*level);
    if (commands.empty() || HasPositionals(*level)) return std::nullopt;
    const auto known = std::find_if(commands.begin(), commands.end(),
                                    [&word](const CLI::App* command) { return command->get_name() == word; });
    if (known == commands.end()) return UnknownText(before, word, commands);
    before += word + " ";
    level = *known;
  }
  return std::nullopt;
}

std::optional<int> ParseArguments(CLI::App& app, int argc, char** argv) {
  try {
    app.parse(argc, argv);
    return std::nullopt;
  } catch (const CLI::ParseError& error) {
    if (error.get_exit_code() == 0) return app.exit(error);  // --help, --version
    if (const auto unknown = UnknownCommand(app, std::vector<std::string>(argv + 1, argv + argc)))
      std::cerr << "patchlore-cli: " << *unknown << '\n';
    else
      (void)app.exit(error);  // CLI11's own text; its own exit codes are not ours
    return kRefused;
  }
}

CLI::Validator WholeNumber(long low, long high, const std::string& wanted) {
  return CLI::Validator(
      [low, high, wanted](std::string& text) -> std::string {
        long value = 0;
        const bool whole = CLI::detail::lexical_cast(text, value);
        if (whole && value >= low && value <= high) return {};
        return "give " + wanted + ", not " + text;
      },
      "", "");
}

int CheckedExit(int status) {
  errno = 0;
  std::cout.flush();  // flushes stdout too: its failure leaves errno set
  const int error = errno;
  if (!std::cout.fail() && std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return status;
  std::cerr << "patchlore-cli: standard output not written" << (error != 0 ? ": " : "")
            << (error != 0 ? std::strerror(error) : "") << '\n';
  return kRefused;
}

}  // namespace patchlore::cli
