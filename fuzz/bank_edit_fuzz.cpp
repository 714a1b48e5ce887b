// The editors of a loaded PCG on any image: the bank manager's Write and
// Move between two copies of the image and within one, and the name editor's
// Write, with choices taken from the input. The first kChoices bytes are the
// choices (list lines may be out of range or negative); the rest is the image.
// Undoing every change made gives both images back byte for byte.
#include <algorithm>
#include <array>

#include "banks/bank_list.hpp"
#include "banks/bank_manager.hpp"
#include "banks/name_editor.hpp"
#include "common/byte_buffer.hpp"
#include "fuzz_support.hpp"
#include "workspace/workspace.hpp"

using namespace patchlore;

namespace {

constexpr std::size_t kChoices = 16;
using Choices = std::array<std::int8_t, kChoices>;

void AddCopy(Registry& registry, Image image, const std::string& name) {
  registry.add(ByteBuffer::CopyOf(image), "/tmp/" + name, {FileKind::Pcg, Model::Kronos, "PCG KORG KRONOS"});
}

void EditBanks(Workspace& workspace, const Choices& c) {
  BankManager manager(workspace);
  manager.open();
  manager.chooseFile(BankSide::From, c[0] & 1);
  manager.chooseFile(BankSide::To, c[1] & 1);
  manager.chooseBank(BankSide::From, c[2]);
  manager.chooseBank(BankSide::To, c[3]);
  (void)manager.write();
  manager.choosePatch(BankSide::From, c[4]);
  manager.choosePatch(BankSide::To, c[5]);
  manager.setOffset(c[6] * 16);
  manager.setLength(c[7] * 16);
  (void)manager.move();
  (void)manager.writeRefusal();
  (void)manager.moveRefusal();
}

void Rename(Workspace& workspace, const Choices& c) {
  const Registry& registry = workspace.registry();
  const std::vector<ListedBank> banks = ListProgramAndCombinationBanks(registry.image(0));
  const std::string typed(reinterpret_cast<const char*>(&c[10]), kChoices - 10);
  NameEditor editor(workspace);
  if (!banks.empty()) {
    const auto inputs = NameEditorInputsFor(registry, 0, banks[static_cast<std::uint8_t>(c[8]) % banks.size()].offset, c[9]);
    if (inputs) {
      editor.open(*inputs, PatchNameAt(registry, *inputs));
      editor.setName(typed);
      (void)editor.write();
    }
  }
  // A patch that no longer matches the image: the editor must refuse it.
  NameEditorInputs stale;
  stale.fileIndex = c[0];
  stale.imageSize = registry.size(0) + c[1];
  stale.nameOffset = static_cast<std::uint8_t>(c[2]) * 997;
  stale.bankOffset = c[3] * 31;
  stale.checkSum = static_cast<std::uint8_t>(c[4]);
  stale.bankPart = typed.substr(0, 3);
  stale.patch = c[5];
  editor.open(stale, PatchNameAt(registry, stale));
  editor.setName(typed);
  (void)editor.write();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kChoices) return 0;
  Choices choices;
  std::copy_n(data, kChoices, reinterpret_cast<std::uint8_t*>(choices.data()));
  const Image image(data + kChoices, size - kChoices);
  Workspace workspace;
  AddCopy(workspace.registry(), image, "A.PCG");
  AddCopy(workspace.registry(), image, "B.PCG");
  EditBanks(workspace, choices);
  Rename(workspace, choices);
  // Every change taken back leaves both images as they were read.
  while (workspace.undo()) {
  }
  for (int file = 0; file < 2; ++file)
    if (!std::ranges::equal(workspace.registry().image(file), image)) __builtin_trap();
  return 0;
}
