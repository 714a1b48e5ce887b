// SysexText of the longest M1 message, an All Program dump: the decoder looks
// at a few bytes at the head and the length, so the time should not grow
// with the dump. And the split of a 64 MiB image into its messages, against
// merely finding every $F0 and $F7 in it.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "workspace/catalogue.hpp"
#include "formats/sysex_scan.hpp"
#include "ratio_reporter.hpp"
#include "support/sysex_builder.hpp"
#include "formats/m1_sysex_layout.hpp"
#include "formats/sysex_text.hpp"

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

constexpr std::size_t kImageSize = 64u << 20;
constexpr std::int64_t kMessages = 400000;

// 64 MiB of messages of varied length with a little garbage between them;
// message bodies hold data bytes only, and the image ends in garbage.
const std::vector<std::uint8_t>& SysexImage() {
  static const std::vector<std::uint8_t> image = [] {
    std::vector<std::uint8_t> bytes(kImageSize);
    const std::size_t slot = kImageSize / kMessages;
    std::uint32_t x = 1;
    for (std::size_t at = 0; at < kMessages * slot; at += slot) {
      x = x * 1664525u + 1013904223u;
      const std::size_t gap = (x >> 16) % 8;
      const std::size_t end = at + slot - 1 - (x >> 24) % 16;
      bytes[at] = 0x7F;
      for (std::size_t i = at + gap + 1; i < end; ++i) bytes[i] = static_cast<std::uint8_t>((i * 31) & 0x7F);
      bytes[at + gap] = 0xF0;
      bytes[end] = 0xF7;
    }
    return bytes;
  }();
  return image;
}

void BM_MemchrEveryF0AndF7(benchmark::State& state) {
  const auto& image = SysexImage();
  for (auto _ : state) {
    std::int64_t found = 0;
    for (const std::uint8_t byte : {0xF0, 0xF7}) {
      const std::uint8_t* p = image.data();
      const std::uint8_t* const end = p + image.size();
      while (const void* hit = std::memchr(p, byte, static_cast<std::size_t>(end - p))) {
        ++found;
        p = static_cast<const std::uint8_t*>(hit) + 1;
      }
    }
    if (found != 2 * kMessages) state.SkipWithError("the image is not as built");
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kImageSize));
}
BENCHMARK(BM_MemchrEveryF0AndF7)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

void BM_SysexScan64MiB(benchmark::State& state) {
  const auto& image = SysexImage();
  for (auto _ : state) {
    const patchlore::SysexScan scan(image);
    if (scan.count() != kMessages) state.SkipWithError("not every message was found");
    benchmark::DoNotOptimize(scan.count());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kImageSize));
}
BENCHMARK(BM_SysexScan64MiB)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

// The catalogue as its window first shows it: the message index and the
// texts of a screenful of rows.
void BM_SysexCatalogue64MiB(benchmark::State& state) {
  const auto& image = SysexImage();
  constexpr std::size_t kScreenRows = 40;
  for (auto _ : state) {
    patchlore::Catalogue catalogue;
    catalogue.list.columns = patchlore::DefaultCatalogueColumns();
    patchlore::SetSysexRows(image, catalogue);
    std::size_t characters = 0;
    for (std::size_t row = 0; row < kScreenRows; ++row)
      for (std::size_t column = 0; column < catalogue.columns().size(); ++column)
        characters += catalogue.text(row, column).size();
    if (catalogue.rowCount() != kMessages) state.SkipWithError("not every message was found");
    benchmark::DoNotOptimize(characters);
  }
}
BENCHMARK(BM_SysexCatalogue64MiB)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

// Every row's texts and descriptor line, as `list --sysex` prints them.
void BM_SysexCatalogueEveryRow64MiB(benchmark::State& state) {
  const auto& image = SysexImage();
  for (auto _ : state) {
    patchlore::Catalogue catalogue;
    catalogue.list.columns = patchlore::DefaultCatalogueColumns();
    patchlore::SetSysexRows(image, catalogue);
    std::size_t characters = 0;
    for (std::size_t row = 0; row < catalogue.rowCount(); ++row) {
      for (std::size_t column = 0; column < catalogue.columns().size(); ++column)
        characters += catalogue.text(row, column).size();
      characters += catalogue.descriptorLine(row).size();
    }
    benchmark::DoNotOptimize(characters);
  }
}
BENCHMARK(BM_SysexCatalogueEveryRow64MiB)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

const bool registered = (patchlore::bench::CompareWith("BM_SysexScan64MiB", "BM_MemchrEveryF0AndF7"),
                         patchlore::bench::CompareWith("BM_SysexCatalogue64MiB", "BM_MemchrEveryF0AndF7"), true);

}  // namespace
