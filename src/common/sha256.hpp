// SHA-256 of a byte run, for telling files apart by their contents.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace patchlore {

using Sha256Digest = std::array<std::uint8_t, 32>;

// Feed the bytes in as many pieces as wanted, then take the digest once.
class Sha256 {
 public:
  Sha256();
  void add(std::span<const std::uint8_t> bytes);
  Sha256Digest finish();

 private:
  void compress(const std::uint8_t* block);

  std::array<std::uint32_t, 8> state_;
  std::array<std::uint8_t, 64> block_{};
  std::size_t used_ = 0;
  std::uint64_t length_ = 0;
};

Sha256Digest Sha256Of(std::span<const std::uint8_t> bytes);
// 64 lowercase hexadecimal digits, as sha256sum writes them.
std::string Sha256Hex(const Sha256Digest& digest);

}  // namespace patchlore
