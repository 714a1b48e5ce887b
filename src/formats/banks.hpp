// Bank chunks: a chunk whose header carries the patch count, the patch size
// and a 32-bit code that names the bank, followed by the patches.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.hpp"
#include "formats/bank_layout.hpp"

namespace patchlore {

constexpr std::int64_t kBankHeaderSize = bank_layout::kHeaderSize;

// A bank header as it is read once. A header cut by the end of the image
// reads its missing bytes as 0 (the full 32-bit fields take the bytes left).
struct BankHeader {
  std::int64_t offset = 0;   // offsetBank
  std::string id;            // chunk ID, e.g. "PBK1"
  std::int32_t chunkSize = 0;
  std::uint8_t checkSum = 0;
  std::int64_t patchCount = 0;      // the count's last byte: what kind banks use
  std::int64_t patchSize = 0;       // the size's last two bytes: what kind banks use
  std::int32_t patchCountField = 0; // the whole 32-bit count, as the set list bank keeps it
  std::int32_t patchSizeField = 0;  // the whole 32-bit size, as the set list bank and program names use it
  std::string typeCode;             // the four raw bytes of the code

  std::string typeCodeHex() const { return HexText(typeCode); }
  std::int64_t patchOffset(std::int64_t patch) const {
    return offset + kBankHeaderSize + patch * patchSize;
  }
};

// Reads the header of the bank at offset (clipped to the image).
BankHeader ReadBankHeader(Image image, std::int64_t offset);

// The bank's name: ProgBankTable for "PBK1" and "MBK1", CombiBankTable for
// the others; a code in no table shows as its eight hex digits.
std::string BankName(std::string_view id, std::string_view typeCode);
std::string ProgBankName(std::string_view typeCode);
std::string CombiBankName(std::string_view typeCode);

// The two-digit bank number by which programs are referred to, from the hex
// digits of a BankTypeCode ("00020000" gives "11"); the digits themselves
// when the code has no number.
std::string BankNumberOfCode(std::string_view typeCodeHex);
// The name of a two-digit bank number ("11" gives "U-A", "06" "GM"); the
// number itself when it has no name.
std::string BankNameOfNumber(std::string_view number);
// "HD-1" for "PBK1", "EXi" for "MBK1", else the ID itself.
std::string BankEngine(std::string_view id);

// Which chunks a run of banks takes, by the ID of its parent chunk.
enum class BankRunKind { Programs, Combinations, DrumKitsOrWaveSequences };

// Offsets of the banks of the parent chunk at parent: from parent + 12 while
// the ID belongs to the run; a size that does not move forward ends the run.
std::vector<std::int64_t> BankRun(Image image, std::int64_t parent, BankRunKind kind);

// Where the set list bank of the "SLS1" chunk at sls1 lies: the first child
// of the chunk after the first grandchild; its ID is not compared.
std::int64_t SetListBankPosition(Image image, std::int64_t sls1);
// That position when the ID there is "SBK1"; -1 otherwise.
std::int64_t SetListBankOffset(Image image, std::int64_t sls1);

}  // namespace patchlore
