#include "sysex/sysex_collector.hpp"

namespace patchlore {

namespace {
constexpr std::uint8_t kSysexStart = 0xF0;
constexpr std::uint8_t kSysexEnd = 0xF7;
constexpr std::uint8_t kFirstRealtime = 0xF8;
constexpr std::uint8_t kFirstStatus = 0x80;
}  // namespace

void SysexCollector::feed(std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t byte : bytes) {
    if (byte >= kFirstRealtime) continue;
    if (byte == kSysexStart) {
      open_.assign(1, byte);
    } else if (open_.empty()) {
      continue;  // outside a message: channel data or another status
    } else if (byte == kSysexEnd) {
      open_.push_back(byte);
      messages_.insert(messages_.end(), open_.begin(), open_.end());
      open_.clear();
      ++count_;
    } else if (byte >= kFirstStatus) {
      open_.clear();  // a status byte cuts the message short
    } else {
      open_.push_back(byte);
    }
  }
}

}  // namespace patchlore
