#include "support/sysex_builder.hpp"

namespace patchlore::test {

namespace {
constexpr std::uint8_t kHeader[] = {0xF0, 0x42, 0x30, 0x19};
constexpr std::uint8_t kEnd = 0xF7;
}  // namespace

Bytes M1Message(std::uint8_t function, const Bytes& body) {
  Bytes message(std::begin(kHeader), std::end(kHeader));
  message.push_back(function);
  message.insert(message.end(), body.begin(), body.end());
  message.push_back(kEnd);
  return message;
}

Bytes M1Dump(std::uint8_t function, const Bytes& body, std::size_t length) {
  Bytes message = M1Message(function, body);
  message.pop_back();
  if (message.size() < length - 1) message.resize(length - 1, 0x00);
  message.push_back(kEnd);
  return message;
}

Bytes Pack7Bit(std::string_view data) {
  Bytes packed;
  for (std::size_t group = 0; group < data.size(); group += 7) {
    const std::size_t top = packed.size();
    packed.push_back(0);
    for (std::size_t k = 0; k < 7 && group + k < data.size(); ++k) {
      const auto byte = static_cast<std::uint8_t>(data[group + k]);
      if (byte & 0x80) packed[top] = static_cast<std::uint8_t>(packed[top] | (1u << k));
      packed.push_back(byte & 0x7F);
    }
  }
  return packed;
}

}  // namespace patchlore::test
