#include "cli/rename_command.hpp"

#include "banks/bank_list.hpp"
#include "banks/name_editor.hpp"
#include "cli/command_line.hpp"
#include "common/cp1251.hpp"
#include "workspace/workspace.hpp"

namespace patchlore::cli {

namespace {

std::optional<int> Load(Workspace& workspace, const RenameOptions& options, const Output& output) {
  const LoadResult loaded = workspace.openFile(options.file);
  if (loaded) return loaded->index;
  output.err << "ActionMsg: " << (output.raw ? loaded.failure().text : Cp1251ToUtf8(loaded.failure().text)) << '\n';
  if (!loaded.failure().reason.empty()) output.error(loaded.failure().reason);
  return std::nullopt;
}

}  // namespace

int RunRename(const RenameOptions& options, const Output& output) {
  if (RefuseOutputTarget(options.output, output)) return kRefused;
  Workspace workspace;
  const std::optional<int> opened = Load(workspace, options, output);
  if (!opened) return kRefused;
  Registry& registry = workspace.registry();
  const auto banks = ListProgramAndCombinationBanks(registry.image(*opened));
  if (options.bankLine < 0 || options.bankLine >= std::ssize(banks)) {
    output.err << "The bank list has no line " << options.bankLine << " (" << banks.size() << " banks)\n";
    return kRefused;
  }
  const ListedBank& bank = banks[static_cast<std::size_t>(options.bankLine)];
  const auto inputs = NameEditorInputsFor(registry, *opened, bank.offset, options.patch);
  if (!inputs) {
    output.err << inputs.failure().text << '\n';
    return kRefused;
  }
  NameEditor editor(workspace);
  editor.open(*inputs, PatchNameAt(registry, *inputs));
  if (output.raw) editor.setName(options.name);
  else editor.setTypedName(options.name);
  const auto warning = WrongChecksumWarning(registry.image(*opened), bank.offset);
  const Status written = editor.write();
  output.line("BankInfo: " + editor.state().bankInfo);
  if (!written) return kRefused;
  if (warning) output.error(*warning);
  const Status saved = workspace.writeImage(*opened, options.output);
  if (!saved) {
    output.err << saved.failure().text << '\n';
    return kRefused;
  }
  return kDone;
}

}  // namespace patchlore::cli
