// Undo and redo of a bank manager Write of a whole combination bank (128
// combinations of 7,810 bytes), against copying the same bytes twice with
// memcpy: taking a change back and making it again should cost the copies
// of its bytes and little else.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "banks/bank_manager.hpp"
#include "ratio_reporter.hpp"
#include "support/pcg_builder.hpp"
#include "workspace/workspace.hpp"

namespace {

using patchlore::test::PcgBuilder;

constexpr std::size_t kBankBytes = 128 * patchlore::test::kCombinationSize;

// Two combination banks whose every byte differs, so that the Write changes
// the whole To bank.
patchlore::ByteBuffer TwoCombinationBanks() {
  const auto image = PcgBuilder()
                         .combiBank(0)
                         .combiBank(1)
                         .withIni()
                         .editPatches([](const patchlore::test::BankPlan& bank, int patch, patchlore::test::Bytes& r) {
                           const std::size_t first = bank.typeCode * 101 + static_cast<std::size_t>(patch);
                           for (std::size_t i = 24; i < r.size(); ++i) r[i] = static_cast<std::uint8_t>(first + i);
                         })
                         .build();
  return patchlore::ByteBuffer::CopyOf(image);
}

void BM_UndoAndRedoOfACombinationBankWrite(benchmark::State& state) {
  patchlore::Workspace workspace;
  workspace.registry().add(TwoCombinationBanks(), "/tmp/BENCH.PCG",
                           {patchlore::FileKind::Pcg, patchlore::Model::Kronos, "PCG KORG KRONOS"});
  patchlore::BankManager manager(workspace);
  manager.open();
  manager.chooseFile(patchlore::BankSide::From, 0);
  manager.chooseFile(patchlore::BankSide::To, 0);
  manager.chooseBank(patchlore::BankSide::From, 0);
  manager.chooseBank(patchlore::BankSide::To, 1);
  // The two first names begin alike ("Combi I-"): those bytes are not recorded.
  if (!manager.write() || workspace.history().recordedBytes() < static_cast<std::int64_t>(2 * (kBankBytes - 24))) {
    state.SkipWithError("the Write did not change the whole bank");
    return;
  }
  for (auto _ : state) {
    if (!workspace.undo() || !workspace.redo()) state.SkipWithError("nothing to undo or redo");
    benchmark::DoNotOptimize(workspace.registry().image(0).data());
  }
}
BENCHMARK(BM_UndoAndRedoOfACombinationBankWrite)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly();

void BM_MemcpyOfACombinationBankTwice(benchmark::State& state) {
  std::vector<std::uint8_t> image(kBankBytes), before(kBankBytes, 1), after(kBankBytes, 2);
  for (auto _ : state) {
    std::memcpy(image.data(), before.data(), kBankBytes);
    std::memcpy(image.data(), after.data(), kBankBytes);
    benchmark::DoNotOptimize(image.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MemcpyOfACombinationBankTwice)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly();

const bool registered =
    (patchlore::bench::CompareWith("BM_UndoAndRedoOfACombinationBankWrite", "BM_MemcpyOfACombinationBankTwice"), true);

}  // namespace
