#include "banks/bank_list.hpp"

#include "common/byte_reader.hpp"
#include "formats/bank_layout.hpp"
#include "formats/banks.hpp"
#include "formats/chunks.hpp"

namespace patchlore {

std::vector<ListedBank> ListProgramAndCombinationBanks(Image image) {
  std::vector<ListedBank> banks;
  const std::int64_t size = std::ssize(image);
  for (std::int64_t o = kFirstPcgChild; o >= kFirstPcgChild && o < size - 1;) {
    const std::string_view id = ReadClippedBytes(image, o, bank_layout::kIdWidth);
    if (id == "PRG1")
      for (const std::int64_t b : BankRun(image, o, BankRunKind::Programs)) banks.push_back({b, false});
    if (id == "CMB1")
      for (const std::int64_t b : BankRun(image, o, BankRunKind::Combinations)) banks.push_back({b, true});
    const std::int64_t next = o + kChunkHeaderSize + ReadClippedS32BE(image, o + bank_layout::kChunkSize);
    if (next <= o) break;
    o = next;
  }
  return banks;
}

}  // namespace patchlore
