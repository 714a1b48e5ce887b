#include "viewer/name_tables.hpp"

#include "common/bytes.hpp"

namespace patchlore {

namespace {

constexpr CodeName kOscMode[] = {{0, "Single"}, {1, "Double"}, {2, "Drums"},
                                 {3, "3"},      {4, "4"},      {5, "Double Drums"}};
constexpr CodeName kHold[] = {{0, "Off"}, {1, "On"}};
constexpr CodeName kVoiceMode[] = {{1, "Mono"}, {0, "Poly"}};
// Type 1 has no name and shows as "01".
constexpr CodeName kExi[] = {{0x00, "OFF"},   {0x02, "AL-1"},    {0x03, "CX-3"},
                             {0x04, "STR-1"}, {0x05, "MS-20"},   {0x06, "Polysix"},
                             {0x07, "MOD-7"}, {0x08, "SGX-1"},   {0x09, "EP-1"}};
constexpr CodeName kLfo[] = {{1, "LFO1"}, {2, "LFO2"}, {3, "LFO3"}, {4, "LFO4"}, {0xC, "CommonLFO"}};
constexpr CodeName kSampleType[] = {{0x00, "Off"}, {0x01, "MS"}, {0x02, "WS"}};
constexpr CodeName kMemory[] = {
    {0x00, "ROM mono"},   {0x01, "ROM stereo"},  {0x02, "RAM mono"},   {0x03, "RAM stereo"},
    {0x04, "EXs1 mono"},  {0x05, "EXs1 stereo"}, {0x06, "EXs3 mono"},  {0x07, "EXs3 stereo"},
    {0x08, "EXs4 mono"},  {0x09, "EXs5 mono"},   {0x0A, "EXs5 stereo"}, {0x0B, "EXs6 mono"},
    {0x0C, "EXs6 stereo"}, {0x0D, "EXs7 mono"},  {0x0E, "EXs7 stereo"}};

}  // namespace

const std::span<const CodeName> kOscModeNames = kOscMode;
const std::span<const CodeName> kHoldNames = kHold;
const std::span<const CodeName> kVoiceModeNames = kVoiceMode;
const std::span<const CodeName> kExiNames = kExi;
const std::span<const CodeName> kLfoNames = kLfo;
const std::span<const CodeName> kSampleTypeNames = kSampleType;
const std::span<const CodeName> kMemoryNames = kMemory;

void AppendName(std::string& out, std::span<const CodeName> table, int code, int digits) {
  for (const CodeName& entry : table)
    if (entry.code == code) {
      out += entry.name;
      return;
    }
  out += HexPad(code, digits);
}

}  // namespace patchlore
