#include "formats/program_record.hpp"

#include "common/byte_reader.hpp"

namespace patchlore {

using namespace program_layout;

namespace {

std::optional<bool> Bit(std::optional<std::uint8_t> byte, int bit) {
  if (!byte) return std::nullopt;
  return ((*byte >> bit) & 1) != 0;
}

std::optional<std::uint8_t> LowNibble(std::optional<std::uint8_t> byte) {
  if (!byte) return std::nullopt;
  return static_cast<std::uint8_t>(*byte & 0x0F);
}

ZoneFacts DecodeZone(Image image, std::int64_t typeAt, const ProgramLayout& layout) {
  ZoneFacts zone;
  zone.sampleType = ReadU8(image, typeAt);
  const std::int64_t data = typeAt + layout.zoneDataShift;
  zone.memory = ReadU8(image, data + kZoneMemory);
  const auto low = ReadU8(image, data + kZoneNumberLow);
  const auto high = ReadU8(image, data + kZoneNumberHigh);
  if (low && high) zone.number = *low + 256 * *high;
  zone.level = ReadU8(image, data + kZoneLevel);
  return zone;
}

// Each field of OSC2 lies osc2Delta bytes after the same field of OSC1,
// apart from the key zones, which sit side by side.
OscillatorFacts DecodeOscillator(Image image, std::int64_t p, int osc, const ProgramLayout& layout) {
  OscillatorFacts facts;
  const std::int64_t keyZone = p + kKeyZones + layout.shift + 2 * osc;
  facts.keyZoneLow = ReadU8(image, keyZone);
  facts.keyZoneHigh = ReadU8(image, keyZone + 1);
  const std::int64_t delta = osc * layout.osc2Delta;
  for (int k = 0; k < kZoneCount; ++k)
    facts.zones[static_cast<std::size_t>(k)] =
        DecodeZone(image, p + layout.firstZone() + delta + k * layout.zoneSize, layout);
  facts.transpose = ReadS8(image, p + layout.osc1Transpose() + delta);
  return facts;
}

ExiFacts DecodeExi(Image image, std::int64_t p, int exi, const ProgramLayout& layout) {
  const std::int64_t delta = exi * layout.exi2Delta;
  ExiFacts facts;
  facts.type = ReadU8(image, p + layout.exi1Type() + delta);
  if (!layout.oasys) facts.transpose = ReadS8(image, p + kExi1TransposeUnshifted + delta);
  return facts;
}

}  // namespace

ProgramFacts DecodeProgram(Image image, std::int64_t offset, const ProgramLayout& layout) {
  ProgramFacts facts;
  facts.offset = offset;
  facts.name = ReadClippedBytes(image, offset + kName, kNameWidth);
  facts.rawRunField = layout.rawRun();
  facts.rawRun = ReadClippedBytes(image, offset + facts.rawRunField, kRawRunWidth);
  const auto modeByte = ReadU8(image, offset + layout.modeByte());
  facts.oscMode = LowNibble(modeByte);
  facts.hold = Bit(modeByte, kHoldBit);
  facts.mono = Bit(ReadU8(image, offset + kVoiceModeByteUnshifted), kMonoBit);
  facts.detune = ReadU8(image, offset + kDetune + layout.shift);
  facts.holdNoteLow = ReadU8(image, offset + kHoldNoteLow + layout.shift);
  facts.holdNoteHigh = ReadU8(image, offset + kHoldNoteHigh + layout.shift);
  for (int osc = 0; osc < kOscillators; ++osc)
    facts.oscillators[static_cast<std::size_t>(osc)] = DecodeOscillator(image, offset, osc, layout);
  for (int exi = 0; exi < 2; ++exi) facts.exi[static_cast<std::size_t>(exi)] = DecodeExi(image, offset, exi, layout);
  facts.exiTransposesKnown = !layout.oasys;
  facts.lfoByteField = kLfoByteUnshifted;
  facts.lfoByte = ReadU8(image, offset + kLfoByteUnshifted);
  facts.rawByteField = kRawByteUnshifted;
  facts.rawByte = ReadU8(image, offset + kRawByteUnshifted);
  return facts;
}

}  // namespace patchlore
