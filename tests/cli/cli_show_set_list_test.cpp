// `patchlore-cli show` of a set list bank and a drum kit bank.
#include <gtest/gtest.h>

#include "formats/set_list_layout.hpp"
#include "support/chunk_tree.hpp"
#include "support/cli_runner.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

using namespace set_list_layout;
using test::Bytes;

// Every slot alike: named "S", a program, volume 90, hold 2 seconds and,
// in 32 bytes, a comment of 2 characters.
Bytes OneSetListAndOneKit() {
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
      .drumKitBank(0, 1, 30)
      .build();
}

TEST(CliShowSetList, PrintsEverySlotOfTheSetListThenTheKits) {
  test::TempDir dir;
  const Bytes pcg = OneSetListAndOneKit();
  const std::string path = dir.write("L.PCG", pcg);
  const test::CliRun run =
      test::RunCommand("PATCHLORE_FIXED_TIME=11:22:33 " + std::string(PATCHLORE_CLI) + " show '" + path + "' 0 1");
  EXPECT_EQ(run.status, 0);
  const std::string caption = "0:PCG KORG KRONOS (bytes:" + std::to_string(pcg.size()) + ") \\L.PCG\n";
  const std::string slotName = "S" + std::string(kSlotNameWidth - 1, ' ');
  std::string expected = "Caption: SetList " + caption +
                         "Msg: SetList:0; Lines:127\n"
                         "Info: \n"
                         "LinkMsg: 0:L.PCG\n"
                         "Sep=; \n"
                         "Index; SetList Name; Slot; Type; Slot Name; Volume; Hold Time; Comment; \n"
                         "000; Set List 0; 0; Prog; " + slotName + "; 90; 2 sec.; Cm; \n";
  for (int i = 1; i < kSlotsShown; ++i)
    expected += "; ; " + std::to_string(i) + "; Prog; " + slotName + "; 90; 2 sec.; Cm; \n";
  expected += "Caption: Drum " + caption +
              "Msg: Drum Banks:1; Lines:1\n"
              "Info: \n"
              "LinkMsg: 0:L.PCG\n"
              "Sep=; \n"
              "Object; Index; Name; Type; Count; \n"
              "Drum Kit I-A; 000; Kit I-A 000; ; ; \n";
  EXPECT_EQ(run.out, expected);
}

}  // namespace
}  // namespace patchlore
