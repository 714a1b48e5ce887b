#include "formats/sysex_scan.hpp"

#include <gtest/gtest.h>

#include <string>

#include "support/sysex_builder.hpp"

namespace patchlore {
namespace {

using test::Bytes;

// Each message as "offset+length", in file order; the plain count agrees.
std::string Messages(const Bytes& image) {
  const SysexScan scan(image);
  EXPECT_EQ(SysexCount(image), scan.count());
  std::string out;
  for (std::int64_t k = 0; k < scan.count(); ++k) {
    const SysexMessage m = scan.message(k);
    out += (out.empty() ? "" : " ") + std::to_string(m.offset) + "+" + std::to_string(m.length);
  }
  return out;
}

TEST(SysexScan, SplitsMessagesAndSkipsWhatLiesOutsideThem) {
  // Garbage and a stray $F7 before, between and after; two messages back to back.
  EXPECT_EQ(Messages({0x00, 0xF7, 0xF0, 0x41, 0xF7, 0xF0, 0xF7, 0x12, 0xF7, 0xF0, 0x01, 0x02, 0xF7, 0x55}),
            "2+3 5+2 9+4");
}

TEST(SysexScan, AnF0InsideAnOpenMessageIsData) {
  const Bytes image{0xF0, 0x41, 0xF0, 0x42, 0x30, 0x19, 0x21, 0xF7};
  EXPECT_EQ(Messages(image), "0+8");
  const SysexScan scan(image);
  EXPECT_EQ(Bytes(scan.bytes(0).begin(), scan.bytes(0).end()), image);
}

TEST(SysexScan, AnUnterminatedTailGivesNothing) {
  Bytes image = test::M1Message(0x21);
  image.insert(image.end(), {0x00, 0xF0, 0x42, 0x30});
  EXPECT_EQ(Messages(image), "0+6");
  EXPECT_EQ(Messages({0xF0, 0x01, 0x02}), "");
  EXPECT_EQ(Messages({0x7F, 0xF0}), "");
}

TEST(SysexScan, FilesWithoutAMessage) {
  EXPECT_EQ(Messages({}), "");
  EXPECT_EQ(Messages({0xF0}), "");
  EXPECT_EQ(Messages({0xF7}), "");
  EXPECT_EQ(Messages({0x4B, 0x4F, 0x52, 0x47, 0xF7, 0x00}), "");
}

TEST(SysexMessageAt, TheMessageFromAnF0ToTheNextF7) {
  const Bytes image = {0x00, 0xF0, 0x01, 0xF0, 0x02, 0xF7, 0xF0, 0x03};
  const auto At = [&image](std::int64_t offset) {
    const Image m = SysexMessageAt(image, offset);
    return Bytes(m.begin(), m.end());
  };
  EXPECT_EQ(At(1), (Bytes{0xF0, 0x01, 0xF0, 0x02, 0xF7}));
  EXPECT_EQ(At(3), (Bytes{0xF0, 0x02, 0xF7}));
  EXPECT_EQ(At(0), Bytes{});  // no $F0 there
  EXPECT_EQ(At(6), Bytes{});  // no $F7 after it
  EXPECT_EQ(At(-1), Bytes{});
  EXPECT_EQ(At(8), Bytes{});
}

}  // namespace
}  // namespace patchlore
