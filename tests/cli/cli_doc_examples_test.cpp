// The command examples of README.md and docs/guide.md, run on samples/.
//
// Every fenced block marked "console" is a terminal session: each "$ "
// line is a command, run with sh in a folder that holds a copy of samples/
// and is also HOME (patchlore-cli on PATH, LC_ALL=C, PATCHLORE_FIXED_TIME
// set), one command after the other, so a file one writes is there for the
// next. The lines after a command, up to the next command or the end of
// the block, are what it prints on both streams, the folder's path shown as
// /home/me. A line "..." stands for any number of lines; blanks at a line's
// end are not compared. Blocks marked otherwise ("sh") are not run.
//
// When the program changes an example on purpose, PATCHLORE_RECORD_DOCS=1
// (scripts/record-doc-examples) writes what the commands print into the
// docs instead, keeping the lines before the first "..." and after the last.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/cli_runner.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kHomeShown = "/home/me";
constexpr std::string_view kAnyLines = "...";

struct Example {
  std::string command;
  std::size_t firstLine = 0;  // of the expected output in the doc's lines
  std::vector<std::string> expected;
};

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<Example> ExamplesOf(const std::vector<std::string>& lines) {
  std::vector<Example> examples;
  bool inSession = false;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const std::string& line = lines[k];
    if (line.starts_with("```")) {
      inSession = !inSession && line == "```console";
    } else if (inSession && line.starts_with("$ ")) {
      examples.push_back({line.substr(2), k + 1, {}});
    } else if (inSession && !examples.empty()) {
      examples.back().expected.push_back(line);
    }
  }
  return examples;
}

std::string WithoutTrailingBlanks(std::string line) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
  return line;
}

// The expected lines, each "..." standing for any number of lines, match
// the printed ones.
bool Matches(const std::vector<std::string>& expected, std::size_t e, const std::vector<std::string>& printed,
             std::size_t p) {
  if (e == expected.size()) return p == printed.size();
  if (expected[e] == kAnyLines) {
    for (std::size_t skip = p; skip <= printed.size(); ++skip)
      if (Matches(expected, e + 1, printed, skip)) return true;
    return false;
  }
  return p < printed.size() && WithoutTrailingBlanks(expected[e]) == WithoutTrailingBlanks(printed[p]) &&
         Matches(expected, e + 1, printed, p + 1);
}

// What a recording writes: the printed lines, shortened where the doc
// leaves lines out.
std::vector<std::string> Recorded(const std::vector<std::string>& expected, const std::vector<std::string>& printed) {
  const auto first = std::find(expected.begin(), expected.end(), kAnyLines);
  if (first == expected.end()) return printed;
  const auto head = static_cast<std::size_t>(first - expected.begin());
  const auto last = std::find(expected.rbegin(), expected.rend(), kAnyLines).base();
  const auto tail = static_cast<std::size_t>(expected.end() - last);
  if (head + tail >= printed.size()) return printed;
  std::vector<std::string> lines(printed.begin(), printed.begin() + static_cast<std::ptrdiff_t>(head));
  lines.emplace_back(kAnyLines);
  lines.insert(lines.end(), printed.end() - static_cast<std::ptrdiff_t>(tail), printed.end());
  return lines;
}

// A folder standing for the user's home, with samples/ in it and the
// program on PATH.
class Session {
 public:
  Session() {
    fs::copy(fs::path(PATCHLORE_SOURCE_DIR) / "samples", home_.path() / "samples");
    fs::create_symlink(PATCHLORE_CLI, bin_.path() / "patchlore-cli");
  }

  std::vector<std::string> run(const std::string& command) const {
    const std::string script = bin_.write("example.sh", command + "\n");
    const std::string home = home_.path().string();
    const test::CliRun run = test::RunCommand("cd '" + home + "' && HOME='" + home + "' PATH='" +
                                              bin_.path().string() + "':\"$PATH\" LC_ALL=C "
                                              "PATCHLORE_FIXED_TIME=12:00:00 sh '" + script + "'");
    std::string printed = run.out;
    for (std::size_t at; (at = printed.find(home)) != std::string::npos;) printed.replace(at, home.size(), kHomeShown);
    return LinesOf(printed);
  }

 private:
  test::TempDir home_;
  test::TempDir bin_;
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

// Runs every example of the doc; with PATCHLORE_RECORD_DOCS set, writes
// what they print into it.
void CheckExamples(const std::string& doc) {
  const fs::path path = fs::path(PATCHLORE_SOURCE_DIR) / doc;
  std::vector<std::string> lines = LinesOf(test::TempDir::read(path.string()));
  const std::vector<Example> examples = ExamplesOf(lines);
  ASSERT_FALSE(examples.empty()) << doc << " has no console block";
  const bool record = std::getenv("PATCHLORE_RECORD_DOCS") != nullptr;
  Session session;
  std::vector<std::vector<std::string>> printed;
  for (const Example& example : examples) {
    printed.push_back(session.run(example.command));
    if (record) continue;
    EXPECT_TRUE(Matches(example.expected, 0, printed.back(), 0))
        << doc << ": $ " << example.command << "\n--- shown:\n" << Joined(example.expected) << "--- printed:\n"
        << Joined(printed.back());
  }
  if (!record) return;
  for (std::size_t k = examples.size(); k-- > 0;) {
    const Example& example = examples[k];
    const auto first = lines.begin() + static_cast<std::ptrdiff_t>(example.firstLine);
    lines.erase(first, first + static_cast<std::ptrdiff_t>(example.expected.size()));
    const std::vector<std::string> recorded = Recorded(example.expected, printed[k]);
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(example.firstLine), recorded.begin(), recorded.end());
  }
  std::ofstream(path, std::ios::binary) << Joined(lines);
}

TEST(DocExamples, TheReadmePrintsWhatItShows) { CheckExamples("README.md"); }

TEST(DocExamples, TheGuidePrintsWhatItShows) { CheckExamples("docs/guide.md"); }

// The examples run on samples/ as the sample tool writes them.
TEST(DocExamples, SamplesAreWhatTheSampleToolWrites) {
  const test::TempDir made;
  ASSERT_EQ(test::RunCommand(std::string(PATCHLORE_SAMPLES) + " '" + made.path().string() + "'").status, 0);
  const fs::path samples = fs::path(PATCHLORE_SOURCE_DIR) / "samples";
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(made.path())) names.push_back(entry.path().filename().string());
  std::vector<std::string> kept;
  for (const auto& entry : fs::directory_iterator(samples)) kept.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(kept, names);
  for (const std::string& name : names)
    EXPECT_TRUE(test::TempDir::read((samples / name).string()) == test::TempDir::read((made.path() / name).string()))
        << "samples/" << name << " differs from what build/tools/patchlore-samples writes";
}

}  // namespace
}  // namespace patchlore
