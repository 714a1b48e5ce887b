#include "viewer/viewer_core.hpp"

#include "formats/model_layout.hpp"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <iterator>
#include <filesystem>

#include "common/byte_reader.hpp"
#include "formats/banks.hpp"
#include "formats/chunks.hpp"
#include "formats/program_layout.hpp"
#include "formats/sysex_scan.hpp"
#include "common/cp1251.hpp"
#include "viewer/object_browser.hpp"
#include "viewer/displays.hpp"
#include "viewer/table_export.hpp"
#include "viewer/sysex_patch_rows.hpp"
#include "viewer/text_helpers.hpp"
#include "viewer/view_templates.hpp"

namespace patchlore {

namespace {

constexpr std::size_t kFileVersionEnd = kFileVersion + kFileVersionWidth;

}  // namespace

std::vector<ColumnBox> DefaultColumnBoxes() {
  constexpr ColumnGroup kTrack = ColumnGroup::TrackParameter, kMixer = ColumnGroup::Mixer,
                        kZones = ColumnGroup::Zones, kOsc = ColumnGroup::OscBasic,
                        kProgram = ColumnGroup::ProgramBasic;
  return {
      {{"TChannel", "Channel", true, true, true}, kTrack},
      {{"TStatus", "Status", false, true, true}, kTrack},
      {{"TTranspose", "Transpose", false, true, true}, kTrack},
      {{"TName", "T.Name", true, true, true}, kTrack},
      {{"TPlay", "Play", false, true, true}, kMixer},
      {{"TMute", "Mute", false, true, true}, kMixer},
      {{"TPan", "Pan", false, true, true}, kMixer},
      {{"TVolume", "Vol", false, true, true}, kMixer},
      {{"TPType", "P.Type", false, true, true}, kMixer},
      {{"TPName", "P.Name", false, true, true}, kMixer},
      {{"TKeyboardZones", "Keyboard", false, true, true}, kZones},
      {{"TVelocityZones", "Velocity", false, true, true}, kZones},
      {{"PTranspose", "Transpose", true, true, true}, kOsc},
      {{"POctave", "Octave", false, false, true}, kOsc},
      {{"PMsWsDk", "Ms / Ws / Dkit", false, true, true}, kOsc},
      {{"POSCMode", "OSC Mode", true, true, true}, kProgram},
      {{"PVoiceMode", "Voice Mode", false, true, true}, kProgram},
      {{"PKeyZone", "Key Zone", false, true, true}, kProgram},
  };
}

const char* ColumnGroupName(ColumnGroup group) {
  switch (group) {
    case ColumnGroup::TrackParameter: return "groupTrackParameter";
    case ColumnGroup::Mixer: return "GroupMixer";
    case ColumnGroup::Zones: return "GroupZones";
    case ColumnGroup::OscBasic: return "groupOSCBasic";
    case ColumnGroup::ProgramBasic: return "groupProgramBasic";
  }
  return "";
}

bool ColumnGroups::shown(ColumnGroup group) const {
  switch (group) {
    case ColumnGroup::TrackParameter: return trackParameter;
    case ColumnGroup::Mixer: return mixer;
    case ColumnGroup::Zones: return zones;
    case ColumnGroup::OscBasic: return oscBasic;
    case ColumnGroup::ProgramBasic: return programBasic;
  }
  return false;
}

std::string ColumnGroups::caption(ColumnGroup group) const {
  switch (group) {
    case ColumnGroup::TrackParameter: return trackParameterCaption;
    case ColumnGroup::Mixer: return "Prog / Mixer";
    case ColumnGroup::Zones: return "Zones";
    case ColumnGroup::OscBasic: return "OSC Basic";
    case ColumnGroup::ProgramBasic: return "Program Basic";
  }
  return "";
}

namespace {
std::string LocalNow(const char* format) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, format, &local);
  return text;
}
}  // namespace

std::string LocalTimeText() { return LocalNow("%H:%M:%S"); }

std::string LocalDateText() { return LocalNow("%Y-%m-%d"); }

std::vector<TableColumn> InitialViewerColumns() {
  return {{"Object", kDefaultColumnWidth},
          {"Index", kDefaultColumnWidth},
          {"Name", 100},
          {"Type", kDefaultColumnWidth},
          {"Count", kDefaultColumnWidth}};
}

ViewerCore::ViewerCore(Registry& registry, ViewerShared& shared, ViewerReporter& reporter,
                       ViewerClock clock)
    : registry_(registry), shared_(shared), reporter_(reporter), clock_(std::move(clock)) {
  if (!clock_) clock_ = LocalTimeText;
  state_.columnBoxes = DefaultColumnBoxes();
  state_.table.columns = InitialViewerColumns();
}

// --- Creation -----------------------------------------------------------------

void ViewerCore::create() {
  request_ = CreationRequest();
  setCaption("Object " + state_.caption);
  filters_.clearPatterns();
  tell(ViewerPart::Filters);
  runShow();
  showLinkMsg();
}

void ViewerCore::setCaption(std::string caption) {
  state_.caption = std::move(caption);
  tell(ViewerPart::Caption);
}

bool ViewerCore::readsFile(int index) const {
  const int file = request_.fileIndex;
  if (!registry_.contains(file)) return false;
  return index == file || (registry_.kind(file) == FileKind::Sng && index == registry_.linkedPcgIndex());
}

std::optional<RowPatch> ViewerCore::patchOfRow(std::size_t row) const {
  const ViewerKind kind = request_.kind();
  if (kind != ViewerKind::Program && kind != ViewerKind::Combination) return std::nullopt;
  const int file = request_.fileIndex;
  if (file < 0 || file >= registry_.count()) return std::nullopt;
  // The offset line of a patch is written with its first row.
  const auto& listed = state_.listedPatches;
  const auto after = std::ranges::upper_bound(listed, row, {}, &ListedPatch::firstRow);
  if (after == listed.begin() || row >= state_.table.rows.size()) return std::nullopt;
  const std::int64_t offset = std::prev(after)->offset;
  // The patch's bank is the last of the request's banks that begins before it.
  std::optional<std::int64_t> bank;
  for (const std::int64_t b : request_.objectOffsets)
    if (b < offset && (!bank || b > *bank)) bank = b;
  if (!bank) return std::nullopt;
  const BankHeader header = ReadBankHeader(registry_.image(file), *bank);
  if (header.patchSize <= 0) return std::nullopt;
  return RowPatch{file, *bank, (offset - header.patchOffset(0)) / header.patchSize};
}

std::optional<KeyboardMap> ViewerCore::keyboardMapOfRow(std::size_t row) const {
  const int file = request_.fileIndex;
  if (file < 0 || file >= registry_.count()) return std::nullopt;
  const KeyboardMapSource source{request_.kind(), registry_.image(file), context_.modelConstants, &state_.memberRows,
                                 linkedPcgIndex() != -1 ? &linkedNames_ : nullptr, &state_.listedPatches};
  return KeyboardMapOfRow(source, row);
}

std::optional<std::size_t> ViewerCore::firstRowOfPatchAt(std::int64_t offset) const {
  const auto& listed = state_.listedPatches;
  const auto found = std::ranges::find(listed, offset, &ListedPatch::offset);
  if (found == listed.end()) return std::nullopt;
  return found->firstRow;
}

void ViewerState::addOffsetLine(std::string key, std::int64_t offset, std::size_t row) {
  offsetLines.push_back(key + "=" + Hex8(offset));
  listedPatches.push_back({std::move(key), offset, row});
}

void ViewerCore::Open(const ViewerRequest& request) {
  create();
  request_ = request;
  setCaption(request.caption);
  state_.offsetBox.insert(state_.offsetBox.end(), request.descriptorLines.begin(),
                          request.descriptorLines.end());
}

// --- Show -----------------------------------------------------------------------

void ViewerCore::pressShow() {
  if (!state_.showEnabled) return;
  runShow();
}

void ViewerCore::cancel() { shared_.cancelRequested = true; }

void ViewerCore::runShow() {
  // The end steps run however the display ends.
  struct EndShow {
    ViewerCore& viewer;
    ~EndShow() { viewer.endShow(); }
  };
  context_ = beginShow();
  const ShowContext& context = context_;
  EndShow end{*this};

  // The old rows lend their texts' buffers to the new ones (RowWriter).
  spareRows_ = std::move(state_.table.rows);
  state_.table.rows.clear();
  state_.offsetLines.clear();
  state_.listedPatches.clear();
  state_.memberRows = {};
  tell(ViewerPart::Table);
  setMsg("Patch=" + context.patch + "; PatchCode=" + std::string(1, context.patchCode));
  const int linked = registry_.linkedPcgIndex();
  if (linked >= 0 && linked < registry_.count()) rebuildLinkedPcgNames();
  setInfo("");

  const ViewerKind kind = KindOfPatchCode(context.patchCode);
  if (kind == ViewerKind::Sysex) return showSysexList(context);
  if (auto display = MakeDisplay(kind, *this)) return display->show(*this);
  if (kind != ViewerKind::Other) setMsg(context.patch + ": display not available yet");
}

ShowContext ViewerCore::beginShow() {
  if (shared_.showsRunning == 0) shared_.cancelRequested = false;
  ++shared_.showsRunning;
  ++ownShows_;
  state_.showEnabled = false;
  state_.columnsEnabled = false;
  tell(ViewerPart::Commands);

  ShowContext context;
  context.patch = request_.kindWord.empty() ? "?" : request_.kindWord;
  context.patchCode = PatchCodeOf(context.patch);
  chooseFile(context);
  showLinkMsg();
  shared_.timbreSize = context.modelConstants.timbreSize;
  state_.sw1.caption =
      ReplaceFirst("Object", state_.sw1.checked ? context.patch : "Prog", state_.sw1.caption);
  tell(ViewerPart::Switches);
  return context;
}

// The file of the request, its model and its version.
void ViewerCore::chooseFile(ShowContext& context) {
  const int index = request_.fileIndex;
  if (index >= 0 && index < registry_.count()) {
    context.fileIndex = index;
    context.image = registry_.image(index);
    context.model = registry_.model(index);
    // A viewer of a PCG's own objects takes its program names from that PCG.
    if (registry_.kind(index) == FileKind::Pcg) registry_.setLinkedPcgIndex(index);
  }
  context.modelConstants = ModelConstantsFor(context.model);
  if (context.image.size() >= kFileVersionEnd)
    context.fileVersion = HexText(ReadClippedBytes(context.image, kFileVersion, kFileVersionWidth));
  context.versionConstants = VersionConstantsFor(context.fileVersion);
}

void ViewerCore::showLinkMsg() {
  const int linked = registry_.linkedPcgIndex();
  if (linked >= 0 && linked < registry_.count())
    setLinkMsg(std::to_string(linked) + ":" + registry_.name(linked));
  else
    setLinkMsg("PCG missing ");
}

void ViewerCore::endShow() {
  spareRows_.clear();
  --ownShows_;
  --shared_.showsRunning;
  if (shared_.showsRunning == 0) shared_.cancelRequested = false;
  state_.showEnabled = true;
  state_.columnsEnabled = true;
  tell(ViewerPart::Commands);
}

void ViewerCore::copyColumns(const std::vector<TemplateColumn>& templateColumns) {
  state_.table.columns.clear();
  for (const auto& column : templateColumns)
    if (column.columnSwitch.empty() || columnChecked(column.columnSwitch))
      state_.table.columns.push_back(column.column);
  tell(ViewerPart::Table);
}

// Built anew at every Show: a PCG without programs gives no names, never
// those of a PCG linked before.
void ViewerCore::rebuildLinkedPcgNames() {
  const int linked = registry_.linkedPcgIndex();
  const Image image = registry_.image(linked);
  state_.pcg.clear();
  linkedNames_.clear();
  for (ChunkWalker walk(image, kFirstPcgChild); walk.atChunk(); walk.next()) {
    if (walk.id() != "PRG1") continue;
    state_.pcg.clear();
    linkedNames_.clear();
    state_.pcg.push_back(registry_.row(linked).index + ":" + registry_.name(linked));
    for (const std::int64_t q : BankRun(image, walk.offset(), BankRunKind::Programs)) {
      reporter_.pump();
      const BankHeader bank = ReadBankHeader(image, q);
      const std::string bankName = ProgBankName(bank.typeCode);
      const std::int64_t size = bank.patchSizeField;  // the whole 32-bit field here
      for (std::int64_t i = 0; i < bank.patchCount; ++i) {
        const std::int64_t program = q + kBankHeaderSize + i * size;
        const std::string key = bankName + ZeroPad(i, 3);
        std::string name =
            TrimRight(NameText(ReadClippedBytes(image, program + program_layout::kName, program_layout::kNameWidth)));
        state_.pcg.push_back(key + "=" + name);
        linkedNames_.add(key, std::move(name));
      }
    }
  }
}

bool ViewerCore::pumpAndTestCancel() {
  reporter_.pump();
  return shared_.cancelRequested || reporter_.cancelRequested();
}

int ViewerCore::linkedPcgIndex() const {
  const int linked = registry_.linkedPcgIndex();
  return linked >= 0 && linked < registry_.count() ? linked : -1;
}

void ViewerCore::showSysexList(const ShowContext& context) {
  state_.columnsVisible = false;
  tell(ViewerPart::Groups);
  copyColumns(SysexTemplate());
  const auto& offsets = request_.objectOffsets;
  for (std::size_t i = 0; i < state_.offsetBox.size(); ++i) {
    state_.table.rows.push_back({std::to_string(i) + ":", {"", std::to_string(i), state_.offsetBox[i]}});
    if (i < offsets.size()) AddM1PatchRows(SysexMessageAt(context.image, offsets[i]), state_.table.rows);
    tell(ViewerPart::Table);
    setMsg(context.patch + ":0" + "; " + " Lines:" + std::to_string(state_.table.rows.size()));
  }
}

// --- Switches and column check boxes ------------------------------------------

void ViewerCore::setByObject(bool checked) {
  state_.sw1.checked = checked;
  state_.sw1.caption = checked ? "SW1: by " + request_.kindWord : "SW1: by Prog";
  tell(ViewerPart::Switches);
}

void ViewerCore::setBankOnce(bool checked) {
  state_.sw2.checked = checked;
  state_.sw2.caption = checked ? "SW2: Bank once " : "SW2: Bank always ";
  tell(ViewerPart::Switches);
}

void ViewerCore::setPrefixes(bool checked) {
  state_.sw3.checked = checked;
  tell(ViewerPart::Switches);
}

void ViewerCore::setShowOffsets(bool checked) {
  state_.checkOffset.checked = checked;
  tell(ViewerPart::Switches);
}

ColumnBox* ViewerCore::columnBox(const std::string& name) {
  for (auto& box : state_.columnBoxes)
    if (box.name == name) return &box;
  return nullptr;
}

const ColumnBox* ViewerCore::columnBox(const std::string& name) const {
  for (const auto& box : state_.columnBoxes)
    if (box.name == name) return &box;
  return nullptr;
}

bool ViewerCore::setColumnBox(const std::string& name, bool checked) {
  ColumnBox* box = columnBox(name);
  if (!box) return false;
  if (box->enabled) box->checked = name == "TChannel" ? true : checked;
  tell(ViewerPart::ColumnBoxes);
  return true;
}

bool ViewerCore::columnChecked(const std::string& name) const {
  const ColumnBox* box = columnBox(name);
  return box && box->checked;
}

// --- Linking a PCG ------------------------------------------------------------

void ViewerCore::listLinkCandidates() {
  state_.linkBox.clear();
  bool anyPcg = false;
  for (int i = 0; i < registry_.count(); ++i) {
    const bool pcg = registry_.kind(i) == FileKind::Pcg;
    anyPcg = anyPcg || pcg;
    state_.linkBox.push_back((pcg ? "" : "not PCG : ") + registry_.name(i));
  }
  state_.linkBoxVisible = anyPcg;
  if (!anyPcg) setLinkMsg("PCG not loaded (open any PCG-file, please)");
  tell(ViewerPart::LinkBox);
}

void ViewerCore::linkPcg(int line) {
  if (line < 0 || line >= static_cast<int>(state_.linkBox.size()) || line >= registry_.count()) return;
  // Only a PCG can be linked, and only while its file is still on disk.
  if (registry_.kind(line) != FileKind::Pcg) return;
  std::error_code error;
  if (!std::filesystem::exists(registry_.path(line), error)) return;
  setLinkMsg(std::to_string(line) + ":" + registry_.name(line));
  registry_.setLinkedPcgIndex(line);
  state_.linkBoxVisible = false;
  tell(ViewerPart::LinkBox);
}

// --- Settings area --------------------------------------------------------------

void ViewerCore::openExportSettings() {
  state_.settings.exportSettings = true;
  state_.settings.open = true;
  tell(ViewerPart::Settings);
}

void ViewerCore::openBankProgFilter() {
  filters_.refreshCounts();
  tell(ViewerPart::Filters);
  state_.settings.bankProgFilter = true;
  state_.settings.open = true;
  tell(ViewerPart::Settings);
}

void ViewerCore::openNameFilter() {
  state_.settings.progNameFilter = true;
  state_.settings.open = true;
  tell(ViewerPart::Settings);
}

void ViewerCore::closeExportSettings() {
  state_.settings.exportSettings = false;
  tell(ViewerPart::Settings);
}

void ViewerCore::closeBankProgFilter() {
  state_.settings.bankProgFilter = false;
  tell(ViewerPart::Settings);
}

void ViewerCore::closeNameFilter() {
  state_.settings.progNameFilter = false;
  tell(ViewerPart::Settings);
}

void ViewerCore::closeSettings() {
  state_.settings = SettingsArea{};
  tell(ViewerPart::Settings);
}

void ViewerCore::setSeparatorPosition(int position) {
  const SeparatorChoice choice = SeparatorAt(position);
  state_.separatorPosition = position;
  state_.asciiCode = choice.asciiCode;
  state_.asciiChar = choice.asciiChar;
  shared_.separator = choice.separator;
  tell(ViewerPart::Separator);
}

// --- Export -----------------------------------------------------------------------

Status ViewerCore::exportTable(Dialogs& dialogs) {
  const std::string proposal = proposedExportName();
  setInfo(ExportInfoText(state_.table, shared_.separator));
  const auto chosen = dialogs.saveFile(Cp1251ToUtf8(proposal), std::string(kCvsFilter));
  if (!chosen) return Success();  // cancelled: nothing to save
  const std::string path = WithCvsExtension(*chosen);
  return reportExport(path, WriteTableAsCvs(path, state_.table, shared_.separator), state_.info);
}

Status ViewerCore::exportCsv(Dialogs& dialogs) {
  const std::string proposal = WithCsvExtension(proposedExportName());
  const auto chosen = dialogs.saveFile(Cp1251ToUtf8(proposal), std::string(kCsvFilter));
  if (!chosen) return Success();  // cancelled: nothing to save
  const std::string path = WithCsvExtension(*chosen);
  return reportExport(path, WriteTableAsCsv(path, state_.table), std::string());
}

// A failure shows in Msg; a written file's path is added to Info.
Status ViewerCore::reportExport(const std::string& path, Status written, const std::string& infoBefore) {
  if (written)
    setInfo(SavedInfoText(infoBefore, Utf8ToCp1251(path)));
  else
    setMsg("Not saved: " + Utf8ToCp1251(path) + " (" + Utf8ToCp1251(written.failure().text) + ")");
  return written;
}

std::string ViewerCore::proposedExportName() const {
  const int file = request_.fileIndex;
  return ProposedCvsName(registry_.contains(file) ? registry_.name(file) : std::string(), state_.msg);
}

SheetHeader ViewerCore::sheetHeader(std::string date) const {
  const int file = request_.fileIndex;
  return {registry_.contains(file) ? registry_.name(file) : std::string(), state_.caption, std::move(date)};
}

Status ViewerCore::exportPdf(Dialogs& dialogs, const std::function<Status(const std::string& path)>& write) {
  const std::string proposal = WithPdfExtension(proposedExportName());
  const auto chosen = dialogs.saveFile(Cp1251ToUtf8(proposal), std::string(kPdfFilter));
  if (!chosen) return Success();  // cancelled: nothing to save
  const std::string path = WithPdfExtension(*chosen);
  return reportExport(path, write(path), std::string());
}

Status ViewerCore::saveKeyboardMap(const std::optional<KeyboardMap>& map, Dialogs& dialogs,
                                   const std::function<Status(const std::string& path)>& write) {
  if (!map) {
    setInfo("Select a row of a combination or song first.");
    return Success();
  }
  std::string proposal = map->title;
  for (char& c : proposal)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-') c = '_';
  const auto chosen = dialogs.saveFile(proposal + ".png", "PNG image (*.png)|*.png|SVG image (*.svg)|*.svg");
  if (!chosen) return Success();  // cancelled: nothing to save
  const std::string path = Utf8ToCp1251(*chosen);
  const Status saved = write(*chosen);
  setInfo(saved ? "Keyboard map saved to " + path
                : "Keyboard map not saved: " + path + ": " + Utf8ToCp1251(saved.failure().text));
  return saved;
}

Status ViewerCore::reportPrinted(Status printed) {
  if (!printed) setMsg("Not printed (" + Utf8ToCp1251(printed.failure().text) + ")");
  return printed;
}

// --- Texts --------------------------------------------------------------------------

void ViewerCore::setMsg(std::string text) {
  state_.msg = std::move(text);
  tell(ViewerPart::Msg);
}

void ViewerCore::setInfo(std::string text) {
  state_.info = std::move(text);
  tell(ViewerPart::Info);
}

void ViewerCore::setLinkMsg(std::string text) {
  state_.linkMsg = std::move(text);
  tell(ViewerPart::LinkMsg);
}

}  // namespace patchlore
