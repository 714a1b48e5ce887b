// Checking the checksums of a PCG image without changing it: every bank chunk
// and the global chunk keep at +11 the sum of their payload, and a bank keeps
// a copy of it in its INI2 record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/bytes.hpp"
#include "common/result.hpp"

namespace patchlore {

// What the INI2 chunk holds for a chunk.
enum class Ini2Copy {
  Found,     // the record's copy, in ini2Value
  NoIni2,    // the file has no INI2 chunk
  NoRecord,  // INI2 holds no record with the bank's key
  NotKept,   // the global chunk has no record
};

struct ChecksumCheck {
  std::string id;        // "PBK1", "MBK1", "CBK1", "DBK1", "WBK1", "SBK1" or "GLB1"
  std::string name;      // the bank's name ("I-A", "U-G" ...); "Global" for GLB1
  std::int64_t offset = 0;
  std::uint8_t stored = 0;    // the byte at +11
  std::uint8_t computed = 0;  // CheckBytes
  Ini2Copy ini2 = Ini2Copy::NotKept;
  std::uint8_t ini2Value = 0;

  // The stored byte equals the sum, and so does the INI2 copy when there is one.
  bool ok() const { return stored == computed && (ini2 != Ini2Copy::Found || ini2Value == stored); }
};

// One check per bank chunk and one for GLB1, in the order of the file. A
// failure when the image is not a PCG ("KORG" header, then "PCG1") or not a
// whole one (CheckPcgLength's error).
Result<std::vector<ChecksumCheck>> VerifyChecksums(Image image);

// «PBK1 I-A at 0000A1B4: stored 3F, sum 3F, INI2 3F: OK»; the INI2 part reads
// «INI2 missing» or «INI2 record missing», and is left out for GLB1.
std::string VerifyLine(const ChecksumCheck& check);

}  // namespace patchlore
