// The set list Show of a full set list bank through the viewer: 128 set lists
// of 128 slots of 542 bytes, 16,256 rows each with its 512-byte comment
// (target: well under 100 ms).
#include <benchmark/benchmark.h>

#include "workspace/registry.hpp"
#include "formats/chunks.hpp"
#include "formats/set_list_layout.hpp"
#include "support/pcg_builder.hpp"
#include "viewer/object_browser.hpp"
#include "viewer/viewer_core.hpp"

namespace {

constexpr int kSetLists = 128;

struct FullSetLists {
  patchlore::Registry registry;
  int index = 0;
  patchlore::ViewerObject bank;

  FullSetLists() {
    const auto bytes =
        patchlore::test::PcgBuilder().setLists(kSetLists, patchlore::set_list_layout::kSlotSize).build();
    patchlore::ByteBuffer buffer(static_cast<std::int64_t>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), buffer.data());
    index = registry.add(std::move(buffer), "/bench/SETLISTS.PCG", {patchlore::FileKind::Pcg, patchlore::Model::Kronos, "PCG KORG KRONOS"});
    const std::int64_t sls1 = patchlore::FindChunk("SLS1", registry.image(index));
    bank = {"SetList Bank=" + patchlore::Hex8(sls1), sls1};
  }
};

void BM_SetListShowFullBank(benchmark::State& state) {
  static FullSetLists file;
  patchlore::ViewerShared shared;
  patchlore::ViewerReporter reporter;
  patchlore::ViewerCore viewer(file.registry, shared, reporter, [] { return std::string("00:00:00"); });
  viewer.Open(patchlore::MakeViewerRequest("SetList", file.index,
                                           patchlore::FileWindowCaption(file.registry, file.index), {file.bank}));
  const std::size_t rows = std::size_t{kSetLists} * patchlore::set_list_layout::kSlotsShown;
  for (auto _ : state) {
    viewer.pressShow();
    if (viewer.state().table.rows.size() != rows ||
        viewer.state().table.rows.back().cells.back().size() !=
            static_cast<std::size_t>(patchlore::set_list_layout::kCommentWidth))
      state.SkipWithError("rows missing");
    benchmark::DoNotOptimize(viewer.state().table.rows.data());
  }
}
BENCHMARK(BM_SetListShowFullBank)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

}  // namespace
