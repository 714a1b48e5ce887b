#include "common/sha256.hpp"

#include <gtest/gtest.h>

#include <string_view>

namespace patchlore {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(Sha256, KnownDigestsWholeAndInPieces) {
  EXPECT_EQ(Sha256Hex(Sha256Of({})), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Sha256Hex(Sha256Of(Bytes("abc"))), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  const std::string_view two = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
  Sha256 pieces;
  for (std::size_t at = 0; at < two.size(); at += 5) pieces.add(Bytes(two.substr(at, 5)));
  EXPECT_EQ(Sha256Hex(pieces.finish()), "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  const std::string million(1000000, 'a');
  EXPECT_EQ(Sha256Hex(Sha256Of(Bytes(million))), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

}  // namespace
}  // namespace patchlore
