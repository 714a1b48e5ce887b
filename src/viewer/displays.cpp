#include "viewer/displays.hpp"

#include "viewer/bank_list_display.hpp"
#include "viewer/combination_display.hpp"
#include "viewer/program_display.hpp"
#include "viewer/set_list_display.hpp"
#include "viewer/song_display.hpp"
#include "viewer/viewer_core.hpp"

namespace patchlore {

namespace {

std::unique_ptr<Display> MakeProgramDisplay(ShowFrame& frame) {
  const ShowContext& context = frame.context();
  const ViewerState& state = frame.viewerState();
  const ProgramLayout layout =
      ProgramLayoutFor(context.modelConstants, context.versionConstants, context.model == Model::Oasys);
  ProgramDisplayOptions options{context.patch, state.checkOffset.checked, state.sw3.checked,
                                state.sw2.checked};
  return std::make_unique<ProgramDisplay>(
      context.image, layout, std::move(options),
      [&frame](std::string_view name) { return frame.columnTicked(name); });
}

}  // namespace

std::unique_ptr<Display> MakeDisplay(ViewerKind kind, ShowFrame& frame) {
  switch (kind) {
    case ViewerKind::Program: return MakeProgramDisplay(frame);
    case ViewerKind::Combination: return MakeCombinationDisplay(frame);
    case ViewerKind::Song: return std::make_unique<SongDisplay>();
    case ViewerKind::SetList: return std::make_unique<SetListDisplay>(frame.context());
    case ViewerKind::DrumKit: return std::make_unique<BankListDisplay>(frame, "Drum Kit ");
    case ViewerKind::WaveSequence: return std::make_unique<BankListDisplay>(frame, "Wave Seq ");
    case ViewerKind::Sysex:
    case ViewerKind::Other: return nullptr;
  }
  return nullptr;
}

}  // namespace patchlore
