// The viewer window (ViewerWindow): the objects of one kind chosen in an object
// browser shown as a table, with its switches, column check boxes, filters,
// link to a PCG and export. ViewerCore holds everything the window shows;
// the Qt window copies its state onto the widgets and forwards its events.
//
// API history (additions only after the first commit):
//   v1: first version.
//   v2: ViewFilters::selectEntry (filters.hpp) selects an entry by the click rule.
//   v3: Open takes a typed ViewerRequest (viewer_request.hpp) and Show reads
//       the kind, file and offsets from it, never from the caption;
//       setCaption and addOffsetLine are no longer public.
//   v4: each column box names its group (ColumnBox, ColumnGroup), and
//       ColumnGroups tells whether a group is shown and its caption.
//   v5: the table printed or written as PDF: sheetHeader, exportPdf,
//       reportPrinted.
//   v6: ViewerState::memberRows names the timbre or track of each row of a
//       combination or song-by-song listing; keyboardMapOfRow draws on it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "workspace/registry.hpp"
#include "common/result.hpp"
#include "common/services.hpp"
#include "common/bytes.hpp"
#include "viewer/filters.hpp"
#include "viewer/keyboard_map.hpp"
#include "viewer/linked_names.hpp"
#include "viewer/listed_patch.hpp"
#include "viewer/patch_sheet.hpp"
#include "viewer/show_frame.hpp"
#include "common/table.hpp"
#include "formats/model_layout.hpp"
#include "viewer/view_templates.hpp"
#include "viewer/viewer_request.hpp"

namespace patchlore {

class Display;

// Which part of a viewer's state changed, so the window updates only that.
enum class ViewerPart {
  Caption,      // caption
  Switches,     // sw1, sw2, sw3, checkOffset
  ColumnBoxes,  // columnBoxes
  Groups,       // columnGroups, columnsVisible
  Commands,     // showEnabled, columnsEnabled
  Msg,
  Info,
  LinkMsg,
  LinkBox,      // linkBoxVisible, linkBox
  Table,        // table (columns and rows)
  Filters,      // filters(): lists, counts, patterns
  Settings,     // the settings area groups
  Separator,    // separatorPosition, asciiCode, asciiChar
};

class ViewerReporter : public Reporter {
 public:
  virtual void changed(ViewerPart) {}
};

// The current time as the viewer shows it ("HH:MM:SS").
using ViewerClock = std::function<std::string()>;
std::string LocalTimeText();
// Today's date as a printed table shows it ("2026-01-31").
std::string LocalDateText();

// State shared by every viewer window of the program.
struct ViewerShared {
  // ShowBusy: the number of Shows in progress, nested ones included. No
  // viewer closes while it is above 0.
  int showsRunning = 0;
  // Set by Cancel in any viewer; every running Show stops at its next test.
  // Cleared when a Show starts with no other running, and when the last one ends.
  bool cancelRequested = false;
  // The size of one timbre or song track record, set by each Show.
  int timbreSize = 0;
  // The export separator: a character and one blank. The setting shows
  // position 0 from the start, so the separator starts as that choice.
  std::string separator = "; ";

  bool showBusy() const { return showsRunning > 0; }
};

// What Show works out at its start and every display uses.
struct ShowContext {
  std::string patch;          // the request's kind word, "?" when empty
  char patchCode = '?';
  int fileIndex = -1;         // -1 when the request names no loaded file
  Image image;                // empty when the request names no loaded file
  Model model = Model::None;
  std::string fileVersion;    // "0202"; empty for files below 8 bytes
  ModelConstants modelConstants;
  VersionConstants versionConstants;
};

// A check box of the window, by its component name.
struct CheckBox {
  std::string name;     // "TChannel", "SW1", ...
  std::string caption;  // "Channel", "SW1: by Object", ...
  bool checked = false;
  bool enabled = true;
  bool visible = true;
  bool operator==(const CheckBox&) const = default;
};

// The five groups of column check boxes, in the order they stand.
enum class ColumnGroup { TrackParameter, Mixer, Zones, OscBasic, ProgramBasic };
inline constexpr std::array<ColumnGroup, 5> kColumnGroups = {
    ColumnGroup::TrackParameter, ColumnGroup::Mixer, ColumnGroup::Zones, ColumnGroup::OscBasic,
    ColumnGroup::ProgramBasic};

// The component name of a group: "groupTrackParameter", "GroupMixer", ...
const char* ColumnGroupName(ColumnGroup group);

// A column check box and the group it stands in.
struct ColumnBox : CheckBox {
  ColumnGroup group = ColumnGroup::TrackParameter;
  bool operator==(const ColumnBox&) const = default;
};

// Every column check box, as a viewer starts with them.
std::vector<ColumnBox> DefaultColumnBoxes();

// Which of the five groups of column check boxes are shown.
struct ColumnGroups {
  bool trackParameter = true;  // groupTrackParameter
  bool mixer = true;           // GroupMixer
  bool zones = true;           // GroupZones
  bool oscBasic = true;        // groupOSCBasic
  bool programBasic = true;    // groupProgramBasic
  // The caption of groupTrackParameter: the tracks of a song or the timbres
  // of a combination.
  std::string trackParameterCaption = "Track Parameter";
  bool operator==(const ColumnGroups&) const = default;

  bool shown(ColumnGroup group) const;
  // The caption the group shows: trackParameterCaption for groupTrackParameter.
  std::string caption(ColumnGroup group) const;
};

// The settings area: whether it is shown, and which of its groups.
struct SettingsArea {
  bool open = false;             // GroupSetting
  bool exportSettings = false;   // GroupExel
  bool bankProgFilter = false;   // GroupBankProgFilter
  bool progNameFilter = false;   // GroupProgNameFilter
  bool operator==(const SettingsArea&) const = default;
};

struct ViewerState {
  std::string caption = "FormView";
  CheckBox sw1{"SW1", "SW1: by Object", true, true, true};
  CheckBox sw2{"SW2", "SW2: Bank onse", true, true, true};
  CheckBox sw3{"SW3", "SW3: Prefix", false, true, false};
  CheckBox checkOffset{"checkOffset", "checkOffset", false, true, false};
  // TChannel, TStatus, TTranspose, TName, TPlay, TMute, TPan, TVolume,
  // TPType, TPName, TKeyboardZones, TVelocityZones, PTranspose, POctave,
  // PMsWsDk, POSCMode, PVoiceMode, PKeyZone, in this order: the order in
  // which they stand in their groups.
  std::vector<ColumnBox> columnBoxes;
  ColumnGroups columnGroups;
  bool columnsVisible = true;  // the "Columns for Show" group (the SysEx list hides it)
  bool columnsEnabled = true;  // disabled while a Show runs
  bool showEnabled = true;     // the Show button
  std::string msg = "Msg";
  std::string info = "Info";
  std::string linkMsg = "PCG missing";
  bool linkBoxVisible = false;
  std::vector<std::string> linkBox;
  std::vector<std::string> offsetBox;    // descriptor lines of the objects to show
  std::vector<std::string> offsetLines;  // object key "=" offset, written by Show
  std::vector<ListedPatch> listedPatches;  // the object of each offset line
  MemberRows memberRows;                 // the timbre or track of each row, for keyboard maps
  std::vector<std::string> pcg;          // LinkedPcgNames
  std::vector<std::string> sngByProg;
  Table table;                           // ListView1
  SettingsArea settings;
  int separatorPosition = 0;             // UpDownSeparator / EditSeparator
  std::string asciiCode = "ASCII_Code";  // label texts before the first change
  std::string asciiChar = "ASCII_Char";

  // A patch's offset line, for the object at offset whose rows begin at table row `row`.
  void addOffsetLine(std::string key, std::int64_t offset, std::size_t row);
};

// A patch shown in a viewer's table: where it lies, so an editor can open it.
struct RowPatch {
  int fileIndex = -1;
  std::int64_t bankOffset = 0;
  std::int64_t patch = 0;
  bool operator==(const RowPatch&) const = default;
};

// The columns ListView1 starts with.
std::vector<TableColumn> InitialViewerColumns();

class ViewerCore : private ShowFrame {
 public:
  ViewerCore(Registry& registry, ViewerShared& shared, ViewerReporter& reporter,
             ViewerClock clock = LocalTimeText);
  ViewerCore(const ViewerCore&) = delete;
  ViewerCore& operator=(const ViewerCore&) = delete;

  const ViewerState& state() const { return state_; }
  const ViewFilters& filters() const { return filters_; }
  ViewFilters& filters() { return filters_; }  // tell changed(Filters) after a change

  // --- Creation, as the object browser does it ------------------------------
  // The caption becomes "Object " + the caption, the pattern memo is cleared,
  // Show runs once (for no objects) and the link label is set.
  void create();
  // create, then the request with its caption and descriptor lines. The
  // caller presses Show (pressShow) when every viewer of the command exists.
  void Open(const ViewerRequest& request);

  // The kind of the objects the viewer was opened for.
  ViewerKind kind() const { return request_.kind(); }
  // Whether a Show reads loaded file index: the viewer's own file, or for
  // the songs of an SNG, the linked PCG whose program names they show.
  bool readsFile(int index) const;

  // The program or combination whose rows include table row `row`; nothing
  // for other kinds and for rows of no patch.
  std::optional<RowPatch> patchOfRow(std::size_t row) const;
  // The table row where the patch at offset begins, when the table lists it
  // with an offset line (programs and combinations).
  std::optional<std::size_t> firstRowOfPatchAt(std::int64_t offset) const;

  // The keyboard map of the combination or song that table row belongs to,
  // read from the viewer's file as it is now; nothing for rows of other
  // listings.
  std::optional<KeyboardMap> keyboardMapOfRow(std::size_t row) const;

  // --- Window events ----------------------------------------------------------
  // FormClose: false (refused) while any Show runs.
  bool canClose() const { return !shared_.showBusy(); }
  // True while a Show of this viewer runs (nested Shows of others aside):
  // the window must not be destroyed then.
  bool ownShowRunning() const { return ownShows_ > 0; }
  void pressShow();  // ignored while the Show button is disabled
  void cancel();
  void setByObject(bool checked);
  void setBankOnce(bool checked);
  void setPrefixes(bool checked);
  void setShowOffsets(bool checked);
  // A column check box clicked to the given state: TChannel stays ticked, a
  // disabled box (POctave) keeps its state. False for an unknown name.
  bool setColumnBox(const std::string& name, bool checked);
  bool columnChecked(const std::string& name) const;
  void listLinkCandidates();
  void linkPcg(int line);

  // --- Settings area ----------------------------------------------------------
  void openExportSettings();
  void openBankProgFilter();
  void openNameFilter();
  void closeExportSettings();
  void closeBankProgFilter();
  void closeNameFilter();
  void closeSettings();
  // The separator setting moved to position (0 to 5; other values give tab).
  void setSeparatorPosition(int position);

  // --- Export -----------------------------------------------------------------
  // "&Save As CVS(for EXEL)": proposes a name, asks for one and writes the
  // table; a failure shows in Msg and is returned. A cancelled dialog saves
  // nothing and is no failure.
  Status exportTable(Dialogs& dialogs);
  // "Save As CSV...": the same table as RFC 4180 CSV in UTF-8, proposed under
  // the export's name with ".csv". Either export, once written, shows in Info
  // where the file went.
  Status exportCsv(Dialogs& dialogs);
  // The file name the export proposes: the file's name and Msg (ProposedCvsName).
  std::string proposedExportName() const;

  // --- Print ------------------------------------------------------------------
  // What heads each printed page: the shown file's name, the caption and date.
  SheetHeader sheetHeader(std::string date) const;
  // "Export PDF...": proposes the export's name with ".pdf", asks for one and
  // lets write (the window, which paints the pages) put the PDF there;
  // reported as the other exports are.
  Status exportPdf(Dialogs& dialogs, const std::function<Status(const std::string& path)>& write);
  // "Print...": a printer that failed shows in Msg.
  Status reportPrinted(Status printed);
  // "Save Keyboard Map...": proposes a name from the map's title, asks for
  // one and lets write (the window, which paints the picture) put it there;
  // the outcome shows in Info.
  Status saveKeyboardMap(const std::optional<KeyboardMap>& map, Dialogs& dialogs,
                         const std::function<Status(const std::string& path)>& write);

 private:
  void setCaption(std::string caption);
  Status reportExport(const std::string& path, Status written, const std::string& infoBefore);
  void runShow();
  ShowContext beginShow();
  void chooseFile(ShowContext& context);
  void showLinkMsg();
  void endShow();
  void setMsg(std::string text) override;
  void setInfo(std::string text) override;
  void setLinkMsg(std::string text);
  void copyColumns(const std::vector<TemplateColumn>& templateColumns);
  void rebuildLinkedPcgNames();
  void showSysexList(const ShowContext& context);

  // --- What a display uses (ShowFrame) ----------------------------------------
  const ShowContext& context() const override { return context_; }
  const std::vector<std::int64_t>& objectOffsets() const override { return request_.objectOffsets; }
  ViewerState& viewerState() override { return state_; }
  ViewFilters& viewFilters() override { return filters_; }
  void changed(ViewerPart part) override { tell(part); }
  bool columnTicked(std::string_view columnSwitch) const override {
    return columnChecked(std::string(columnSwitch));
  }
  RowWriter rows() override { return RowWriter(state_.table.rows, spareRows_); }
  std::string now() const override { return clock_(); }
  bool pumpAndTestCancel() override;
  int linkedPcgIndex() const override;
  const LinkedNames& linkedNames() const override { return linkedNames_; }
  const std::string& separator() const override { return shared_.separator; }
  ColumnBox* columnBox(const std::string& name);
  const ColumnBox* columnBox(const std::string& name) const;
  void tell(ViewerPart part) { reporter_.changed(part); }

  Registry& registry_;
  ViewerShared& shared_;
  ViewerReporter& reporter_;
  ViewerClock clock_;
  ViewerRequest request_ = CreationRequest();
  ShowContext context_;  // of the Show that runs, or of the last one
  ViewerState state_;
  std::vector<TableRow> spareRows_;  // the rows of the previous Show while a Show runs
  ViewFilters filters_;
  LinkedNames linkedNames_;  // the names state_.pcg shows, by key
  int ownShows_ = 0;
};

}  // namespace patchlore
