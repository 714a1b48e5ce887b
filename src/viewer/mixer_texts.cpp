#include "viewer/mixer_texts.hpp"

#include "common/bytes.hpp"
#include "viewer/show_frame.hpp"
#include "viewer/text_helpers.hpp"

namespace patchlore {

namespace {
constexpr int kPanRandom = 0;
constexpr int kPanCentre = 64;
constexpr int kPanRightmost = 127;
}  // namespace

std::string PanText(int pan) {
  if (pan == kPanRandom) return "RND";
  if (pan < kPanCentre) return Concat({"L", ZeroPad(pan, 3)});
  if (pan == kPanCentre) return Concat({"C", ZeroPad(pan, 3)});
  if (pan <= kPanRightmost) return Concat({"R", ZeroPad(pan, 3)});
  return "";
}

std::string ChannelText(int statusChannel) { return ZeroPad((statusChannel & 0x0F) + 1, 2); }

char StatusDigit(int statusChannel) { return HexPad((statusChannel >> 4) & 0x0F, 1)[0]; }

std::string NoteRangeText(int first, int second) { return NoteName(first) + ".." + NoteName(second); }

std::string ValueRangeText(int first, int second) {
  return std::to_string(first) + ".." + std::to_string(second);
}

void AppendPan(std::string& out, const MixerFacts& mixer) {
  if (mixer.pan) out += PanText(*mixer.pan);
}

void AppendVolume(std::string& out, const MixerFacts& mixer, bool prefixes) {
  if (prefixes) out += "Vol:";
  if (mixer.volume) out += ZeroPad(*mixer.volume, 3);
}

void AppendTranspose(std::string& out, const MixerFacts& mixer, bool prefixes) {
  if (prefixes) out += "Tran:";
  if (mixer.transpose) out += SignedZeroPad(*mixer.transpose, 2);
}

void AppendKeyZones(std::string& out, const MixerFacts& mixer, bool prefixes) {
  if (prefixes) out += "KZone:";
  if (mixer.keyZoneFirst && mixer.keyZoneSecond) out += NoteRangeText(*mixer.keyZoneFirst, *mixer.keyZoneSecond);
}

void AppendVelocityZones(std::string& out, const MixerFacts& mixer, bool prefixes) {
  if (prefixes) out += "VZone:";
  if (mixer.velocityZoneFirst && mixer.velocityZoneSecond)
    out += ValueRangeText(*mixer.velocityZoneFirst, *mixer.velocityZoneSecond);
}

bool KeepPlayState(const ShowFrame& frame, bool muted) {
  const bool play = frame.columnTicked("TPlay");
  const bool mute = frame.columnTicked("TMute");
  if (!play && !mute) return true;
  return muted ? mute : play;
}

}  // namespace patchlore
