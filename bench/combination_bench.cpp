// The combination Show of a full-size KRONOS PCG through the viewer: 14 banks
// of 128 combinations, 16 timbre rows each (28,672 rows), every column box
// ticked, program names taken from the PCG itself. The "row" counter is the
// time per row, to set against the program Show's (BM_ProgramShowFullPcg,
// 40,960 rows).
#include <benchmark/benchmark.h>

#include "workspace/registry.hpp"
#include "formats/banks.hpp"
#include "formats/chunks.hpp"
#include "formats/model_layout.hpp"
#include "ratio_reporter.hpp"
#include "support/combination_builder.hpp"
#include "support/pcg_builder.hpp"
#include "viewer/object_browser.hpp"
#include "viewer/viewer_core.hpp"

namespace {

using patchlore::test::Bytes;

constexpr int kCombinationBanks = 14;
constexpr int kRows = kCombinationBanks * 128 * 16;

// Five internal program banks that name every timbre's program, then the
// combination banks; timbres play programs of all five banks in turn.
struct FullCombiPcg {
  patchlore::Registry registry;
  std::vector<patchlore::ViewerObject> banks;
  int index = 0;

  FullCombiPcg() {
    patchlore::test::PcgBuilder builder;
    for (std::uint32_t i = 0; i < 5; ++i) builder.programBank(i);
    for (std::uint32_t i = 0; i < kCombinationBanks; ++i) builder.combiBank(i < 7 ? i : 0x20000 + i - 7);
    builder.editPatches([](const patchlore::test::BankPlan& bank, int j, Bytes& r) {
      if (bank.id != "CBK1") return;
      patchlore::test::ClearCombinationBody(r);
      for (int t = 0; t < 16; ++t)
        patchlore::test::PutTimbre(r, patchlore::kKronosConstants, t,
                                   {.programNumber = (j * 16 + t) % 128, .programBank = (j + t) % 5,
                                    .statusChannel = 0x20 + t, .transpose = t - 8, .pan = j,
                                    .playMute = t % 3 == 0 ? 0x80 : 0x00});
    });
    const Bytes bytes = builder.build();
    patchlore::ByteBuffer buffer(static_cast<std::int64_t>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), buffer.data());
    index = registry.add(std::move(buffer), "/bench/COMBI.PCG", {patchlore::FileKind::Pcg, patchlore::Model::Kronos, "PCG KORG KRONOS"});
    const auto image = registry.image(index);
    for (const auto offset : patchlore::BankRun(image, patchlore::FindChunk("CMB1", image),
                                                patchlore::BankRunKind::Combinations))
      banks.push_back({"Combi Bank=" + patchlore::Hex8(offset), offset});
  }
};

void BM_CombinationShowFullPcg(benchmark::State& state) {
  static FullCombiPcg pcg;
  patchlore::ViewerShared shared;
  patchlore::ViewerReporter reporter;
  patchlore::ViewerCore viewer(pcg.registry, shared, reporter, [] { return std::string("00:00:00"); });
  viewer.Open(patchlore::MakeViewerRequest("Combi", pcg.index,
                                           patchlore::FileWindowCaption(pcg.registry, pcg.index), pcg.banks));
  for (const char* name : {"TStatus", "TTranspose", "TPlay", "TMute", "TPan", "TVolume", "TPName",
                           "TKeyboardZones", "TVelocityZones"})
    viewer.setColumnBox(name, true);
  for (auto _ : state) {
    viewer.pressShow();
    if (viewer.state().table.rows.size() != static_cast<std::size_t>(kRows)) state.SkipWithError("rows missing");
    benchmark::DoNotOptimize(viewer.state().table.rows.data());
  }
  state.counters["row"] = benchmark::Counter(kRows, benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}
BENCHMARK(BM_CombinationShowFullPcg)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

const bool kCompared = [] {
  patchlore::bench::CompareWith("BM_CombinationShowFullPcg", "BM_ProgramShowFullPcg");
  return true;
}();

}  // namespace
