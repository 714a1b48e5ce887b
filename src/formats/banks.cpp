#include "formats/banks.hpp"

#include "common/byte_reader.hpp"
#include "common/name_table.hpp"
#include "formats/chunks.hpp"
#include "formats/set_list_layout.hpp"

namespace patchlore {

namespace {

// Program banks ("PBK1", "MBK1") by BankTypeCode; the two-digit codes name
// the banks of a type code cut short by the end of the file.
constexpr NamedCode kProgBanks[] = {
    {"00000000", "I-A"}, {"00000001", "I-B"}, {"00000002", "I-C"}, {"00000003", "I-D"},
    {"00000004", "I-E"}, {"00008000", "I-F"}, {"06", "GM"}, {"07", "g(1)"},
    {"08", "g(2)"}, {"09", "g(3)"}, {"0A", "g(4)"}, {"0B", "g(5)"},
    {"0C", "g(6)"}, {"0D", "g(7)"}, {"0E", "g(8)"}, {"0F", "g(9)"},
    {"10", "g(d)"}, {"00020000", "U-A"}, {"00020001", "U-B"}, {"00020002", "U-C"},
    {"00020003", "U-D"}, {"00020004", "U-E"}, {"00020005", "U-F"}, {"00020006", "U-G"},
    {"00020007", "U-AA"}, {"00020008", "U-BB"}, {"00020009", "U-CC"}, {"0002000A", "U-DD"},
    {"0002000B", "U-EE"}, {"0002000C", "U-FF"}, {"0002000D", "U-GG"},
};

// Combination, drum kit and wave sequence banks by BankTypeCode.
constexpr NamedCode kCombiBanks[] = {
    {"00000000", "I-A"}, {"00000001", "I-B"}, {"00000002", "I-C"}, {"00000003", "I-D"},
    {"00000004", "I-E"}, {"00000005", "I-F"}, {"00000006", "I-G"}, {"00020000", "U-A"},
    {"00020001", "U-B"}, {"00020002", "U-C"}, {"00020003", "U-D"}, {"00020004", "U-E"},
    {"00020005", "U-F"}, {"00020006", "U-G"},
};

// The engine of a program bank by its chunk ID.
constexpr NamedCode kBankEngines[] = {
    {"MBK1", "EXi"}, {"PBK1", "HD-1"},
};

// BankTypeCode to the two-digit bank number.
constexpr NamedCode kBankNumbers[] = {
    {"00000000", "00"}, {"00000001", "01"}, {"00000002", "02"}, {"00000003", "03"}, {"00000004", "04"},
    {"00008000", "05"}, {"00020000", "11"}, {"00020001", "12"}, {"00020002", "13"}, {"00020003", "14"},
    {"00020004", "15"}, {"00020005", "16"}, {"00020006", "17"}, {"00020007", "18"}, {"00020008", "19"},
    {"00020009", "1A"}, {"0002000A", "1B"}, {"0002000B", "1C"}, {"0002000C", "1D"}, {"0002000D", "1E"},
};

// Two-digit bank number to bank name.
constexpr NamedCode kBankNamesByNumber[] = {
    {"00", "I-A"}, {"01", "I-B"}, {"02", "I-C"}, {"03", "I-D"}, {"04", "I-E"}, {"05", "I-F"},
    {"06", "GM"}, {"07", "g(1)"}, {"08", "g(2)"}, {"09", "g(3)"}, {"0A", "g(4)"}, {"0B", "g(5)"},
    {"0C", "g(6)"}, {"0D", "g(7)"}, {"0E", "g(8)"}, {"0F", "g(9)"}, {"10", "g(d)"}, {"11", "U-A"},
    {"12", "U-B"}, {"13", "U-C"}, {"14", "U-D"}, {"15", "U-E"}, {"16", "U-F"}, {"17", "U-G"},
    {"18", "U-AA"}, {"19", "U-BB"}, {"1A", "U-CC"}, {"1B", "U-DD"}, {"1C", "U-EE"}, {"1D", "U-FF"},
    {"1E", "U-GG"},
};

}  // namespace

BankHeader ReadBankHeader(Image image, std::int64_t offset) {
  using namespace bank_layout;
  BankHeader header;
  header.offset = offset;
  if (offset < 0) return header;  // no field lies before the image
  const auto byte = [&](std::int64_t field) { return ReadU8(image, offset + field).value_or(0); };
  header.id = std::string(ReadClippedBytes(image, offset + kId, kIdWidth));
  header.chunkSize = ReadClippedS32BE(image, offset + kChunkSize);
  header.checkSum = byte(kChecksum);
  header.patchCount = byte(kPatchCountByte);
  header.patchSize = (std::int64_t{byte(kPatchSizeLow)} << 8) | byte(kPatchSizeLow + 1);
  header.patchCountField = ReadClippedS32BE(image, offset + kPatchCountField);
  header.patchSizeField = ReadClippedS32BE(image, offset + kPatchSizeField);
  header.typeCode = std::string(ReadClippedBytes(image, offset + kTypeCode, kTypeCodeWidth));
  return header;
}

std::string ProgBankName(std::string_view typeCode) {
  return NameOrCode(kProgBanks, HexText(typeCode));
}

std::string CombiBankName(std::string_view typeCode) {
  return NameOrCode(kCombiBanks, HexText(typeCode));
}

std::string BankName(std::string_view id, std::string_view typeCode) {
  return id == "PBK1" || id == "MBK1" ? ProgBankName(typeCode) : CombiBankName(typeCode);
}

std::string BankEngine(std::string_view id) { return NameOrCode(kBankEngines, id); }

std::string BankNumberOfCode(std::string_view typeCodeHex) { return NameOrCode(kBankNumbers, typeCodeHex); }

std::string BankNameOfNumber(std::string_view number) { return NameOrCode(kBankNamesByNumber, number); }

namespace {
bool BelongsToRun(const std::string& id, BankRunKind kind) {
  switch (kind) {
    case BankRunKind::Programs: return id == "PBK1" || id == "MBK1";
    case BankRunKind::Combinations: return id == "CBK1";
    case BankRunKind::DrumKitsOrWaveSequences: return id.size() == 4 && id.compare(1, 3, "BK1") == 0;
  }
  return false;
}
}  // namespace

std::vector<std::int64_t> BankRun(Image image, std::int64_t parent, BankRunKind kind) {
  std::vector<std::int64_t> banks;
  const auto n = static_cast<std::int64_t>(image.size());
  std::int64_t b = parent + kChunkHeaderSize;
  while (b >= 0 && b < n && BelongsToRun(BytesText(image, b, bank_layout::kIdWidth), kind)) {
    banks.push_back(b);
    const std::int64_t next = b + kChunkHeaderSize + ReadClippedS32BE(image, b + bank_layout::kChunkSize);
    if (next <= b) break;
    b = next;
  }
  return banks;
}

std::int64_t SetListBankPosition(Image image, std::int64_t sls1) {
  const std::int64_t slotTable = sls1 + set_list_layout::kSlotTableChunk;
  const std::int64_t c3 = slotTable + kChunkHeaderSize + ReadClippedS32BE(image, slotTable + kChunkSizeField);
  return c3 + kChunkHeaderSize;
}

std::int64_t SetListBankOffset(Image image, std::int64_t sls1) {
  const std::int64_t bank = SetListBankPosition(image, sls1);
  return ReadClippedBytes(image, bank, bank_layout::kIdWidth) == "SBK1" ? bank : -1;
}

}  // namespace patchlore
