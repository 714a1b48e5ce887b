#include "formats/sysex_text.hpp"

#include <cstdint>
#include <string_view>

#include "common/bytes.hpp"
#include "common/name_table.hpp"
#include "formats/m1_patch_layout.hpp"
#include "formats/m1_sysex_layout.hpp"
#include "formats/unpack_7bit.hpp"

namespace patchlore {

namespace {

namespace layout = m1_sysex_layout;

struct FunctionName {
  std::uint8_t code;
  std::string_view text;
};

struct FixedLength {
  std::uint8_t code;
  std::size_t length;
};

constexpr NamedCode kManufacturers[] = {{"$42", "Korg"}, {"$19", "M1"}};

constexpr FunctionName kFunctions[] = {
    {0x21, "Write completed"},
    {0x22, "Write error"},
    {0x23, "Data load completed"},
    {0x24, "Data load error"},
    {0x26, "Received Message format error"},
    {layout::kProgramDump, "Program Parameter dump Offset=5 "},
    {0x41, "Parameter change"},
    {0x42, "Mode data"},
    {0x45, "All Multisound(PCM card) Name"},
    {0x47, "All Drum sound(PCM card) Name"},
    {0x48, "All Sequence data dump"},
    {layout::kCombinationDump, "Combination Parameter dump Offset=5 "},
    {layout::kAllProgramDump, "All Program Parameter dump Offset=6 "},
    {layout::kAllCombinationDump, "All Combination Parameter dump"},
    {0x4E, "Mode change"},
    {0x50, "All data(Global,Combi,Prog,Seq) dump"},
    {0x51, "Global data dump"},
};

constexpr FixedLength kFixedLengths[] = {
    {layout::kProgramDump, layout::kProgramDumpLength},
    {layout::kCombinationDump, layout::kCombinationDumpLength},
    {layout::kAllProgramDump, layout::kAllProgramDumpLength},
    {layout::kAllCombinationDump, layout::kAllCombinationDumpLength},
};

std::string ByteHex(std::uint8_t value) { return HexText(std::string(1, static_cast<char>(value))); }

// The last byte of the message and its position, as the "missing" texts give them.
std::string LastByteText(Image message) {
  return "byte[" + std::to_string(message.size()) + "]=" + ByteHex(message.back());
}

// The memory bank byte of an All Program or All Combination dump.
std::string MemoBankText(Image message) {
  if (message.size() == layout::kMemoryBank + 1) return "(last " + LastByteText(message) + " MemoBank missing) *error";
  const std::uint8_t bank = message[layout::kMemoryBank];
  const std::string text = " MemoBank=" + ByteHex(bank);
  if (bank > layout::kMemoryBankLast) return text + " must be only 01,02,03 *error";
  return text + ((bank % 2 != 0) ? " (50) " : " (100) ");
}

// Empty unless the function has a fixed length that the message does not have.
std::string SysexLengthCheck(Image message) {
  const std::uint8_t code = message[layout::kFunction];
  for (const FixedLength& entry : kFixedLengths)
    if (entry.code == code && entry.length != message.size())
      return " sysex_length must be " + std::to_string(entry.length) + "*error";
  return {};
}

// The first bytes of a program or combination dump's data: its name.
std::string DumpNameText(Image message) {
  using m1_patch_layout::kNameEnd;
  if (message.size() <= layout::kPackedData) return {};
  const std::string data = Unpack7Bit(message.subspan(layout::kPackedData), kNameEnd + 1);
  if (data.size() <= kNameEnd) return {};
  return " [" + NameText(std::string_view(data).substr(m1_patch_layout::kName, m1_patch_layout::kNameWidth)) + "]";
}

// Message length at least 5, byte[4] the M1 model ID.
std::string SysexFunctionText(Image message) {
  const std::uint8_t code = message[layout::kFunction];
  const FunctionName* function = nullptr;
  for (const FunctionName& entry : kFunctions)
    if (entry.code == code) function = &entry;
  if (function == nullptr) return "Unknown Function Code in Sysex=" + ByteHex(code) + "(Hex)";
  std::string text(function->text);
  if (code == layout::kAllProgramDump || code == layout::kAllCombinationDump) text += MemoBankText(message);
  if (code == layout::kProgramDump || code == layout::kCombinationDump) text += DumpNameText(message);
  return text + SysexLengthCheck(message);
}

// Message length at least 3, byte[2] Korg.
std::string SysexModelText(Image message) {
  if (message.size() <= layout::kModel) return "(last " + LastByteText(message) + " Model_ID(byte[4]) missing *error";
  const std::uint8_t model = message[layout::kModel];
  if (model != layout::kModelM1) return " byte[4]=" + ByteHex(model) + " Unknown Model_ID *error";
  const std::uint8_t channel = message[layout::kChannelByte];
  if (channel < layout::kChannelByteFirst || channel > layout::kChannelByteLast)
    return "M1 (byte[3]=" + ByteHex(channel) + " must be 3g (g:Global channel)) *error";
  return "M1 " + SysexFunctionText(message);
}

}  // namespace

std::string SysexText(Image message) {
  if (message.empty()) return "SysEx(0 bytes) Empty string *error";
  if (message.front() != layout::kStartOfExclusive)
    return "First byte=" + ByteHex(message.front()) + " not F0 *error";
  if (message.back() != layout::kEndOfExclusive) return "Last " + LastByteText(message) + " but F7 missing *error";
  if (message.size() == 2) return " Only F0F7 *error";
  const std::uint8_t maker = message[layout::kManufacturer];
  const std::string makerName = NameOrCode(kManufacturers, Concat({"$", ByteHex(maker)}));
  if (maker != layout::kKorg) return " Unknown byte[2]=" + ByteHex(maker);
  return makerName + SysexModelText(message);
}

}  // namespace patchlore
