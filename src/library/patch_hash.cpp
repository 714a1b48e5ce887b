#include "library/patch_hash.hpp"

#include <bit>
#include <cstring>

namespace patchlore {

namespace {

constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;
constexpr std::uint64_t kPrime3 = 0x165667B19E3779F9ULL;
constexpr std::uint64_t kPrime4 = 0x85EBCA77C2B2AE63ULL;
constexpr std::uint64_t kPrime5 = 0x27D4EB2F165667C5ULL;
constexpr std::size_t kStripe = 32;

// Words are taken little-endian, whatever the machine's byte order.
std::uint64_t Read64(const std::uint8_t* p) {
  std::uint64_t value = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&value, p, sizeof value);
  } else {
    for (int i = 7; i >= 0; --i) value = (value << 8) | p[i];
  }
  return value;
}
std::uint64_t Read32(const std::uint8_t* p) {
  return std::uint64_t{p[0]} | std::uint64_t{p[1]} << 8 | std::uint64_t{p[2]} << 16 | std::uint64_t{p[3]} << 24;
}

std::uint64_t Round(std::uint64_t lane, std::uint64_t input) {
  return std::rotl(lane + input * kPrime2, 31) * kPrime1;
}
std::uint64_t Merge(std::uint64_t hash, std::uint64_t lane) {
  return (hash ^ Round(0, lane)) * kPrime1 + kPrime4;
}

// The sum of the four lanes after every whole stripe; p moves past them.
std::uint64_t Stripes(const std::uint8_t*& p, const std::uint8_t* end, std::uint64_t seed) {
  std::uint64_t v1 = seed + kPrime1 + kPrime2;
  std::uint64_t v2 = seed + kPrime2;
  std::uint64_t v3 = seed;
  std::uint64_t v4 = seed - kPrime1;
  for (; end - p >= static_cast<std::ptrdiff_t>(kStripe); p += kStripe) {
    v1 = Round(v1, Read64(p));
    v2 = Round(v2, Read64(p + 8));
    v3 = Round(v3, Read64(p + 16));
    v4 = Round(v4, Read64(p + 24));
  }
  std::uint64_t hash = std::rotl(v1, 1) + std::rotl(v2, 7) + std::rotl(v3, 12) + std::rotl(v4, 18);
  for (const std::uint64_t lane : {v1, v2, v3, v4}) hash = Merge(hash, lane);
  return hash;
}

std::uint64_t Tail(std::uint64_t hash, const std::uint8_t* p, const std::uint8_t* end) {
  for (; end - p >= 8; p += 8) hash = std::rotl(hash ^ Round(0, Read64(p)), 27) * kPrime1 + kPrime4;
  if (end - p >= 4) {
    hash = std::rotl(hash ^ (Read32(p) * kPrime1), 23) * kPrime2 + kPrime3;
    p += 4;
  }
  for (; p < end; ++p) hash = std::rotl(hash ^ (*p * kPrime5), 11) * kPrime1;
  return hash;
}

std::uint64_t Avalanche(std::uint64_t hash) {
  hash = (hash ^ (hash >> 33)) * kPrime2;
  hash = (hash ^ (hash >> 29)) * kPrime3;
  return hash ^ (hash >> 32);
}

}  // namespace

std::uint64_t Hash64(Image bytes, std::uint64_t seed) {
  const std::uint8_t* p = bytes.data();
  const std::uint8_t* end = p + bytes.size();
  std::uint64_t hash = bytes.size() >= kStripe ? Stripes(p, end, seed) : seed + kPrime5;
  hash += bytes.size();
  return Avalanche(Tail(hash, p, end));
}

}  // namespace patchlore
