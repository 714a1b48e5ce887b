#include "library/m1_patch_walk.hpp"

#include <charconv>

#include "common/cp1251.hpp"
#include "formats/m1_patch_layout.hpp"
#include "formats/m1_patches.hpp"
#include "formats/sysex_scan.hpp"
#include "library/patch_hash.hpp"
#include "library/patch_walk.hpp"

namespace patchlore {

namespace {

Image BytesOf(std::string_view text) { return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}; }

// As the patches of a PCG: the sound hash leaves the name out, the whole
// hash adds it.
void HashRecord(std::string_view record, LibraryPatch& patch) {
  const std::string_view before = record.substr(0, m1_patch_layout::kName);
  const std::string_view name = record.substr(m1_patch_layout::kName, m1_patch_layout::kNameWidth);
  const std::string_view after = record.substr(std::min(m1_patch_layout::kNameEnd, record.size()));
  patch.soundHash = Hash64(BytesOf(after), Hash64(BytesOf(before)));
  patch.hash = Hash64(BytesOf(name), patch.soundHash);
}

void AddDump(const M1Dump& dump, std::size_t message, std::vector<LibraryPatch>& patches) {
  const PatchKind kind = dump.kind == M1PatchKind::Program ? PatchKind::M1Program : PatchKind::M1Combination;
  const std::string bank = std::to_string(message);
  for (std::size_t k = 0; k < dump.count(); ++k) {
    LibraryPatch patch{.kind = static_cast<char>(kind),
                       .bank = bank,
                       .number = static_cast<int>(k),
                       .key = Concat({bank, ":", ZeroPad(static_cast<std::int64_t>(k), 2)}),
                       .name = Cp1251ToUtf8(dump.name(k)),
                       .size = static_cast<std::int64_t>(dump.recordSize)};
    HashRecord(dump.record(k), patch);
    patches.push_back(std::move(patch));
  }
}

std::optional<std::size_t> NumberOf(std::string_view text) {
  std::size_t n = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return n;
}

}  // namespace

std::vector<LibraryPatch> M1PatchesOf(Image messages) {
  std::vector<LibraryPatch> patches;
  const SysexScan scan(messages);
  for (std::int64_t m = 0; m < scan.count(); ++m)
    if (const std::optional<M1Dump> dump = UnpackM1Dump(scan.bytes(m)))
      AddDump(*dump, static_cast<std::size_t>(m), patches);
  return patches;
}

std::optional<M1PatchPlace> M1PatchPlaceOf(const std::string& key) {
  const std::size_t colon = key.find(':');
  if (colon == std::string::npos) return std::nullopt;
  const auto message = NumberOf(std::string_view(key).substr(0, colon));
  const auto patch = NumberOf(std::string_view(key).substr(colon + 1));
  if (!message || !patch) return std::nullopt;
  return M1PatchPlace{*message, *patch};
}

}  // namespace patchlore
