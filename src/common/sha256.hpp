// SHA-256 of a byte run, for telling files apart by their contents;
// libcrypto computes it, with the processor's SHA instructions where it has
// them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "common/result.hpp"

namespace patchlore {

using Sha256Digest = std::array<std::uint8_t, 32>;

// Fails only when libcrypto cannot set itself up (no memory, no digest).
Result<Sha256Digest> Sha256Of(std::span<const std::uint8_t> bytes);
// 64 lowercase hexadecimal digits, as sha256sum writes them.
std::string Sha256Hex(const Sha256Digest& digest);

}  // namespace patchlore
