#include "formats/verify.hpp"

#include "common/byte_reader.hpp"
#include "formats/bank_layout.hpp"
#include "formats/banks.hpp"
#include "formats/checksums.hpp"
#include "formats/chunks.hpp"
#include "formats/ini2_layout.hpp"

namespace patchlore {

namespace {

ChecksumCheck CheckOf(Image image, std::int64_t offset, std::string name) {
  ChecksumCheck check;
  check.id = BytesText(image, offset + bank_layout::kId, bank_layout::kIdWidth);
  check.name = std::move(name);
  check.offset = offset;
  check.stored = ReadU8(image, offset + bank_layout::kChecksum).value_or(0);
  check.computed = CheckBytes(image, offset);
  return check;
}

ChecksumCheck BankCheck(Image image, std::int64_t offset, bool hasIni2) {
  const BankHeader header = ReadBankHeader(image, offset);
  ChecksumCheck check = CheckOf(image, offset, BankName(header.id, header.typeCode));
  check.ini2 = Ini2Copy::NoIni2;
  if (!hasIni2) return check;
  const auto record = FindIni2Record(image, BankKey(image, offset));
  check.ini2 = record ? Ini2Copy::Found : Ini2Copy::NoRecord;
  if (record) check.ini2Value = ReadU8(image, *record + ini2_layout::kChecksumCopy).value_or(0);
  return check;
}

void AddBanks(Image image, std::int64_t chunk, const std::string& id, bool hasIni2,
              std::vector<ChecksumCheck>& checks) {
  std::vector<std::int64_t> banks;
  if (id == "SLS1") {
    if (const std::int64_t bank = SetListBankOffset(image, chunk); bank >= 0) banks.push_back(bank);
  } else if (id == "PRG1") {
    banks = BankRun(image, chunk, BankRunKind::Programs);
  } else if (id == "CMB1") {
    banks = BankRun(image, chunk, BankRunKind::Combinations);
  } else if (id == "DKT1" || id == "WSQ1") {
    banks = BankRun(image, chunk, BankRunKind::DrumKitsOrWaveSequences);
  }
  for (const std::int64_t bank : banks) checks.push_back(BankCheck(image, bank, hasIni2));
}

std::string Ini2Text(const ChecksumCheck& check) {
  switch (check.ini2) {
    case Ini2Copy::Found: return ", INI2 " + HexPad(check.ini2Value, 2);
    case Ini2Copy::NoIni2: return ", INI2 missing";
    case Ini2Copy::NoRecord: return ", INI2 record missing";
    case Ini2Copy::NotKept: break;
  }
  return "";
}

}  // namespace

Result<std::vector<ChecksumCheck>> VerifyChecksums(Image image) {
  if (BytesText(image, 0, kChunkIdWidth) != "KORG" || BytesText(image, kPcg1Offset, kChunkIdWidth) != "PCG1")
    return Failure{"not a PCG file (no KORG header and PCG1 chunk)"};
  // A cut or padded file would give the checks of what is left and look sound.
  if (Status length = CheckPcgLength(image); !length) return length.failure();
  const bool hasIni2 = FindChunk("INI2", image) >= 0;
  std::vector<ChecksumCheck> checks;
  for (ChunkWalker walk(image, kFirstPcgChild); walk.atChunk(); walk.next()) {
    const std::string id = walk.id();
    if (id == "GLB1") checks.push_back(CheckOf(image, walk.offset(), "Global"));
    else AddBanks(image, walk.offset(), id, hasIni2, checks);
  }
  return checks;
}

std::string VerifyLine(const ChecksumCheck& check) {
  return check.id + " " + check.name + " at " + Hex8(check.offset) + ": stored " + HexPad(check.stored, 2) +
         ", sum " + HexPad(check.computed, 2) + Ini2Text(check) + ": " + (check.ok() ? "OK" : "MISMATCH");
}

}  // namespace patchlore
