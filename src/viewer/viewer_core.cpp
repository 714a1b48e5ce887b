#include "viewer/viewer_core.hpp"

#include <ctime>
#include <filesystem>

#include "formats/banks.hpp"
#include "formats/chunks.hpp"
#include "common/cp1251.hpp"
#include "viewer/object_browser.hpp"
#include "viewer/table_export.hpp"
#include "viewer/text_helpers.hpp"
#include "viewer/view_templates.hpp"

namespace patchlore {

namespace {

bool ContainsPcg(const std::string& typeText) {
  return UpperCase(typeText).find("PCG") != std::string::npos;
}

// 1-based position of text in caption, 0 when absent.
std::size_t PositionIn(const std::string& caption, std::string_view text) {
  const auto at = caption.find(text);
  return at == std::string::npos ? 0 : at + 1;
}

std::vector<CheckBox> InitialColumnBoxes() {
  return {
      {"TChannel", "Channel", true, true, true},
      {"TStatus", "Status", false, true, true},
      {"TTranspose", "Transpose", false, true, true},
      {"TName", "T.Name", true, true, true},
      {"TPlay", "Play", false, true, true},
      {"TMute", "Mute", false, true, true},
      {"TPan", "Pan", false, true, true},
      {"TVolume", "Vol", false, true, true},
      {"TPType", "P.Type", false, true, true},
      {"TPName", "P.Name", false, true, true},
      {"TKeyboardZones", "Keyboard", false, true, true},
      {"TVelocityZones", "Velocity", false, true, true},
      {"PTranspose", "Transpose", true, true, true},
      {"POctave", "Octave", false, false, true},
      {"PMsWsDk", "Ms / Ws / Dkit", false, true, true},
      {"POSCMode", "OSC Mode", true, true, true},
      {"PVoiceMode", "Voice Mode", false, true, true},
      {"PKeyZone", "Key Zone", false, true, true},
  };
}

}  // namespace

std::string LocalTimeText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%H:%M:%S", &local);
  return text;
}

ModelConstants ModelConstantsFor(const std::string& model) {
  if (model == "KRONOS") return {0, 1052, 4800, 10126, 188};
  if (model == "OASYS") return {-12, 788, 4788, 10114, 186};
  return {};
}

std::string ModelFromCaption(const std::string& caption) {
  const auto pc = PositionIn(caption, ":");
  const auto pb = PositionIn(caption, "\\");
  const auto pk = PositionIn(caption, "KORG KRONOS");
  const auto po = PositionIn(caption, "KORG OASYS");
  std::string model;
  if (pc < pk && pk < pb) model = "KRONOS";
  if (pc < po && po < pb) model = "OASYS";
  return model;
}

VersionConstants VersionConstantsFor(const std::string& fileVersion) {
  if (fileVersion == "0202") return {466, 22, 16};
  return {338, 6, 0};
}

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
  state_.columnBoxes = InitialColumnBoxes();
  state_.table.columns = InitialViewerColumns();
}

// --- Creation -----------------------------------------------------------------

void ViewerCore::create() {
  setCaption("Object " + state_.caption);
  filters_.clearPatterns();
  tell(ViewerPart::Filters);
  runShow();
  const int linked = registry_.linkedPcgIndex();
  if (linked >= 0 && linked < registry_.count())
    setLinkMsg(std::to_string(linked) + ":" + registry_.name(linked));
  else
    setLinkMsg("PCG missing ");
}

void ViewerCore::setCaption(std::string caption) {
  state_.caption = std::move(caption);
  tell(ViewerPart::Caption);
}

void ViewerCore::addOffsetLine(std::string descriptorLine) {
  state_.offsetBox.push_back(std::move(descriptorLine));
}

void ViewerCore::Open(const ViewerRequest& request) {
  create();
  setCaption(request.caption);
  for (const auto& line : request.descriptorLines) addOffsetLine(line);
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
  const ShowContext context = beginShow();
  EndShow end{*this};

  state_.table.rows.clear();
  state_.offsetLines.clear();
  tell(ViewerPart::Table);
  setMsg("Patch=" + context.patch + "; PatchCode=" + std::string(1, context.patchCode));
  const int linked = registry_.linkedPcgIndex();
  if (linked >= 0 && linked < registry_.count()) rebuildLinkedPcgNames();
  setInfo("");

  switch (context.patchCode) {
    case 'P': showPrograms(context); break;
    case 'E': showSysexList(context); break;
    default: break;  // combinations, songs, set lists, drum kits and wave sequences come later
  }
}

ShowContext ViewerCore::beginShow() {
  if (shared_.showsRunning == 0) shared_.cancelRequested = false;
  ++shared_.showsRunning;
  ++ownShows_;
  state_.showEnabled = false;
  state_.columnsEnabled = false;
  tell(ViewerPart::Commands);

  ShowContext context;
  context.patch = FirstWord(state_.caption);
  if (context.patch.empty()) context.patch = "?";
  context.patchCode = PatchCodeOf(context.patch);

  const std::int64_t index = IndexFromCaption(state_.caption);
  context.fileSize = BytesFromCaption(state_.caption);
  if (index >= 0 && index < registry_.count()) {
    context.fileIndex = static_cast<int>(index);
    context.image = registry_.image(context.fileIndex);
    // A viewer of a PCG's own objects takes its program names from that PCG.
    if (ContainsPcg(registry_.type(context.fileIndex))) registry_.setLinkedPcgIndex(context.fileIndex);
  }
  const int linked = registry_.linkedPcgIndex();
  if (linked >= 0 && linked < registry_.count())
    setLinkMsg(std::to_string(linked) + ":" + registry_.name(linked));
  else
    setLinkMsg("PCG missing ");

  context.model = ModelFromCaption(state_.caption);
  context.modelConstants = ModelConstantsFor(context.model);
  shared_.timbreSize = context.modelConstants.timbreSize;
  if (context.fileSize >= 8) context.fileVersion = HexText(BytesText(context.image, 6, 2));
  context.versionConstants = VersionConstantsFor(context.fileVersion);

  state_.sw1.caption =
      ReplaceFirst("Object", state_.sw1.checked ? context.patch : "Prog", state_.sw1.caption);
  tell(ViewerPart::Switches);
  return context;
}

void ViewerCore::endShow() {
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

void ViewerCore::rebuildLinkedPcgNames() {
  const int linked = registry_.linkedPcgIndex();
  const Image image = registry_.image(linked);
  for (ChunkWalker walk(image, kFirstPcgChild); walk.atChunk(); walk.next()) {
    if (walk.id() != "PRG1") continue;
    state_.pcg.clear();
    state_.pcg.push_back(registry_.row(linked).index + ":" + registry_.name(linked));
    for (const std::int64_t q : BankRun(image, walk.offset(), BankRunKind::Programs)) {
      reporter_.pump();
      const BankHeader bank = ReadBankHeader(image, q);
      const std::string bankName = ProgBankName(bank.typeCode);
      const std::int64_t size = NumberAt(image, q + 16);  // the whole 32-bit field here
      for (std::int64_t i = 0; i < bank.patchCount; ++i)
        state_.pcg.push_back(bankName + ZeroPad(i, 3) + "=" +
                             TrimRight(BytesText(image, q + 24 + i * size, 24)));
    }
  }
}

void ViewerCore::showSysexList(const ShowContext& context) {
  state_.columnsVisible = false;
  tell(ViewerPart::Groups);
  copyColumns(SysexTemplate());
  for (std::size_t i = 0; i < state_.offsetBox.size(); ++i) {
    state_.table.rows.push_back({std::to_string(i) + ":", {"", std::to_string(i), state_.offsetBox[i]}});
    tell(ViewerPart::Table);
    setMsg(context.patch + ":0" + "; " + " Lines:" + std::to_string(state_.table.rows.size()));
  }
}

// --- Switches and column check boxes ------------------------------------------

void ViewerCore::setByObject(bool checked) {
  state_.sw1.checked = checked;
  state_.sw1.caption = checked ? "SW1: by " + FirstWord(state_.caption) : "SW1: by Prog";
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

CheckBox* ViewerCore::columnBox(const std::string& name) {
  for (auto& box : state_.columnBoxes)
    if (box.name == name) return &box;
  return nullptr;
}

const CheckBox* ViewerCore::columnBox(const std::string& name) const {
  for (const auto& box : state_.columnBoxes)
    if (box.name == name) return &box;
  return nullptr;
}

bool ViewerCore::setColumnBox(const std::string& name, bool checked) {
  CheckBox* box = columnBox(name);
  if (!box) return false;
  if (box->enabled) box->checked = name == "TChannel" ? true : checked;
  tell(ViewerPart::ColumnBoxes);
  return true;
}

bool ViewerCore::columnChecked(const std::string& name) const {
  const CheckBox* box = columnBox(name);
  return box && box->checked;
}

// --- Linking a PCG ------------------------------------------------------------

void ViewerCore::listLinkCandidates() {
  state_.linkBox.clear();
  bool anyPcg = false;
  for (int i = 0; i < registry_.count(); ++i) {
    const bool pcg = ContainsPcg(registry_.type(i));
    anyPcg = anyPcg || pcg;
    state_.linkBox.push_back((pcg ? "" : "not PCG : ") + registry_.name(i));
  }
  state_.linkBoxVisible = anyPcg;
  if (!anyPcg) setLinkMsg("PCG not loaded (open any PCG-file, please)");
  tell(ViewerPart::LinkBox);
}

void ViewerCore::linkPcg(int line) {
  if (line < 0 || line >= static_cast<int>(state_.linkBox.size()) || line >= registry_.count()) return;
  const std::string& text = state_.linkBox[static_cast<std::size_t>(line)];
  // Only a line that is the file's own name names a file on disk.
  if (text != registry_.name(line)) return;
  std::error_code error;
  if (!std::filesystem::exists(registry_.path(line), error)) return;
  setLinkMsg(std::to_string(line) + ":" + text);
  registry_.setLinkedPcgIndex(line);
  state_.linkBoxVisible = false;
  tell(ViewerPart::LinkBox);
}

// --- Settings area --------------------------------------------------------------

void ViewerCore::openExportSettings() {
  state_.settings.GroupExel = true;
  state_.settings.GroupSetting = true;
  tell(ViewerPart::Settings);
}

void ViewerCore::openBankProgFilter() {
  filters_.refreshCounts();
  tell(ViewerPart::Filters);
  state_.settings.GroupBankProgFilter = true;
  state_.settings.GroupSetting = true;
  tell(ViewerPart::Settings);
}

void ViewerCore::openNameFilter() {
  state_.settings.GroupProgNameFilter = true;
  state_.settings.GroupSetting = true;
  tell(ViewerPart::Settings);
}

void ViewerCore::closeExportSettings() {
  state_.settings.GroupExel = false;
  tell(ViewerPart::Settings);
}

void ViewerCore::closeBankProgFilter() {
  state_.settings.GroupBankProgFilter = false;
  tell(ViewerPart::Settings);
}

void ViewerCore::closeNameFilter() {
  state_.settings.GroupProgNameFilter = false;
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
  const std::string proposal = ProposedCvsName(state_.caption, state_.msg);
  setInfo(ExportInfoText(state_.table, shared_.separator));
  const auto chosen = dialogs.saveFile(Cp1251ToUtf8(proposal), std::string(kCvsFilter));
  if (!chosen) return Success();  // cancelled: nothing to save
  const std::string path = WithCvsExtension(*chosen);
  Status written = WriteTableAsCvs(path, state_.table, shared_.separator);
  if (!written)
    setMsg("Not saved: " + Utf8ToCp1251(path) + " (" + Utf8ToCp1251(written.failure().text) + ")");
  return written;
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
