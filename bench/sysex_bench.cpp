// SysexText of the longest M1 message, an All Program dump: the decoder looks
// at a few bytes at the head and the length, so the time should not grow
// with the dump.
#include <benchmark/benchmark.h>

#include "support/sysex_builder.hpp"
#include "sysex/m1_sysex_layout.hpp"
#include "sysex/sysex_text.hpp"

namespace {

void BM_SysexTextOfAllProgramDump(benchmark::State& state) {
  namespace layout = patchlore::m1_sysex_layout;
  const patchlore::test::Bytes dump =
      patchlore::test::M1Dump(layout::kAllProgramDump, {0x01}, layout::kAllProgramDumpLength);
  for (auto _ : state) {
    const std::string text = patchlore::SysexText(dump);
    if (text.find("*error") != std::string::npos) {
      state.SkipWithError("the dump was not decoded");
      break;
    }
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_SysexTextOfAllProgramDump)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly();

}  // namespace
