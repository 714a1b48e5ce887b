#include "cli/compare_command.hpp"

#include "cli/command_line.hpp"
#include "common/bytes.hpp"
#include "tools/compare_command.hpp"

namespace patchlore::cli {

namespace {

// No window: the comparison runs to its end.
class HeadlessHost : public CompareHost {
 public:
  void pump() override {}
  int nextWindowNumber() override { return 1; }
  void openWindow(Catalogue) override {}
  bool windowOpen() const override { return true; }
  void rowsAdded(const std::string*) override {}
  void setProgress(const ProgressBar&) override {}
};

void PrintRows(const FileComparison& comparison, const Output& output) {
  for (std::size_t row = 0; row < comparison.count(); ++row) {
    std::string line = "Row: " + comparison.text(row, 0);
    for (std::size_t column = 1; column < ComparisonColumns().size(); ++column)
      line += Concat({"\t", comparison.text(row, column)});
    output.line(line);
  }
  if (const auto msg = comparison.msg()) output.line("Msg: " + *msg);
}

void PrintSummary(const FileComparison& comparison, const Output& output) {
  output.line("Files: " + comparison.text(0, 0) + "\t" + comparison.text(0, 3) + "\t" + comparison.text(1, 0) +
              "\t" + comparison.text(1, 4));
  const std::int64_t count = comparison.differenceCount();
  output.line("Compared: " + std::to_string(comparison.commonSize()) + "; notEQ:" + std::to_string(count));
  if (count > 0)
    output.line("First: " + Hex8(comparison.difference(0)) + "; Last: " + Hex8(comparison.difference(count - 1)));
}

}  // namespace

int RunCompare(const CompareOptions& options, const Output& output) {
  const bool firstUnread = ReportUnreadable(options.first, output);
  if (ReportUnreadable(options.second, output) || firstUnread) return kRefused;
  CommandLineDialogs dialogs;
  dialogs.answerNextOpenWith(options.first);
  dialogs.answerNextOpenWith(options.second);
  HeadlessHost host;
  const auto comparison = RunCompareCommand(dialogs, host);
  if (!comparison) {
    output.err << "patchlore-cli: no such file: " << options.first << "\n";
    return 2;
  }
  if (options.summary) {
    PrintSummary(*comparison, output);
  } else {
    PrintRows(*comparison, output);
  }
  if (comparison->count() < 2) output.err << "patchlore-cli: no such file: " << options.second << "\n";
  if (!comparison->comparable()) return kRefused;
  const std::int64_t first = comparison->fileSize(1);
  const std::int64_t second = comparison->fileSize(2);
  if (first != second)
    output.line("Lengths: " + std::to_string(first) + " and " + std::to_string(second) +
                " bytes differ: only the first " + std::to_string(comparison->commonSize()) + " were compared");
  return comparison->differenceCount() == 0 && first == second ? kDone : kNotAsAsked;
}

}  // namespace patchlore::cli
