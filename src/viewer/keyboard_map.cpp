#include "viewer/keyboard_map.hpp"

#include <algorithm>
#include <array>

#include "formats/combination_record.hpp"
#include "formats/program_keys.hpp"
#include "formats/song_record.hpp"
#include "viewer/combination_display.hpp"
#include "viewer/linked_names.hpp"
#include "viewer/mixer_texts.hpp"
#include "viewer/text_helpers.hpp"
#include "viewer/track_program.hpp"

namespace patchlore {

namespace {

// What a bar is made of: the row's mixer fields as the table's cells read them.
struct MemberFacts {
  std::size_t row;
  int member;
  const MixerFacts& mixer;
  bool muted;
  std::string label;
};

// A timbre or track sounds unless its status is OFF; one whose status or
// zones lie outside the image cannot be placed and gets no bar.
void AddBar(KeyboardMap& map, MemberFacts facts) {
  const MixerFacts& m = facts.mixer;
  if (!m.statusChannel || m.off() || !m.keyZoneFirst || !m.keyZoneSecond || !m.velocityZoneFirst ||
      !m.velocityZoneSecond)
    return;
  const int firstNote = *m.keyZoneFirst;
  const int secondNote = *m.keyZoneSecond;
  const int firstVelocity = *m.velocityZoneFirst;
  const int secondVelocity = *m.velocityZoneSecond;
  KeyboardBar bar;
  bar.row = facts.row;
  bar.member = facts.member;
  bar.lowNote = std::min(std::min(firstNote, secondNote), kNoteCount - 1);
  bar.highNote = std::min(std::max(firstNote, secondNote), kNoteCount - 1);
  bar.lowVelocity = std::clamp(std::min(firstVelocity, secondVelocity), 1, kVelocityTop);
  bar.highVelocity = std::clamp(std::max(firstVelocity, secondVelocity), 1, kVelocityTop);
  bar.muted = facts.muted;
  bar.label = std::move(facts.label);
  // A reversed zone is drawn over the notes it names, and its label gives
  // the zone as the Keyboard Zones or Velocity Zones cell shows it.
  if (firstNote > secondNote) bar.label += "  " + NoteRangeText(firstNote, secondNote);
  if (firstVelocity > secondVelocity) bar.label += "  " + ValueRangeText(firstVelocity, secondVelocity);
  bar.reversed = firstNote > secondNote || firstVelocity > secondVelocity;
  map.bars.push_back(std::move(bar));
}

std::string CombinationKey(const KeyboardMapSource& source, std::int64_t patch) {
  if (!source.listed) return "";
  const auto found = std::ranges::find(*source.listed, patch, &ListedPatch::offset);
  return found == source.listed->end() ? "" : found->key;
}

void AddCombinationBars(const KeyboardMapSource& source, KeyboardMap& map, std::size_t first, std::size_t last) {
  const CombinationFacts facts = DecodeCombination(source.image, map.patch, source.model);
  map.title = CombinationKey(source, map.patch) + " " + TrimRight(NameText(facts.name));
  for (std::size_t row = first; row <= last; ++row) {
    const int t = source.members->rows[row].member;
    if (t < 0 || t >= combination_layout::kTimbreCount) continue;
    const TimbreFacts& timbre = facts.timbres[static_cast<std::size_t>(t)];
    const std::string key = ProgramReferenceKey(timbre.mixer.programBank, timbre.mixer.programNumber);
    std::string label = "T" + ZeroPad(t + 1, 2) + " " + std::string(CombinationProgramName(source.names, key));
    AddBar(map, {row, t, timbre.mixer, timbre.muted.value_or(false), std::move(label)});
  }
}

void AddSongBars(const KeyboardMapSource& source, KeyboardMap& map, std::size_t first, std::size_t last) {
  static const LinkedNames kNoNames;
  const SongFacts song = DecodeSong(source.image, map.patch);
  map.title = "Song " + SongLabel(song) + " " + TrimRight(NameText(song.name));
  const LinkedProgramNames linked{source.names ? *source.names : kNoNames, source.names != nullptr};
  for (std::size_t row = first; row <= last; ++row) {
    const int k = source.members->rows[row].member;
    const TrackFacts track = DecodeTrack(source.image, map.patch, k, source.model);
    std::string label = "MT" + ZeroPad(k + 1, 2) + " " + ProgramOfTrack(track, linked).nameText;
    AddBar(map, {row, k, track.mixer, track.muted.value_or(false), std::move(label)});
  }
}

}  // namespace

std::optional<std::size_t> KeyboardMap::barOfRow(std::size_t row) const {
  const auto found = std::find_if(bars.begin(), bars.end(), [row](const KeyboardBar& bar) { return bar.row == row; });
  if (found == bars.end()) return std::nullopt;
  return static_cast<std::size_t>(found - bars.begin());
}

std::optional<KeyboardMap> KeyboardMapOfRow(const KeyboardMapSource& source, std::size_t row) {
  const bool kindHasMaps = source.kind == ViewerKind::Combination || source.kind == ViewerKind::Song;
  if (!kindHasMaps || !source.members || row >= source.members->rows.size()) return std::nullopt;
  // The rows of one combination or song stand together.
  const std::vector<RowMember>& rows = source.members->rows;
  const std::int64_t patch = rows[row].patch;
  std::size_t first = row;
  while (first > 0 && rows[first - 1].patch == patch) --first;
  std::size_t last = row;
  while (last + 1 < rows.size() && rows[last + 1].patch == patch) ++last;
  KeyboardMap map;
  map.patch = patch;
  if (source.kind == ViewerKind::Combination)
    AddCombinationBars(source, map, first, last);
  else
    AddSongBars(source, map, first, last);
  return map;
}

// ---- geometry ------------------------------------------------------------------

namespace {

constexpr int kNotesPerOctave = 12;
constexpr int kWhiteKeysPerOctave = 7;
constexpr double kBlackKeyWidth = 0.625;  // five eighths: exact in binary, as every edge then is
constexpr double kBlackKeyLength = 0.6;  // of the white keys' length
constexpr double kTitleHeight = 20;
constexpr double kKeyboardShare = 0.25;  // of the picture's height
constexpr double kLanePadding = 2;       // above and below a bar in its lane
// The tallest lane: a velocity of 1 is then one pixel high.
constexpr double kMaxLaneHeight = kVelocityTop + 2 * kLanePadding;

// For each note of an octave: the white keys before it, and whether it is black.
constexpr std::array<int, kNotesPerOctave> kWhiteKeysBefore = {0, 1, 1, 2, 2, 3, 4, 4, 5, 5, 6, 6};
constexpr std::array<bool, kNotesPerOctave> kBlack = {false, true,  false, true,  false, false,
                                                      true,  false, true,  false, true,  false};

}  // namespace

KeySpan KeySpanOf(int note) {
  const int n = std::clamp(note, 0, kNoteCount - 1);
  const auto inOctave = static_cast<std::size_t>(n % kNotesPerOctave);
  const double whiteBefore = (n / kNotesPerOctave) * kWhiteKeysPerOctave + kWhiteKeysBefore[inOctave];
  if (!kBlack[inOctave]) return {whiteBefore, whiteBefore + 1, false};
  return {whiteBefore - kBlackKeyWidth / 2, whiteBefore + kBlackKeyWidth / 2, true};
}

MapLayout LayOutMap(const KeyboardMap& map, double width, double height) {
  MapLayout layout;
  layout.whiteKeyWidth = width / kWhiteKeyCount;
  layout.title = {0, 0, width, kTitleHeight};
  const double keyboardHeight = height * kKeyboardShare;
  layout.keyboard = {0, height - keyboardHeight, width, keyboardHeight};
  const double laneArea = std::max(0.0, layout.keyboard.y - kTitleHeight);
  const auto count = static_cast<double>(std::max<std::size_t>(map.bars.size(), 1));
  const double laneHeight = std::min(laneArea / count, kMaxLaneHeight);
  double top = layout.keyboard.y - laneHeight * static_cast<double>(map.bars.size());
  const double inner = std::max(0.0, laneHeight - 2 * kLanePadding);
  for (const KeyboardBar& bar : map.bars) {
    const MapRect lane{0, top, width, laneHeight};
    layout.lanes.push_back(lane);
    const double left = KeySpanOf(bar.lowNote).left * layout.whiteKeyWidth;
    const double right = KeySpanOf(bar.highNote).right * layout.whiteKeyWidth;
    // Velocity v takes the v-th of 127 equal steps up the lane.
    const double barTop = lane.y + kLanePadding + inner * (kVelocityTop - bar.highVelocity) / kVelocityTop;
    const double barBottom = lane.y + kLanePadding + inner * (kVelocityTop - bar.lowVelocity + 1) / kVelocityTop;
    layout.bars.push_back({left, barTop, right - left, barBottom - barTop});
    top += laneHeight;
  }
  return layout;
}

std::optional<std::size_t> MapLayout::barAt(double x, double y) const {
  for (std::size_t i = 0; i < lanes.size() && i < bars.size(); ++i)
    if (lanes[i].contains(x, y) && x >= bars[i].x && x < bars[i].x + bars[i].width) return i;
  return std::nullopt;
}

MapRect MapLayout::keyRect(int note) const {
  const KeySpan span = KeySpanOf(note);
  const double length = span.black ? keyboard.height * kBlackKeyLength : keyboard.height;
  return {span.left * whiteKeyWidth, keyboard.y, (span.right - span.left) * whiteKeyWidth, length};
}

}  // namespace patchlore
