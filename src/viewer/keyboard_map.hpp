// The keyboard map of a combination or a song: the 128 MIDI notes from C-1
// to G9 as a piano keyboard, with one bar per timbre or track that sounds,
// spanning its keyboard zone, its velocity zone giving the bar's height in
// its lane. Built from the rows a combination or song-by-song listing shows
// (filters applied), so every bar belongs to one row of the table and a row
// leads back to its bar. The geometry lives here too, so a window only paints
// rectangles it is given.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/bytes.hpp"
#include "formats/model_layout.hpp"
#include "viewer/listed_patch.hpp"
#include "viewer/viewer_request.hpp"

namespace patchlore {

class LinkedNames;

inline constexpr int kNoteCount = 128;       // C-1 to G9
inline constexpr int kWhiteKeyCount = 75;    // 10 octaves of 7, and C9 to G9
inline constexpr int kVelocityTop = 127;

// The timbre or track a row of a combination or song listing shows: the
// combination record or song chunk it belongs to and its number there (0 to 15).
struct RowMember {
  std::int64_t patch = 0;
  int member = 0;
};

// The rows of the last Show that keyboard maps read: set by the combination
// listing and the song listing by song, empty for every other listing.
struct MemberRows {
  bool listed = false;           // the last Show listed timbres or tracks
  std::vector<RowMember> rows;   // one per table row, in table order
};

struct KeyboardBar {
  std::size_t row = 0;  // the table row of the timbre or track
  int member = 0;       // its number, from 0
  // The notes and velocities the bar spans, lowest first, within 0..127 and 1..127.
  int lowNote = 0;
  int highNote = kNoteCount - 1;
  int lowVelocity = 1;
  int highVelocity = kVelocityTop;
  bool muted = false;     // drawn hollow
  // The zone's first note (or velocity) lies above its second: the bar spans
  // the two all the same, hatched, and its label ends with the zone as the
  // table shows it ("E5..C4").
  bool reversed = false;
  std::string label;  // "T01 Piano" or "MT01 Piano", and the reversed zone
  bool operator==(const KeyboardBar&) const = default;
};

struct KeyboardMap {
  std::int64_t patch = 0;  // the combination record or song chunk
  std::string title;       // "I-A000 My Combi", "Song S001 My Song"
  std::vector<KeyboardBar> bars;

  // The bar of the table row, when the row has one.
  std::optional<std::size_t> barOfRow(std::size_t row) const;
};

// What a keyboard map is read from: the viewer's file and listing.
struct KeyboardMapSource {
  ViewerKind kind = ViewerKind::Other;  // Combination or Song; others give no map
  Image image;
  ModelConstants model;
  const MemberRows* members = nullptr;
  const LinkedNames* names = nullptr;  // the linked PCG's program names; nullptr when none is linked
  // The combinations listed, which give a combination's key.
  const std::vector<ListedPatch>* listed = nullptr;
};

// The map of the combination or song the table row belongs to; nothing for a
// row of no timbre or track.
std::optional<KeyboardMap> KeyboardMapOfRow(const KeyboardMapSource& source, std::size_t row);

// ---- geometry ------------------------------------------------------------------

struct MapRect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
  bool contains(double px, double py) const { return px >= x && px < x + width && py >= y && py < y + height; }
  bool operator==(const MapRect&) const = default;
};

// Where a note's key lies across the keyboard, in white-key widths from the
// left edge of C-1: a white key is one wide, a black key five eighths wide, centred on
// the line between its white neighbours.
struct KeySpan {
  double left = 0;
  double right = 0;
  bool black = false;
  bool operator==(const KeySpan&) const = default;
};
KeySpan KeySpanOf(int note);

// A map laid out in a picture of the given size: the title line at the top,
// one lane per bar below it, the keyboard at the bottom.
struct MapLayout {
  MapRect title;
  MapRect keyboard;
  std::vector<MapRect> lanes;  // one per bar, the bar's whole row
  std::vector<MapRect> bars;   // one per bar: its zone across, its velocity zone upwards within its lane
  double whiteKeyWidth = 0;

  // The bar whose lane holds the point within the bar's notes.
  std::optional<std::size_t> barAt(double x, double y) const;
  // The key of a note in the keyboard rectangle.
  MapRect keyRect(int note) const;
};
MapLayout LayOutMap(const KeyboardMap& map, double width, double height);

}  // namespace patchlore
