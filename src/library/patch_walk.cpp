#include "library/patch_walk.hpp"

#include <algorithm>

#include "workspace/catalogue.hpp"
#include "workspace/pcg_banks.hpp"
#include "formats/bank_layout.hpp"
#include "formats/banks.hpp"
#include "formats/chunks.hpp"
#include "formats/program_keys.hpp"
#include "formats/set_list_record.hpp"
#include "formats/sng.hpp"
#include "formats/song_record.hpp"
#include "library/patch_hash.hpp"

namespace patchlore {

namespace {

constexpr std::int64_t kNameWidth = bank_layout::kPatchNameWidth;

// The bytes from offset on, at most size of them, that lie inside the image.
std::int64_t SizeInside(Image image, std::int64_t offset, std::int64_t size) {
  const auto n = static_cast<std::int64_t>(image.size());
  if (offset < 0 || offset >= n || size <= 0) return 0;
  return std::min(size, n - offset);
}

// The sound hash leaves the name out: it hashes the bytes after the name
// seeded with the hash of those before it. The whole hash adds the name.
void HashPatch(Image image, PatchEntry& patch) {
  const Image bytes = PatchBytes(image, patch);
  const auto size = static_cast<std::int64_t>(bytes.size());
  const std::int64_t nameStart = patch.nameOffset < 0 ? size : std::min(patch.nameOffset, size);
  const std::int64_t nameEnd = std::min(nameStart + kNameWidth, size);
  const auto part = [&bytes](std::int64_t from, std::int64_t to) {
    return bytes.subspan(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
  };
  patch.soundHash = Hash64(part(nameEnd, size), Hash64(part(0, nameStart)));
  patch.hash = Hash64(part(nameStart, nameEnd), patch.soundHash);
}

class PatchCollector {
 public:
  explicit PatchCollector(Image image) : image_(image) {}

  void bank(const PcgBank& bank) {
    switch (bank.content) {
      case BankContent::SetLists: return setLists(bank.offset);
      case BankContent::Programs: return patches(bank.offset, PatchKind::Program);
      case BankContent::Combinations: return patches(bank.offset, PatchKind::Combination);
      case BankContent::DrumKits: return patches(bank.offset, PatchKind::DrumKit);
      case BankContent::WaveSequences: return patches(bank.offset, PatchKind::WaveSequence);
    }
  }

  void song(std::int64_t chunk, std::int64_t number) {
    const SongFacts facts = DecodeSong(image_, chunk);
    const std::int64_t size = kChunkHeaderSize + ReadClippedS32BE(image_, chunk + kChunkSizeField);
    add({.kind = PatchKind::Song,
         .bank = "Song",
         .number = number,
         .key = SongLabel(facts),
         .name = TrimRight(NameText(facts.name)),
         .catalogueObject = chunk,
         .offset = chunk,
         .size = SizeInside(image_, chunk, size),
         .nameOffset = facts.nameOffset < 0 ? -1 : facts.nameOffset - chunk});
  }

  std::vector<PatchEntry> take() { return std::move(patches_); }

 private:
  // The patches of a bank whose first bytes lie inside the image.
  void patches(std::int64_t offset, PatchKind kind) {
    const BankHeader header = ReadBankHeader(image_, offset);
    const std::string bankName =
        kind == PatchKind::Program ? ProgramBankKeyName(header) : CombiBankName(header.typeCode);
    for (std::int64_t j = 0; j < header.patchCount; ++j) {
      const std::int64_t start = header.patchOffset(j);
      if (start >= static_cast<std::int64_t>(image_.size())) break;
      add({.kind = kind,
           .bank = bankName,
           .number = j,
           .key = PatchKey(bankName, j),
           .name = nameAt(start),
           .catalogueObject = offset,
           .offset = start,
           .size = SizeInside(image_, start, header.patchSize)});
    }
  }

  void setLists(std::int64_t sls1) {
    const SetListBankFacts bank = DecodeSetListBank(image_, sls1);
    const std::int64_t listable = bank.listable(image_);  // bounded by the image
    for (std::int64_t j = 0; j < listable; ++j) {
      const std::int64_t start = bank.setListOffset(j);
      add({.kind = PatchKind::SetList,
           .bank = "SetList",
           .number = j,
           .key = ZeroPad(j, 3),
           .name = nameAt(start),
           .catalogueObject = sls1,
           .offset = start,
           .size = SizeInside(image_, start, bank.size)});
    }
  }

  std::string nameAt(std::int64_t start) const {
    return TrimRight(NameText(ReadClippedBytes(image_, start + bank_layout::kPatchName, kNameWidth)));
  }

  void add(PatchEntry patch) {
    HashPatch(image_, patch);
    patches_.push_back(std::move(patch));
  }

  Image image_;
  std::vector<PatchEntry> patches_;
};

Result<std::vector<PatchEntry>> WalkSongs(Image image, const std::string& fileNameForErrors) {
  const Result<std::int64_t> sng1 = SongsChunk(image, fileNameForErrors);
  if (!sng1) return sng1.failure();
  PatchCollector collector(image);
  std::int64_t k = 0;
  for (const std::int64_t chunk : SongChunkOffsets(image, *sng1)) collector.song(chunk, k++);
  return collector.take();
}

}  // namespace

Image PatchBytes(Image image, const PatchEntry& patch) {
  const std::int64_t size = SizeInside(image, patch.offset, patch.size);
  if (size == 0) return {};
  return image.subspan(static_cast<std::size_t>(patch.offset), static_cast<std::size_t>(size));
}

Result<std::vector<PatchEntry>> WalkPatches(Image image, FileKind kind, const std::string& fileNameForErrors) {
  if (kind == FileKind::Sng) return WalkSongs(image, fileNameForErrors);
  if (kind != FileKind::Pcg) return Failure{fileNameForErrors + " is not a PCG or SNG file"};
  PatchCollector collector(image);
  const Status walked = WalkPcgBanks(image, [&collector](const PcgBank& bank) { collector.bank(bank); });
  if (!walked) return walked.failure();
  return collector.take();
}

Result<std::vector<PatchEntry>> WalkPatches(const Registry& registry, int index) {
  return WalkPatches(registry.image(index), registry.kind(index), registry.name(index));
}

}  // namespace patchlore
