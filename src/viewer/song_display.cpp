#include "viewer/song_display.hpp"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "formats/song_layout.hpp"
#include "formats/song_record.hpp"
#include "viewer/linked_names.hpp"
#include "viewer/mixer_texts.hpp"
#include "viewer/text_helpers.hpp"
#include "viewer/track_program.hpp"
#include "viewer/viewer_core.hpp"

namespace patchlore {

namespace {

// What every cell of one track row reads.
struct TrackCell {
  const TrackFacts& track;
  const TrackProgram& program;
  std::string_view songName;  // empty on every row of a song but its first
  int k;
  bool prefixes;  // SW3
};

using CellFunction = void (*)(const TrackCell&, std::string& out);

std::string StatusText(char digit) {
  switch (digit) {
    case '0': return "OFF";
    case '2': return "INT";
    case '4': return "BTH";
    case '6': return "EXT";
    case '8': return "EX2";
    default: return std::string(1, digit);
  }
}

// A status 3 track plays on the global channel.
constexpr char kGlobalChannelStatus = '3';

void SongNameCell(const TrackCell& c, std::string& out) { out.assign(c.songName); }
void TrackCellText(const TrackCell& c, std::string& out) { out = "MT" + ZeroPad(c.k + 1, 2); }

void ChannelCell(const TrackCell& c, std::string& out) {
  const auto& byte = c.track.mixer.statusChannel;
  if (c.prefixes) out += byte && StatusDigit(*byte) == kGlobalChannelStatus ? "Gch:" : "ch:";
  if (byte) out += ChannelText(*byte);
}

void StatusCell(const TrackCell& c, std::string& out) {
  if (c.track.mixer.statusChannel) out = StatusText(StatusDigit(*c.track.mixer.statusChannel));
}

void TrackNameCell(const TrackCell& c, std::string& out) { out = TrimRight(NameText(c.track.name)); }
void ProgCell(const TrackCell& c, std::string& out) { out = c.program.key; }
void ProgramNameCell(const TrackCell& c, std::string& out) { out = c.program.nameText; }
void PlayMuteCell(const TrackCell& c, std::string& out) { out = c.track.muted.value_or(false) ? "Mute" : "Play"; }

void PanCell(const TrackCell& c, std::string& out) { AppendPan(out, c.track.mixer); }
void VolumeCell(const TrackCell& c, std::string& out) { AppendVolume(out, c.track.mixer, c.prefixes); }
void TransposeCell(const TrackCell& c, std::string& out) { AppendTranspose(out, c.track.mixer, c.prefixes); }
void KeyboardZoneCell(const TrackCell& c, std::string& out) { AppendKeyZones(out, c.track.mixer, c.prefixes); }
void VelocityZoneCell(const TrackCell& c, std::string& out) {
  AppendVelocityZones(out, c.track.mixer, c.prefixes);
}

struct SongColumnEntry {
  std::string_view caption;
  int width;
  std::string_view columnSwitch;  // empty: always shown
  std::string_view otherSwitch;   // a second check box that also shows the column
  CellFunction cell;
};

// The columns after the row caption "Song".
constexpr SongColumnEntry kSongColumns[] = {
    {"S.Name", 70, "", "", SongNameCell},
    {"Track", kDefaultColumnWidth, "", "", TrackCellText},
    {"Channel", 44, "", "", ChannelCell},
    {"Status", 40, "TStatus", "", StatusCell},
    {"T.Name", 70, "TName", "", TrackNameCell},
    {"Prog", 58, "", "", ProgCell},
    {"P.Name", 70, "TPName", "", ProgramNameCell},
    {"Play/Mute", 71, "TPlay", "TMute", PlayMuteCell},
    {"Pan", kDefaultColumnWidth, "TPan", "", PanCell},
    {"Volume", 44, "TVolume", "", VolumeCell},
    {"Transpose", 55, "TTranspose", "", TransposeCell},
    {"Keyboard Zones", 48, "TKeyboardZones", "", KeyboardZoneCell},
    {"Velocity Zones", 48, "TVelocityZones", "", VelocityZoneCell},
};
constexpr int kSongColumnWidth = 70;  // the row caption "Song"
constexpr int kProgColumnWidth = 58;
constexpr int kNameColumnWidth = 70;

// One Show of the songs.
class SongListing {
 public:
  explicit SongListing(ShowFrame& frame);
  void show();

 private:
  void fillBoxExist();
  void countFilters();
  bool listBySong();  // false when Cancel stopped the Show
  void listTrack(RowWriter& rows, std::int64_t song, int k, const std::string& label,
                 const std::string& songName);
  void noteSongOfProgram(const std::string& key, const std::string& label);
  void listByProgram();
  std::string programNameOf(const std::string& key,
                            const std::unordered_map<std::string, std::string>& existing) const;

  ShowFrame& frame_;
  ViewerState& state_;
  ViewFilters& filters_;
  Image image_;
  ModelConstants model_;
  LinkedProgramNames linked_;
  bool prefixes_;
  std::vector<const SongColumnEntry*> shown_;
  std::optional<std::string> rememberedLabel_;
  std::unordered_map<std::string, std::size_t> sngByProgLine_;  // upper-cased key -> line
};

SongListing::SongListing(ShowFrame& frame)
    : frame_(frame),
      state_(frame.viewerState()),
      filters_(frame.viewFilters()),
      image_(frame.context().image),
      model_(frame.context().modelConstants),
      linked_{frame.linkedNames(), frame.linkedPcgIndex() >= 0},
      prefixes_(state_.sw3.checked) {
  for (const auto& entry : kSongColumns)
    if (entry.columnSwitch.empty() || frame.columnTicked(entry.columnSwitch) ||
        (!entry.otherSwitch.empty() && frame.columnTicked(entry.otherSwitch)))
      shown_.push_back(&entry);
}

void SongListing::show() {
  ColumnGroups& groups = state_.columnGroups;
  groups.mixer = groups.trackParameter = groups.zones = true;
  groups.oscBasic = groups.programBasic = false;
  groups.trackParameterCaption = "Track Parameter";
  frame_.changed(ViewerPart::Groups);
  state_.table.columns.clear();
  frame_.changed(ViewerPart::Table);
  if (filters_.boxExist().empty()) fillBoxExist();
  countFilters();

  // SW1's caption says the same: "SW1: by Song" while ticked, "SW1: by Prog" while not.
  if (state_.sw1.checked) {
    if (!listBySong()) return;
  } else {
    listByProgram();
  }
  frame_.setMsg(frame_.context().patch + "s :" + std::to_string(frame_.objectOffsets().size()) +
                "; Lines:" + std::to_string(state_.table.rows.size()) + "; " + filters_.countExist() +
                "; " + filters_.countSelect());
}

// Every program the songs play, once, with its name for the GM banks.
void SongListing::fillBoxExist() {
  std::unordered_set<std::string> keys;
  for (const std::int64_t song : frame_.objectOffsets()) {
    static_cast<void>(frame_.pumpAndTestCancel());  // the listing sees a Cancel
    for (int k = 0; k < song_layout::kTrackCount; ++k) {
      const TrackFacts track = DecodeTrack(image_, song, k, model_);
      if (!track.parametersComplete) continue;
      const TrackProgram program = ProgramOfTrack(track, linked_);
      if (keys.insert(UpperCase(program.key)).second)
        filters_.addExistSorted(program.key + "=" + (program.gm ? program.nameText : ""));
    }
  }
  frame_.changed(ViewerPart::Filters);
}

void SongListing::countFilters() {
  filters_.refreshCounts();
  frame_.changed(ViewerPart::Filters);
}

bool SongListing::listBySong() {
  state_.table.columns = {{"Song", kSongColumnWidth}};
  for (const SongColumnEntry* entry : shown_) state_.table.columns.push_back({std::string(entry->caption), entry->width});
  frame_.changed(ViewerPart::Table);
  rememberedLabel_.reset();
  state_.memberRows.listed = true;
  state_.sngByProg.clear();
  sngByProgLine_.clear();
  RowWriter rows = frame_.rows();
  rows.expect(frame_.objectOffsets().size() * song_layout::kTrackCount);
  for (const std::int64_t song : frame_.objectOffsets()) {
    if (frame_.pumpAndTestCancel()) return false;
    const SongFacts facts = DecodeSong(image_, song);
    const std::string label = SongLabel(facts);
    const std::string songName = TrimRight(NameText(facts.name));
    for (int k = 0; k < song_layout::kTrackCount; ++k) listTrack(rows, song, k, label, songName);
    frame_.setInfo("Processing..." + label);
  }
  countFilters();
  return true;
}

void SongListing::listTrack(RowWriter& rows, std::int64_t song, int k, const std::string& label,
                            const std::string& songName) {
  const TrackFacts track = DecodeTrack(image_, song, k, model_);
  const TrackProgram program = ProgramOfTrack(track, linked_);
  if (!filters_.keepKey(FilterView::Song, program.key) || !filters_.keepName(FilterView::Song, program.name) ||
      !KeepPlayState(frame_, track.muted.value_or(false)))
    return;
  noteSongOfProgram(program.key, label);
  // Two songs in a row with the same number read as one.
  const bool newSong = rememberedLabel_ != label;
  TableRow& row = rows.add();
  state_.memberRows.rows.push_back({song, k});
  if (newSong) row.caption = "Song " + label;
  const TrackCell cell{track, program, newSong ? std::string_view(songName) : std::string_view(), k, prefixes_};
  {
    CellWriter cells(row.cells, shown_.size());
    for (const SongColumnEntry* entry : shown_) entry->cell(cell, cells.next());
  }
  rememberedLabel_ = label;
  frame_.changed(ViewerPart::Table);
}

// The line of the program in SngByProg gets the song once.
void SongListing::noteSongOfProgram(const std::string& key, const std::string& label) {
  const auto [at, added] = sngByProgLine_.try_emplace(UpperCase(key), state_.sngByProg.size());
  if (added) {
    state_.sngByProg.push_back(key + "=" + label);
    return;
  }
  std::string& line = state_.sngByProg[at->second];
  if (line.find(label) == std::string::npos) line += " - " + label;
}

void SongListing::listByProgram() {
  const bool programNames = frame_.columnTicked("TPName");
  state_.table.columns = {{"Prog", kProgColumnWidth}};
  if (programNames) state_.table.columns.push_back({"P.Name", kNameColumnWidth});
  state_.table.columns.push_back({"Song", kNameColumnWidth});
  frame_.changed(ViewerPart::Table);
  std::sort(state_.sngByProg.begin(), state_.sngByProg.end());
  std::unordered_map<std::string, std::string> existing;  // upper-cased name -> value of BoxExist
  for (const std::string& entry : filters_.boxExist()) {
    const auto equals = entry.find('=');
    existing.try_emplace(UpperCase(EntryName(entry)), equals == std::string::npos ? "" : entry.substr(equals + 1));
  }
  RowWriter rows = frame_.rows();
  rows.expect(state_.sngByProg.size());
  for (const std::string& line : state_.sngByProg) {
    const std::string key = EntryName(line);
    const std::string songs = line.substr(std::min(line.size(), key.size() + 1));
    TableRow& row = rows.add();
    row.caption = key;
    {
      CellWriter cells(row.cells, 2);
      if (programNames) cells.next() = programNameOf(key, existing);
      cells.next() = CharTranslate(frame_.separator(), " - ", songs);
    }
    frame_.setInfo("Processing..." + key);
  }
  frame_.changed(ViewerPart::Table);
}

// The name BoxExist gives the program, else the linked PCG's.
std::string SongListing::programNameOf(const std::string& key,
                                       const std::unordered_map<std::string, std::string>& existing) const {
  const auto known = existing.find(UpperCase(key));
  if (known != existing.end() && !Trim(known->second).empty()) return TrimRight(known->second);
  if (!linked_.linked) return "PCG not linked";
  const std::string* found = linked_.names.find(key);
  return found ? TrimRight(*found) : "not found in PCG";
}

}  // namespace

void SongDisplay::show(ShowFrame& frame) { SongListing(frame).show(); }

}  // namespace patchlore
