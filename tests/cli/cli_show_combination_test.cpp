// `patchlore-cli show` of a combination bank, linked to another PCG first.
#include <gtest/gtest.h>

#include "formats/model_layout.hpp"
#include "support/cli_runner.hpp"
#include "support/combination_builder.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

using test::Bytes;
using test::PcgBuilder;

// The PCG of the combinations is linked to itself, so its own U-A000 is found
// although the PCG linked before has no bank U-A.
TEST(CliShowCombination, TimbreRowsNamedByTheirOwnPcg) {
  test::TempDir dir;
  const Bytes pcg = PcgBuilder()
                        .programBank(0, 1)
                        .programBank(0x20000, 1)
                        .combiBank(0, 1)
                        .editPatches([](const test::BankPlan& bank, int, Bytes& r) {
                          if (bank.id != "CBK1") return;
                          test::ClearCombinationBody(r);
                          for (int t = 0; t < 16; ++t) test::PutTimbre(r, kKronosConstants, t, {});
                          test::PutTimbre(r, kKronosConstants, 0, {.programBank = 0x11, .pan = 0});
                        })
                        .build();
  const auto other = dir.write("L.PCG", PcgBuilder().programBank(0, 1).build());
  const auto path = dir.write("A.PCG", pcg);
  const test::CliRun run = test::RunCommand("PATCHLORE_FIXED_TIME=11:22:33 " + std::string(PATCHLORE_CLI) +
                                            " show '" + path + "' 2 --link '" + other +
                                            "' --tick TPName --tick TPan");
  EXPECT_EQ(run.status, 0) << run.out;
  std::string rows;
  for (int t = 2; t <= 16; ++t)
    rows += "; ; ; T" + std::string(t < 10 ? "0" : "") + std::to_string(t) + "; 01;  I-A000; Prog I-A 000; C064; \n";
  EXPECT_EQ(run.out,
            "Caption: Combi 1:PCG KORG KRONOS (bytes:" + std::to_string(pcg.size()) + ") \\A.PCG\n"
            "Msg: Combi Banks:1; Lines:16; Time: 11:22:33 - 11:22:33\n"
            "Info: Processing...Combi I-A000\n"
            "LinkMsg: 1:A.PCG\n"
            "Sep=; \n"
            "Combi Bank; Index; C.Name; Timbre; Channel; Prog; P.Name; Pan; \n"
            "I-A; 000; Combi I-A 000; T01; 01;  U-A000; Prog U-A 000; RND; \n" + rows);
}

}  // namespace
}  // namespace patchlore
