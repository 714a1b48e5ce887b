// The program Show of a full-size KRONOS PCG through the viewer, against a
// baseline that only reads every program's name; the ".CVS" export of a
// table of 30,000 rows (target: under 50 ms), against writing its text whole.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "common/file_io.hpp"
#include "workspace/registry.hpp"
#include "formats/banks.hpp"
#include "formats/chunks.hpp"
#include "formats/program_layout.hpp"
#include "ratio_reporter.hpp"
#include "support/pcg_builder.hpp"
#include "viewer/object_browser.hpp"
#include "viewer/table_export.hpp"
#include "viewer/viewer_core.hpp"

namespace {

using patchlore::test::Bytes;

// 20 program banks of 128 programs of 4,960 bytes; every program Double with
// all sixteen zones active, so every row has its zone rows.
struct FullPcg {
  patchlore::Registry registry;
  std::vector<patchlore::ViewerObject> banks;
  int index = 0;

  FullPcg() {
    patchlore::test::PcgBuilder builder;
    for (std::uint32_t i = 0; i < 5; ++i) builder.programBank(i);
    builder.programBank(0x8000);
    for (std::uint32_t i = 0; i < 14; ++i) builder.programBank(0x20000 + i);
    builder.editPatches([](auto&, int, Bytes& r) {
      const auto at = patchlore::ProgramLayoutFor(patchlore::kKronosConstants, patchlore::kShortZoneConstants, false);
      r[static_cast<std::size_t>(at.modeByte())] = 0x01;  // Double
      for (int osc = 0; osc < 2; ++osc)
        for (int k = 0; k < 8; ++k)
          r[static_cast<std::size_t>(at.firstZone() + osc * at.osc2Delta + k * at.zoneSize)] = 0x01;
    });
    const Bytes bytes = builder.build();
    patchlore::ByteBuffer buffer(static_cast<std::int64_t>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), buffer.data());
    index = registry.add(std::move(buffer), "/bench/FULL.PCG", {patchlore::FileKind::Pcg, patchlore::Model::Kronos, "PCG KORG KRONOS"});
    const auto image = registry.image(index);
    for (const auto offset : patchlore::BankRun(image, patchlore::FindChunk("PRG1", image),
                                                patchlore::BankRunKind::Programs))
      banks.push_back({"Prog Bank=" + patchlore::Hex8(offset), offset});
  }
};

FullPcg& Pcg() {
  static FullPcg pcg;
  return pcg;
}

void BM_ProgramShowFullPcg(benchmark::State& state) {
  FullPcg& pcg = Pcg();
  patchlore::ViewerShared shared;
  patchlore::ViewerReporter reporter;
  patchlore::ViewerCore viewer(pcg.registry, shared, reporter, [] { return std::string("00:00:00"); });
  viewer.Open(patchlore::MakeViewerRequest("Prog", pcg.index, patchlore::FileWindowCaption(pcg.registry, pcg.index),
                                           pcg.banks));
  for (const char* name : {"PVoiceMode", "PKeyZone", "PMsWsDk"}) viewer.setColumnBox(name, true);
  for (auto _ : state) {
    viewer.pressShow();
    if (viewer.state().table.rows.size() != 20u * 128u * 16u) state.SkipWithError("rows missing");
    benchmark::DoNotOptimize(viewer.state().table.rows.data());
  }
}
BENCHMARK(BM_ProgramShowFullPcg)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

// The same Show in a viewer just opened, as a user's first Show: no rows of
// an earlier Show to reuse.
void BM_ProgramFirstShowFullPcg(benchmark::State& state) {
  FullPcg& pcg = Pcg();
  patchlore::ViewerShared shared;
  patchlore::ViewerReporter reporter;
  for (auto _ : state) {
    auto viewer = std::make_unique<patchlore::ViewerCore>(pcg.registry, shared, reporter,
                                                          [] { return std::string("00:00:00"); });
    viewer->Open(patchlore::MakeViewerRequest("Prog", pcg.index, patchlore::FileWindowCaption(pcg.registry, pcg.index),
                                             pcg.banks));
    for (const char* name : {"PVoiceMode", "PKeyZone", "PMsWsDk"}) viewer->setColumnBox(name, true);
    viewer->pressShow();
    if (viewer->state().table.rows.size() != 20u * 128u * 16u) state.SkipWithError("rows missing");
    state.PauseTiming();  // closing the viewer is not part of its Show
    viewer.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ProgramFirstShowFullPcg)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

void BM_ReadAllProgramNames(benchmark::State& state) {
  FullPcg& pcg = Pcg();
  const auto image = pcg.registry.image(pcg.index);
  for (auto _ : state) {
    std::vector<std::string> names;
    for (const auto& object : pcg.banks) {
      const auto bank = patchlore::ReadBankHeader(image, object.offset);
      for (std::int64_t j = 0; j < bank.patchCount; ++j)
        names.push_back(patchlore::BytesText(image, bank.patchOffset(j), 24));
    }
    benchmark::DoNotOptimize(names.data());
  }
}
BENCHMARK(BM_ReadAllProgramNames)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

patchlore::Table RowsTable(int rows) {
  patchlore::Table table;
  for (const char* caption : {"Prog Bank", "Index", "P.Name", "OSC Mode", "Voice Mode", "Key Zone",
                              "Transpose", "MS / WS / DK"})
    table.columns.push_back({caption, 50});
  for (int r = 0; r < rows; ++r)
    table.rows.push_back({r % 128 == 0 ? "I-A; [HD-1]" : "",
                          {patchlore::ZeroPad(r % 128, 3), "Prog I-A 000            ", "Double",
                           "Poly; Detune: 064", " OSC1: C-1..G9;  OSC2: C2..C7; Hold:On C4..C5",
                           " OSC1:-12 OSC2:+05", "OSC1:1  >MS   >ROM stereo   >#0300   >Level=100"}});
  return table;
}

std::string BenchFile() {
  return (std::filesystem::temp_directory_path() / "patchlore-bench-export.CVS").string();
}

void BM_ExportCvs30000Rows(benchmark::State& state) {
  const auto table = RowsTable(30000);
  const std::string path = BenchFile();
  for (auto _ : state)
    if (!patchlore::WriteTableAsCvs(path, table, "; ")) state.SkipWithError("not written");
  std::remove(path.c_str());
}
BENCHMARK(BM_ExportCvs30000Rows)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

void BM_WriteSameTextWhole(benchmark::State& state) {
  std::string text;
  for (const auto& line : patchlore::CvsLines(RowsTable(30000), "; ")) text += line + "\r\n";
  const std::string path = BenchFile();
  for (auto _ : state)
    if (!patchlore::WriteFileSafely(path, text.data(), text.size())) state.SkipWithError("not written");
  std::remove(path.c_str());
}
BENCHMARK(BM_WriteSameTextWhole)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

const bool kCompared = [] {
  patchlore::bench::CompareWith("BM_ProgramShowFullPcg", "BM_ReadAllProgramNames");
  patchlore::bench::CompareWith("BM_ExportCvs30000Rows", "BM_WriteSameTextWhole");
  return true;
}();

}  // namespace
