#include "cli/rename_command.hpp"

#include "banks/bank_list.hpp"
#include "banks/name_editor.hpp"
#include "common/cp1251.hpp"
#include "common/file_io.hpp"
#include "workspace/workspace.hpp"

namespace patchlore::cli {

int RunRename(const RenameOptions& options, const Output& output) {
  Workspace workspace;
  const LoadResult loaded = workspace.openFile(options.file);
  if (!loaded) {
    output.err << "ActionMsg: " << loaded.failure().text << '\n';
    return 1;
  }
  const int opened = loaded->index;
  Registry& registry = workspace.registry();
  const auto banks = ListProgramAndCombinationBanks(registry.image(opened));
  if (options.bankLine < 0 || options.bankLine >= std::ssize(banks)) {
    output.err << "The bank list has no line " << options.bankLine << " (" << banks.size() << " banks)\n";
    return 2;
  }
  const ListedBank& bank = banks[static_cast<std::size_t>(options.bankLine)];
  const auto inputs = NameEditorInputsFor(registry, opened, bank.offset, options.patch);
  if (!inputs) {
    output.err << inputs.failure().text << '\n';
    return 2;
  }
  NameEditor editor(workspace);
  editor.open(*inputs, PatchNameAt(registry, *inputs));
  editor.setName(output.raw ? options.name : Utf8ToCp1251(options.name));
  const Status written = editor.write();
  output.line("BankInfo: " + editor.state().bankInfo);
  if (!written) return 2;
  const auto image = registry.image(opened);
  const Status saved = WriteFileSafely(options.output, reinterpret_cast<const char*>(image.data()), image.size());
  if (!saved) {
    output.err << saved.failure().text << '\n';
    return 1;
  }
  return 0;
}

}  // namespace patchlore::cli
