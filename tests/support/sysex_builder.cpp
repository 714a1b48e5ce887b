#include "support/sysex_builder.hpp"

#include <stdexcept>

namespace patchlore::test {

namespace {
constexpr std::uint8_t kHeader[] = {0xF0, 0x42, 0x30, 0x19};
constexpr std::uint8_t kEnd = 0xF7;
constexpr std::size_t kNameWidth = 10;

struct DumpShape {
  std::uint8_t function;
  std::size_t recordSize;
  std::size_t length;
  bool all;
};

constexpr DumpShape kShapes[] = {
    {0x40, 143, 170, false}, {0x49, 124, 148, false}, {0x4C, 143, 16350, true}, {0x4D, 124, 14179, true}};
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

std::string M1Records(const std::vector<std::string>& names, std::size_t recordSize) {
  std::string data;
  for (std::size_t k = 0; k < names.size(); ++k) {
    std::string record = names[k].substr(0, kNameWidth);
    record.resize(kNameWidth, ' ');
    for (std::size_t at = kNameWidth; at < recordSize; ++at)
      record.push_back(static_cast<char>((k * 7 + at * 13) & 0xFF));
    data += record;
  }
  return data;
}

std::vector<std::string> M1Names(std::string_view prefix) {
  std::vector<std::string> names;
  for (int k = 0; k < 100; ++k) names.push_back(std::string(prefix) + " " + (k < 10 ? "0" : "") + std::to_string(k));
  return names;
}

Bytes M1PatchDump(std::uint8_t function, const std::vector<std::string>& names) {
  for (const DumpShape& shape : kShapes) {
    if (shape.function != function) continue;
    Bytes body = shape.all ? Bytes{0x00} : Bytes{};
    const Bytes packed = Pack7Bit(M1Records(names, shape.recordSize));
    body.insert(body.end(), packed.begin(), packed.end());
    return M1Dump(function, body, shape.length);
  }
  throw std::invalid_argument("not an M1 dump function");
}

}  // namespace patchlore::test
