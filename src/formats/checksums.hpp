// Bank checksums. Every bank chunk keeps at +11 the sum, modulo 256, of its
// whole payload (every byte after its 12-byte chunk header: the patch count,
// the patch size, the type code and all patches), and a copy of that byte in
// its record of the INI2 chunk. The instrument refuses a bank whose byte is
// wrong, so every command that changes a bank stores the sum anew.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/bytes.hpp"
#include "common/image_writer.hpp"

namespace patchlore {

// The sum modulo 256 of the bytes from max(start, 0) to
// min(start + length, size) - 1; 0 for an empty run.
std::uint8_t SumBytes(Image image, std::int64_t start, std::int64_t length);

// The checksum a bank chunk must hold: the sum of its payload, clipped to
// the chunk (its size field) and to the image. For a bank of 128 patches of
// 4,960 bytes this equals the sum of the type code and the patches minus 13.
std::uint8_t CheckBytes(Image image, std::int64_t offsetBank);

// The sum of the four type code bytes of the bank, modulo 256.
std::uint8_t SumBank(Image image, std::int64_t offsetBank);

// old - sum(removed) + sum(added), with the truncating remainder: the result
// lies in -255..255 and keeps the sign of the difference. The byte stored is
// its low 8 bits.
int AdjustCheckSum(int old, std::string_view removed, std::string_view added);

// The INI2 record of a bank: the first occurrence of its 8-byte key (chunk
// ID, type code) in the INI2 chunk, its 12-byte header included; nothing
// without INI2 or without the key.
std::optional<std::int64_t> FindIni2Record(Image image, std::string_view key);

// The key of the bank at offsetBank as it stands: its chunk ID and type code.
std::string BankKey(Image image, std::int64_t offsetBank);

// What StoreCheckSum wrote into the INI2 chunk.
enum class Ini2Store {
  Written,         // the record's copy (and, when asked, its chunk ID)
  Missing,         // the file has no INI2 chunk
  NoRecord,        // INI2 holds no record with the key
  OutsideChunk,    // the record's bytes would lie outside INI2 or the image: nothing written there
};

struct ChecksumStore {
  bool headerWritten = false;  // false when the bank's byte +11 lies outside the image
  Ini2Store ini2 = Ini2Store::Missing;
};

// Writes value into the bank's byte +11 and into the INI2 record found by
// key, whose chunk ID becomes newId when one is given. Every write is
// checked first: a write that would fall outside the image (or, in INI2,
// outside the INI2 chunk) is not made, and the result says so.
ChecksumStore StoreCheckSum(ImageWriter& image, std::int64_t offsetBank, std::string_view key,
                            std::uint8_t value, std::optional<std::string_view> newId = std::nullopt);

}  // namespace patchlore
