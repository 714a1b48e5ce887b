// Record constants that change with the instrument (KRONOS or OASYS) and
// with the system version that wrote the file.
#pragma once

#include <string>
#include <string_view>

namespace patchlore {

// Offsets that depend on the model.
struct ModelConstants {
  int oasysShift = 0;  // the OASYS program record lies this many bytes earlier from its mode byte on
  int exi2Delta = 0;   // from a field of EXi1 to the same field of EXi2
  int timbreBase = 0;  // from a combination to its first timbre
  int trackBase = 0;   // from a song to the parameters of its first track
  int timbreSize = 0;  // one timbre or song track parameter record
  bool operator==(const ModelConstants&) const = default;
};

inline constexpr ModelConstants kKronosConstants{
    .oasysShift = 0, .exi2Delta = 1052, .timbreBase = 4800, .trackBase = 10126, .timbreSize = 188};
inline constexpr ModelConstants kOasysConstants{
    .oasysShift = -12, .exi2Delta = 788, .timbreBase = 4788, .trackBase = 10114, .timbreSize = 186};

// The instrument a file was written by, as its header's model byte says.
enum class Model { None, Kronos, Oasys };

// "KRONOS", "OASYS", or "" for None.
inline std::string_view ModelText(Model model) {
  switch (model) {
    case Model::Kronos: return "KRONOS";
    case Model::Oasys: return "OASYS";
    case Model::None: break;
  }
  return "";
}

// The constants of a model; all 0 for None.
inline ModelConstants ModelConstantsFor(Model model) {
  switch (model) {
    case Model::Kronos: return kKronosConstants;
    case Model::Oasys: return kOasysConstants;
    case Model::None: break;
  }
  return {};
}

// Offsets that depend on the file's system version.
struct VersionConstants {
  int osc2Delta = 338;    // from a field of OSC1 to the same field of OSC2
  int zoneSize = 6;       // one velocity zone entry
  int zoneDataShift = 0;  // from a zone's sample type to its data
  bool operator==(const VersionConstants&) const = default;
};

// The version whose programs carry the longer zone entries.
inline constexpr std::string_view kLongZoneVersion = "0202";
inline constexpr VersionConstants kLongZoneConstants{.osc2Delta = 466, .zoneSize = 22, .zoneDataShift = 16};
inline constexpr VersionConstants kShortZoneConstants{.osc2Delta = 338, .zoneSize = 6, .zoneDataShift = 0};

// The system version that wrote a file: two bytes of its header, read as
// their hex text, e.g. "0202".
inline constexpr std::int64_t kFileVersion = 6;
inline constexpr std::int64_t kFileVersionWidth = 2;

// fileVersion is the hex text of header bytes 6 and 7, e.g. "0202".
inline VersionConstants VersionConstantsFor(const std::string& fileVersion) {
  return fileVersion == kLongZoneVersion ? kLongZoneConstants : kShortZoneConstants;
}

}  // namespace patchlore
