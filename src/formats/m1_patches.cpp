#include "formats/m1_patches.hpp"

#include <cstdint>

#include "formats/m1_patch_layout.hpp"
#include "formats/m1_sysex_layout.hpp"
#include "formats/unpack_7bit.hpp"

namespace patchlore {

namespace {

namespace sysex = m1_sysex_layout;
namespace patch = m1_patch_layout;

struct DumpShape {
  std::uint8_t function;
  std::size_t length;  // of the whole message
  std::size_t dataStart;
  M1PatchKind kind;
  std::size_t recordSize;
};

constexpr DumpShape kShapes[] = {
    {sysex::kProgramDump, sysex::kProgramDumpLength, sysex::kPackedData, M1PatchKind::Program,
     patch::kProgramSize},
    {sysex::kCombinationDump, sysex::kCombinationDumpLength, sysex::kPackedData, M1PatchKind::Combination,
     patch::kCombinationSize},
    {sysex::kAllProgramDump, sysex::kAllProgramDumpLength, sysex::kAllDumpPackedData, M1PatchKind::Program,
     patch::kProgramSize},
    {sysex::kAllCombinationDump, sysex::kAllCombinationDumpLength, sysex::kAllDumpPackedData, M1PatchKind::Combination,
     patch::kCombinationSize},
};

bool IsM1Header(Image message) {
  return message.size() > sysex::kFunction && message.front() == sysex::kStartOfExclusive &&
         message.back() == sysex::kEndOfExclusive && message[sysex::kManufacturer] == sysex::kKorg &&
         message[sysex::kChannelByte] >= sysex::kChannelByteFirst &&
         message[sysex::kChannelByte] <= sysex::kChannelByteLast && message[sysex::kModel] == sysex::kModelM1;
}

}  // namespace

std::string_view M1PatchKindText(M1PatchKind kind) {
  return kind == M1PatchKind::Program ? "Program" : "Combination";
}

std::string_view M1Dump::record(std::size_t k) const {
  if (k >= count()) return {};
  return std::string_view(data).substr(k * recordSize, recordSize);
}

std::string M1Dump::name(std::size_t k) const {
  return TrimRight(NameText(record(k).substr(patch::kName, patch::kNameWidth)));
}

std::optional<M1Dump> UnpackM1Dump(Image message) {
  if (!IsM1Header(message)) return std::nullopt;
  for (const DumpShape& shape : kShapes) {
    if (shape.function != message[sysex::kFunction] || shape.length != message.size()) continue;
    // The closing $F7 is not data.
    const Image packed = message.subspan(shape.dataStart, message.size() - shape.dataStart - 1);
    return M1Dump{shape.kind, shape.recordSize, Unpack7Bit(packed)};
  }
  return std::nullopt;
}

}  // namespace patchlore
