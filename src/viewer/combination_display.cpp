#include "viewer/combination_display.hpp"

#include <algorithm>
#include <string_view>

#include "formats/program_keys.hpp"
#include "viewer/linked_names.hpp"
#include "viewer/mixer_texts.hpp"
#include "viewer/text_helpers.hpp"
#include "viewer/viewer_core.hpp"

namespace patchlore {

namespace {

// What every cell of one timbre row reads.
struct TimbreCell {
  const CombinationFacts& combination;
  const TimbreFacts& timbre;
  std::int64_t index;  // of the combination in its bank
  int number;          // of the timbre, from 0
  bool firstRow;       // of its combination
  std::string_view programKey;
  std::string_view programName;
  const CombinationDisplayOptions& options;
};

using CellFunction = void (*)(const TimbreCell&, std::string& out);

void AppendPrefix(const TimbreCell& c, std::string& out, std::string_view prefix) {
  if (c.options.prefixes) out += prefix;
}

// The status table, keyed by the high digit of the status-and-channel byte;
// a digit it does not name shows as itself.
void AppendStatus(std::string& out, char digit) {
  switch (digit) {
    case '0': out += "OFF"; break;
    case '2':
    case '3': out += "INT"; break;
    case '4': out += "BTH"; break;
    case '6': out += "EXT"; break;
    case '8': out += "EX2"; break;
    default: out += digit;
  }
}

// Each cell function writes its text into out; a field outside the image
// gives an empty text (its prefix stays).
void IndexCell(const TimbreCell& c, std::string& out) {
  if (!c.firstRow) return;
  out += ZeroPad(c.index, 3);
  if (c.options.offsets) out += "; offset=" + HexPad(c.combination.offset, 2);
}
void NameCell(const TimbreCell& c, std::string& out) {
  if (c.firstRow) out += TrimRight(NameText(c.combination.name));
}
void TimbreNumberCell(const TimbreCell& c, std::string& out) { out += Concat({"T", ZeroPad(c.number + 1, 2)}); }
void ChannelCell(const TimbreCell& c, std::string& out) {
  AppendPrefix(c, out, "ch:");
  if (c.timbre.mixer.statusChannel) out += ChannelText(*c.timbre.mixer.statusChannel);
}
void StatusCell(const TimbreCell& c, std::string& out) {
  if (c.timbre.mixer.statusChannel) AppendStatus(out, StatusDigit(*c.timbre.mixer.statusChannel));
}
void ProgCell(const TimbreCell& c, std::string& out) { (out += " ") += c.programKey; }
void ProgNameCell(const TimbreCell& c, std::string& out) { out += c.programName; }
void PlayMuteCell(const TimbreCell& c, std::string& out) {
  if (c.timbre.muted) out += *c.timbre.muted ? "Mute" : "Play";
}
void PanCell(const TimbreCell& c, std::string& out) { AppendPan(out, c.timbre.mixer); }
void VolumeCell(const TimbreCell& c, std::string& out) { AppendVolume(out, c.timbre.mixer, c.options.prefixes); }
void TransposeCell(const TimbreCell& c, std::string& out) {
  AppendTranspose(out, c.timbre.mixer, c.options.prefixes);
}
void KeyboardZonesCell(const TimbreCell& c, std::string& out) {
  AppendKeyZones(out, c.timbre.mixer, c.options.prefixes);
}
void VelocityZonesCell(const TimbreCell& c, std::string& out) {
  AppendVelocityZones(out, c.timbre.mixer, c.options.prefixes);
}

struct CombinationColumnEntry {
  CombinationColumn id;
  std::string_view columnSwitch;  // empty: always shown
  std::string_view otherSwitch;   // shown also when this one is ticked
  std::string_view caption;
  int width;
  CellFunction cell;
};

constexpr int kBankColumnWidth = 80;
constexpr CombinationColumnEntry kCombinationColumns[] = {
    {CombinationColumn::Index, "", "", "Index", 48, IndexCell},
    {CombinationColumn::Name, "", "", "C.Name", 70, NameCell},
    {CombinationColumn::Timbre, "", "", "Timbre", 52, TimbreNumberCell},
    {CombinationColumn::Channel, "", "", "Channel", 44, ChannelCell},
    {CombinationColumn::Status, "TStatus", "", "Status", kDefaultColumnWidth, StatusCell},
    {CombinationColumn::Prog, "", "", "Prog", kDefaultColumnWidth, ProgCell},
    {CombinationColumn::ProgName, "TPName", "", "P.Name", 70, ProgNameCell},
    {CombinationColumn::PlayMute, "TPlay", "TMute", "Play/Mute", 71, PlayMuteCell},
    {CombinationColumn::Pan, "TPan", "", "Pan", kDefaultColumnWidth, PanCell},
    {CombinationColumn::Volume, "TVolume", "", "Volume", 44, VolumeCell},
    {CombinationColumn::Transpose, "TTranspose", "", "Transpose", 54, TransposeCell},
    {CombinationColumn::KeyboardZones, "TKeyboardZones", "", "Keyboard Zones", kDefaultColumnWidth,
     KeyboardZonesCell},
    {CombinationColumn::VelocityZones, "TVelocityZones", "", "Velocity Zones", kDefaultColumnWidth,
     VelocityZonesCell},
};

const CombinationColumnEntry& EntryOf(CombinationColumn id) {
  return kCombinationColumns[static_cast<std::size_t>(id)];
}

bool Shown(const CombinationColumnEntry& entry, const ShowFrame& frame) {
  return entry.columnSwitch.empty() || frame.columnTicked(entry.columnSwitch) ||
         (!entry.otherSwitch.empty() && frame.columnTicked(entry.otherSwitch));
}

std::string_view TrimmedRight(std::string_view text) {
  const auto end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// Timbres have no names: T.Name cannot be chosen.
void DisableTimbreNames(std::vector<ColumnBox>& boxes) {
  for (ColumnBox& box : boxes)
    if (box.name == "TName") {
      box.checked = false;
      box.enabled = false;
    }
}

}  // namespace

std::string_view CombinationProgramName(const LinkedNames* names, const std::string& key) {
  if (!names) return "PCG not linked";
  const std::string* name = names->find(key);
  return name ? TrimmedRight(*name) : std::string_view("not found in PCG");
}

CombinationDisplay::CombinationDisplay(Image image, const ModelConstants& model, CombinationDisplayOptions options)
    : image_(image), model_(model), options_(std::move(options)) {}

void CombinationDisplay::prepareColumns(ShowFrame& frame) {
  ViewerState& state = frame.viewerState();
  state.columnGroups = ColumnGroups{.trackParameter = true, .mixer = true, .zones = true,
                                    .oscBasic = false, .programBasic = false,
                                    .trackParameterCaption = "Timbre Parameter"};
  frame.changed(ViewerPart::Groups);
  DisableTimbreNames(state.columnBoxes);
  frame.changed(ViewerPart::ColumnBoxes);
  shown_.clear();
  state.memberRows.listed = true;
  state.table.columns = {{"Combi Bank", kBankColumnWidth}};
  for (const auto& entry : kCombinationColumns)
    if (Shown(entry, frame)) {
      shown_.push_back(entry.id);
      state.table.columns.push_back({std::string(entry.caption), entry.width});
    }
  frame.changed(ViewerPart::Table);
}

void CombinationDisplay::show(ShowFrame& frame) {
  prepareColumns(frame);
  const std::string startTime = "Time: " + frame.now();
  const LinkedNames* names = frame.linkedPcgIndex() != -1 ? &frame.linkedNames() : nullptr;
  previousCombination_.reset();
  const std::size_t banks = frame.objectOffsets().size();
  for (std::size_t b = 0; b < banks; ++b)
    if (!showBank(frame, b, names)) return;
  const std::string lines = std::to_string(frame.viewerState().table.rows.size());
  const std::string counts = options_.patch + " Banks:" + std::to_string(banks) + "; Lines:" + lines;
  frame.setMsg(counts + "; " + startTime + " - " + frame.now());
}

bool CombinationDisplay::showBank(ShowFrame& frame, std::size_t bank, const LinkedNames* names) {
  bank_ = ReadBankHeader(image_, frame.objectOffsets()[bank]);
  bankName_ = CombiBankName(bank_.typeCode);
  currentBank_ = bank;
  frame.rows().expect(static_cast<std::size_t>(std::max<std::int64_t>(bank_.patchCount, 0)) *
                      combination_layout::kTimbreCount);
  for (std::int64_t j = 0; j < bank_.patchCount; ++j) {
    if (!showCombination(frame, j, names)) return false;
    ViewerState& state = frame.viewerState();
    state.info.assign("Processing...").append(options_.patch).append(" ").append(bankName_).append(ZeroPad(j, 3));
    frame.changed(ViewerPart::Info);
  }
  return true;
}

bool CombinationDisplay::showCombination(ShowFrame& frame, std::int64_t j, const LinkedNames* names) {
  ViewFilters& filters = frame.viewFilters();
  combination_ = DecodeCombination(image_, bank_.patchOffset(j), model_);
  for (int t = 0; t < combination_layout::kTimbreCount; ++t) {
    if (frame.pumpAndTestCancel()) return false;
    const TimbreFacts& timbre = combination_.timbres[static_cast<std::size_t>(t)];
    const std::string key = ProgramReferenceKey(timbre.mixer.programBank, timbre.mixer.programNumber);
    const std::string_view name = CombinationProgramName(names, key);
    const std::size_t known = filters.boxExist().size();
    filters.addExistOnce(key + "=");
    if (filters.boxExist().size() != known) frame.changed(ViewerPart::Filters);
    if (!filters.keepKey(FilterView::Combination, key) || !filters.keepName(FilterView::Combination, name) ||
        !KeepPlayState(frame, timbre.muted.value_or(false)))
      continue;
    addRow(frame, j, t, key, name);
    previousCombination_ = std::pair(currentBank_, j);
  }
  return true;
}

void CombinationDisplay::writeBankCaption(std::string& out) const {
  out += bankName_;
  if (options_.offsets)
    out += "; offsetBank=" + HexPad(bank_.offset, 2) + "; " + options_.patch +
           " bytes:" + std::to_string(bank_.patchSize);
}

void CombinationDisplay::addRow(ShowFrame& frame, std::int64_t j, int t, const std::string& key,
                                std::string_view name) {
  const bool firstRow = previousCombination_ != std::pair(currentBank_, j);
  RowWriter rows = frame.rows();
  TableRow& row = rows.add();
  if (firstRow) writeBankCaption(row.caption);
  const TimbreCell cell{combination_, combination_.timbres[static_cast<std::size_t>(t)], j, t, firstRow,
                        key, name, options_};
  {
    CellWriter cells(row.cells, shown_.size());
    for (const CombinationColumn id : shown_) EntryOf(id).cell(cell, cells.next());
  }
  ViewerState& state = frame.viewerState();
  state.memberRows.rows.push_back({combination_.offset, t});
  if (firstRow) {
    state.addOffsetLine(bankName_ + ZeroPad(j, 3), combination_.offset, state.table.rows.size() - 1);
  }
  frame.changed(ViewerPart::Table);
}

std::unique_ptr<Display> MakeCombinationDisplay(ShowFrame& frame) {
  const ShowContext& context = frame.context();
  const ViewerState& state = frame.viewerState();
  return std::make_unique<CombinationDisplay>(
      context.image, context.modelConstants,
      CombinationDisplayOptions{context.patch, state.checkOffset.checked, state.sw3.checked});
}

}  // namespace patchlore
