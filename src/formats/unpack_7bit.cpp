#include "formats/unpack_7bit.hpp"

#include <algorithm>

#include "formats/m1_sysex_layout.hpp"

namespace patchlore {

std::string Unpack7Bit(Image packed, std::size_t most) {
  using m1_sysex_layout::kPackGroup;
  std::string out;
  for (std::size_t group = 0; group < packed.size() && out.size() < most; group += kPackGroup) {
    const std::uint8_t topBits = packed[group];
    const std::size_t end = std::min(packed.size(), group + kPackGroup);
    for (std::size_t at = group + 1; at < end && out.size() < most; ++at) {
      const bool flagged = ((topBits >> (at - group - 1)) & 1) != 0;
      const std::uint8_t value = flagged ? static_cast<std::uint8_t>((packed[at] & 0x7F) | 0x80) : packed[at];
      out.push_back(static_cast<char>(value));
    }
  }
  return out;
}

}  // namespace patchlore
