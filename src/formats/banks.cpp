#include "formats/banks.hpp"

#include "formats/chunks.hpp"

namespace patchlore {

BankHeader ReadBankHeader(Image image, std::int64_t offset) {
  if (offset < 0) return BankHeader{offset, {}, 0, 0, 0, 0, {}};  // no field lies before the image
  const std::string h = BytesText(image, offset, kBankHeaderSize);
  auto byte = [&h](std::size_t i) { return i < h.size() ? static_cast<std::uint8_t>(h[i]) : std::uint8_t{0}; };
  BankHeader header;
  header.offset = offset;
  header.id = h.substr(0, 4);
  header.chunkSize = BigEndianValue(h.size() > 4 ? h.substr(4, 4) : std::string());
  header.checkSum = byte(11);
  header.patchCount = byte(15);
  header.patchSize = (std::int64_t{byte(18)} << 8) | byte(19);
  header.typeCode = h.size() > 20 ? h.substr(20, 4) : std::string();
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
  while (b >= 0 && b < n && BelongsToRun(BytesText(image, b, 4), kind)) {
    banks.push_back(b);
    const std::int64_t next = b + kChunkHeaderSize + NumberAt(image, b + 4);
    if (next <= b) break;
    b = next;
  }
  return banks;
}

std::int64_t SetListBankOffset(Image image, std::int64_t sls1) {
  const std::int64_t c2 = sls1 + 24;
  const std::int64_t c3 = c2 + kChunkHeaderSize + NumberAt(image, sls1 + 28);
  const std::int64_t bank = c3 + kChunkHeaderSize;
  return BytesText(image, bank, 4) == "SBK1" ? bank : -1;
}

}  // namespace patchlore
