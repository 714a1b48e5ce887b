// `patchlore-cli show` of a set list bank.
#include <gtest/gtest.h>

#include "formats/set_list_layout.hpp"
#include "support/cli_runner.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

using namespace set_list_layout;
using test::Bytes;

// Every slot alike: named "S", a program, volume 90, hold 2 seconds and,
// in 32 bytes, a comment of 2 characters.
Bytes OneSetList() {
  return test::PcgBuilder()
      .setLists(1, 32)
      .editSlots([](int, int, Bytes& slot) {
        std::fill(slot.begin(), slot.end(), ' ');
        slot[kSlotName] = 'S';
        slot[kSlotType] = 1;
        slot[kHoldTime] = 3;
        slot[kVolume] = 90;
        slot[kComment] = 'C';
        slot[kComment + 1] = 'm';
      })
      .build();
}

TEST(CliShowSetList, PrintsEverySlotOfTheSetList) {
  test::TempDir dir;
  const Bytes pcg = OneSetList();
  const std::string path = dir.write("L.PCG", pcg);
  const test::CliRun run =
      test::RunCommand(std::string(PATCHLORE_CLI) + " show '" + path + "' 0");
  EXPECT_EQ(run.status, 0);
  const std::string slotName = "S" + std::string(kSlotNameWidth - 1, ' ');
  std::string expected = "Caption: SetList 0:PCG KORG KRONOS (bytes:" + std::to_string(pcg.size()) + ") \\L.PCG\n"
                         "Msg: SetList:0; Lines:127\n"
                         "Info: \n"
                         "LinkMsg: 0:L.PCG\n"
                         "Sep=; \n"
                         "Index; SetList Name; Slot; Type; Slot Name; Volume; Hold Time; Comment; \n"
                         "000; Set List 0; 0; Prog; " + slotName + "; 90; 2 sec.; Cm; \n";
  for (int i = 1; i < kSlotsShown; ++i)
    expected += "; ; " + std::to_string(i) + "; Prog; " + slotName + "; 90; 2 sec.; Cm; \n";
  EXPECT_EQ(run.out, expected);
}

}  // namespace
}  // namespace patchlore
