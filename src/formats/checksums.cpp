#include "formats/checksums.hpp"

#include <algorithm>

#include "common/byte_reader.hpp"
#include "formats/bank_layout.hpp"
#include "formats/chunks.hpp"
#include "formats/ini2_layout.hpp"

namespace patchlore {

namespace {

std::int64_t SizeOf(Image image) { return static_cast<std::int64_t>(image.size()); }

// True when the run start .. start + length - 1 lies inside first .. end - 1.
bool Inside(std::int64_t start, std::int64_t length, std::int64_t first, std::int64_t end) {
  return start >= first && length >= 0 && start <= end - length;
}

}  // namespace

std::uint8_t SumBytes(Image image, std::int64_t start, std::int64_t length) {
  if (length <= 0) return 0;
  const std::int64_t first = std::max<std::int64_t>(start, 0);
  const std::int64_t end = std::min(start + length, SizeOf(image));
  unsigned sum = 0;
  for (std::int64_t i = first; i < end; ++i) sum += image[static_cast<std::size_t>(i)];
  return static_cast<std::uint8_t>(sum);
}

std::uint8_t CheckBytes(Image image, std::int64_t offsetBank) {
  const std::int64_t payload = offsetBank + kChunkHeaderSize;
  return SumBytes(image, payload, ReadClippedS32BE(image, offsetBank + bank_layout::kChunkSize));
}

std::uint8_t SumBank(Image image, std::int64_t offsetBank) {
  return SumBytes(image, offsetBank + bank_layout::kTypeCode, bank_layout::kTypeCodeWidth);
}

int AdjustCheckSum(int old, std::string_view removed, std::string_view added) {
  int value = old;
  for (const char c : removed) value = (value - static_cast<std::uint8_t>(c)) % 256;
  for (const char c : added) value = (value + static_cast<std::uint8_t>(c)) % 256;
  return value;
}

std::optional<std::int64_t> FindIni2Record(Image image, std::string_view key) {
  const std::int64_t ini = FindChunk("INI2", image);
  if (ini < 0) return std::nullopt;
  const std::int64_t length = std::int64_t{ReadClippedS32BE(image, ini + bank_layout::kChunkSize)} + kChunkHeaderSize;
  const std::string_view searched = ReadClippedBytes(image, ini, length);
  const auto at = searched.find(key);
  if (key.empty() || at == std::string_view::npos) return std::nullopt;
  return ini + static_cast<std::int64_t>(at);
}

std::string BankKey(Image image, std::int64_t offsetBank) {
  return std::string(ReadClippedBytes(image, offsetBank + bank_layout::kId, bank_layout::kIdWidth)) +
         std::string(ReadClippedBytes(image, offsetBank + bank_layout::kTypeCode, bank_layout::kTypeCodeWidth));
}

ChecksumStore StoreCheckSum(ImageWriter& image, std::int64_t offsetBank, std::string_view key,
                            std::uint8_t value, std::optional<std::string_view> newId) {
  ChecksumStore store;
  const Image view = image.image();
  const std::int64_t size = SizeOf(view);
  const std::int64_t header = offsetBank + bank_layout::kChecksum;
  if (Inside(header, 1, 0, size)) {
    image.write(header, value);
    store.headerWritten = true;
  }
  const std::int64_t ini = FindChunk("INI2", view);
  if (ini < 0) return store;
  const auto record = FindIni2Record(view, key);
  if (!record) {
    store.ini2 = Ini2Store::NoRecord;
    return store;
  }
  const std::int64_t chunkEnd =
      std::min(size, ini + kChunkHeaderSize + std::int64_t{ReadClippedS32BE(view, ini + bank_layout::kChunkSize)});
  const std::int64_t copy = *record + ini2_layout::kChecksumCopy;
  const bool idFits = !newId || (newId->size() == std::size_t(bank_layout::kIdWidth) &&
                                 Inside(*record, bank_layout::kIdWidth, ini, chunkEnd));
  if (!Inside(copy, 1, ini, chunkEnd) || !idFits) {
    store.ini2 = Ini2Store::OutsideChunk;
    return store;
  }
  if (newId) image.write(*record, *newId);
  image.write(copy, value);
  store.ini2 = Ini2Store::Written;
  return store;
}

}  // namespace patchlore
