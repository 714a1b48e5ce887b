#include "formats/banks.hpp"

#include "common/byte_reader.hpp"
#include "formats/chunks.hpp"
#include "formats/set_list_layout.hpp"

namespace patchlore {

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
  return TableLookup(kProgBankTable, "", HexText(typeCode));
}

std::string CombiBankName(std::string_view typeCode) {
  return TableLookup(kCombiBankTable, "", HexText(typeCode));
}

std::string BankName(std::string_view id, std::string_view typeCode) {
  return id == "PBK1" || id == "MBK1" ? ProgBankName(typeCode) : CombiBankName(typeCode);
}

std::string BankEngine(std::string_view id) { return TableLookup(kBankEngineTable, "", id); }

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

std::int64_t SetListBankOffset(Image image, std::int64_t sls1) {
  const std::int64_t slotTable = sls1 + set_list_layout::kSlotTableChunk;
  const std::int64_t c3 = slotTable + kChunkHeaderSize + ReadClippedS32BE(image, slotTable + kChunkSizeField);
  const std::int64_t bank = c3 + kChunkHeaderSize;
  return ReadClippedBytes(image, bank, bank_layout::kIdWidth) == "SBK1" ? bank : -1;
}

}  // namespace patchlore
