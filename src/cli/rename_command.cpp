#include "cli/rename_command.hpp"

#include "app/main_window_core.hpp"
#include "banks/bank_list.hpp"
#include "banks/name_editor.hpp"
#include "common/cp1251.hpp"
#include "common/file_io.hpp"

namespace patchlore::cli {

namespace {

// Answers the one open dialog with the file to rename in; every other
// dialog is cancelled.
class OpenOnlyDialogs : public Dialogs {
 public:
  explicit OpenOnlyDialogs(std::string path) : path_(std::move(path)) {}
  std::optional<std::string> openFile(const std::string&) override { return std::exchange(path_, std::nullopt); }
  std::optional<std::string> saveFile(const std::string&, const std::string&) override { return std::nullopt; }
  std::optional<FontChoice> chooseFont(const FontChoice&) override { return std::nullopt; }
  bool askYesNo(const std::string&) override { return false; }

 private:
  std::optional<std::string> path_;
};

}  // namespace

int RunRename(const RenameOptions& options, const Output& output) {
  OpenOnlyDialogs dialogs(options.file);
  MainWindowReporter reporter;
  MainWindowCore window(dialogs, reporter);
  const Result<int> opened = window.openFile();
  if (!opened) {
    output.err << "ActionMsg: " << window.state().actionMsg << '\n';
    return 1;
  }
  Registry& registry = window.registry();
  const auto banks = ListProgramAndCombinationBanks(registry.image(*opened));
  if (options.bankLine < 0 || options.bankLine >= std::ssize(banks)) {
    output.err << "The bank list has no line " << options.bankLine << " (" << banks.size() << " banks)\n";
    return 2;
  }
  const ListedBank& bank = banks[static_cast<std::size_t>(options.bankLine)];
  const auto inputs = NameEditorInputsFor(registry, *opened, bank.offset, options.patch);
  if (!inputs) {
    output.err << inputs.failure().text << '\n';
    return 2;
  }
  NameEditor editor(registry);
  editor.open(*inputs, PatchNameAt(registry, *inputs));
  editor.setName(output.raw ? options.name : Utf8ToCp1251(options.name));
  const Status written = editor.write();
  output.line("BankInfo: " + editor.state().bankInfo);
  if (!written) return 2;
  const auto image = registry.image(*opened);
  const Status saved = WriteFileSafely(options.output, reinterpret_cast<const char*>(image.data()), image.size());
  if (!saved) {
    output.err << saved.failure().text << '\n';
    return 1;
  }
  return 0;
}

}  // namespace patchlore::cli
