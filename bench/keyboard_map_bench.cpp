// One keyboard map drawn as the viewer's pane draws it (target: under 5 ms):
// the map of a combination of 16 timbres read from the file (splits,
// velocity layers, muted and reversed zones), painted into an image of the
// pane's usual size with its bar highlighted.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "formats/banks.hpp"
#include "formats/chunks.hpp"
#include "qt_application.hpp"
#include "support/combination_builder.hpp"
#include "support/pcg_builder.hpp"
#include "viewer/object_browser.hpp"
#include "viewer/ui/keyboard_map_pane.hpp"
#include "viewer/ui/keyboard_map_picture.hpp"
#include "viewer/viewer_core.hpp"
#include "workspace/registry.hpp"

namespace {

using patchlore::test::Bytes;

// Timbre t plays its own eighth of the keyboard, half of them over a
// velocity layer, every third muted and every fifth zone reversed.
Bytes SixteenTimbres() {
  patchlore::test::PcgBuilder builder;
  builder.programBank(0, 16).combiBank(0, 1);
  builder.editPatches([](const patchlore::test::BankPlan& bank, int, Bytes& r) {
    if (bank.id != "CBK1") return;
    patchlore::test::ClearCombinationBody(r);
    for (int t = 0; t < 16; ++t) {
      const int low = (t % 8) * 16;
      const bool reversed = t % 5 == 0;
      patchlore::test::PutTimbre(r, patchlore::kKronosConstants, t,
                                 {.programNumber = t, .playMute = t % 3 == 0 ? 0x80 : 0x00,
                                  .keyZoneLow = reversed ? low + 15 : low, .keyZoneHigh = reversed ? low : low + 15,
                                  .velocityZoneLow = t < 8 ? 1 : 64});
    }
  });
  return builder.build();
}

void BM_KeyboardMapDraw(benchmark::State& state) {
  patchlore::bench::EnsureApplication();
  const Bytes bytes = SixteenTimbres();
  patchlore::Registry registry;
  patchlore::ByteBuffer buffer(static_cast<std::int64_t>(bytes.size()));
  std::copy(bytes.begin(), bytes.end(), buffer.data());
  const int file = registry.add(std::move(buffer), "/bench/SPLITS.PCG",
                                {patchlore::FileKind::Pcg, patchlore::Model::Kronos, "PCG KORG KRONOS"});
  const patchlore::Image image = registry.image(file);
  std::vector<patchlore::ViewerObject> banks;
  for (const auto offset : patchlore::BankRun(image, patchlore::FindChunk("CMB1", image),
                                              patchlore::BankRunKind::Combinations))
    banks.push_back({"Combi Bank=" + patchlore::Hex8(offset), offset});
  patchlore::ViewerShared shared;
  patchlore::ViewerReporter reporter;
  patchlore::ViewerCore viewer(registry, shared, reporter, [] { return std::string("00:00:00"); });
  viewer.Open(patchlore::MakeViewerRequest("Combi", file, patchlore::FileWindowCaption(registry, file), banks));
  viewer.pressShow();
  QImage picture(KeyboardMapPane::kUsualWidth, KeyboardMapPane::kUsualHeight, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    const auto map = viewer.keyboardMapOfRow(7);
    if (!map || map->bars.size() != 16) state.SkipWithError("bars missing");
    QPainter painter(&picture);
    PaintKeyboardMap(painter, *map, picture.size(), map->barOfRow(7));
  }
}
BENCHMARK(BM_KeyboardMapDraw)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly();

}  // namespace
