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

// Program banks ("PBK1", "MBK1") by BankTypeCode.
constexpr std::string_view kProgBankTable =
    "; 00000000=I-A;  00000001=I-B;  00000002=I-C; 00000003=I-D;  00000004=I-E;  "
    "00008000=I-F;  06=GM;         07=g(1);       08=g(2);  09=g(3);       0A=g(4);       "
    "0B=g(5);  0C=g(6);       0D=g(7);       0E=g(8);  0F=g(9);       10=g(d);  00020000=U-A;  "
    "00020001=U-B;  00020002=U-C;  00020003=U-D;  00020004=U-E;  00020005=U-F;  00020006=U-G;  "
    "00020007=U-AA; 00020008=U-BB;  00020009=U-CC; 0002000A=U-DD; 0002000B=U-EE; 0002000C=U-FF; "
    "0002000D=U-GG; ; ";

// Combination, drum kit and wave sequence banks by BankTypeCode.
constexpr std::string_view kCombiBankTable =
    ";  00000000=I-A; 00000001=I-B; 00000002=I-C;  00000003=I-D; 00000004=I-E; 00000005=I-F;  "
    "00000006=I-G; 00020000=U-A; 00020001=U-B;  00020002=U-C; 00020003=U-D; 00020004=U-E;  "
    "00020005=U-F; 00020006=U-G;  ;";

// The engine of a program bank by its chunk ID.
constexpr std::string_view kBankEngineTable = "; MBK1=EXi; PBK1=HD-1;  ";

// BankTypeCode to the two-digit bank number used where programs are referred
// to by number.
constexpr std::string_view kBankCodeToNumberTable =
    "; 00000000=00; 00000001=01; 00000002=02;  00000003=03; 00000004=04; 00008000=05;  "
    "00020000=11; 00020001=12; 00020002=13;  00020003=14; 00020004=15; 00020005=16;  "
    "00020006=17; 00020007=18; 00020008=19;  00020009=1A; 0002000A=1B; 0002000B=1C;  "
    "0002000C=1D; 0002000D=1E; ; ";

// Two-digit bank number to bank name.
constexpr std::string_view kBankNumberTable =
    "; 00=I-A;  01=I-B;  02=I-C;  03=I-D;   04=I-E;  05=I-F;  06=GM;   07=g(1);   08=g(2); "
    "09=g(3); 0A=g(4); 0B=g(5);   0C=g(6); 0D=g(7); 0E=g(8); 0F=g(9);   10=g(d); 11=U-A;  "
    "12=U-B;  13=U-C;   14=U-D;  15=U-E;  16=U-F;  17=U-G;   18=U-AA; 19=U-BB; 1A=U-CC; "
    "1B=U-DD;   1C=U-EE; 1D=U-FF; 1E=U-GG;   ;";

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
// "HD-1" for "PBK1", "EXi" for "MBK1", else the ID itself.
std::string BankEngine(std::string_view id);

// Which chunks a run of banks takes, by the ID of its parent chunk.
enum class BankRunKind { Programs, Combinations, DrumKitsOrWaveSequences };

// Offsets of the banks of the parent chunk at parent: from parent + 12 while
// the ID belongs to the run; a size that does not move forward ends the run.
std::vector<std::int64_t> BankRun(Image image, std::int64_t parent, BankRunKind kind);

// The set list bank of the "SLS1" chunk at sls1: the first child of the chunk
// after the first grandchild, when its ID is "SBK1"; -1 otherwise.
std::int64_t SetListBankOffset(Image image, std::int64_t sls1);

}  // namespace patchlore
