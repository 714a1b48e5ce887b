#include "library/program_usage.hpp"

#include <algorithm>
#include <cctype>

#include "workspace/catalogue.hpp"
#include "workspace/pcg_banks.hpp"
#include "common/byte_reader.hpp"
#include "formats/banks.hpp"
#include "formats/combination_record.hpp"
#include "formats/program_keys.hpp"
#include "formats/set_list_layout.hpp"
#include "formats/set_list_record.hpp"
#include "formats/sng.hpp"
#include "formats/song_layout.hpp"
#include "formats/song_record.hpp"

namespace patchlore {

namespace {

bool SameKey(std::string_view a, std::string_view b) {
  if (b == kEveryProgram) return true;
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
  });
}

void AddCombinationUses(Image pcg, const ModelConstants& model, std::int64_t offset, std::string_view key,
                        std::vector<ProgramUse>& uses) {
  const BankHeader bank = ReadBankHeader(pcg, offset);
  const std::string bankName = CombiBankName(bank.typeCode);
  for (std::int64_t j = 0; j < bank.patchCount; ++j) {
    const std::int64_t start = bank.patchOffset(j);
    if (start >= static_cast<std::int64_t>(pcg.size())) break;
    const CombinationFacts combination = DecodeCombination(pcg, start, model);
    for (std::size_t t = 0; t < combination.timbres.size(); ++t) {
      const MixerFacts& mixer = combination.timbres[t].mixer;
      const std::string program = ProgramReferenceKey(mixer.programBank, mixer.programNumber);
      if (mixer.off() || !SameKey(program, key)) continue;
      uses.push_back({UseKind::Combination, PatchKey(bankName, j), Concat({"T", ZeroPad(static_cast<std::int64_t>(t) + 1, 2)}),
                      TrimRight(NameText(combination.name)), program});
    }
  }
}

// A set list without a slot size cannot tell its slots apart: it is skipped.
void AddSetListUses(Image pcg, std::int64_t sls1, std::string_view key, std::vector<ProgramUse>& uses) {
  using namespace set_list_layout;
  const SetListBankFacts bank = DecodeSetListBank(pcg, sls1);
  const std::int64_t listable = bank.listable(pcg);  // bounded by the image
  for (std::int64_t j = 0; j < listable; ++j) {
    const std::int64_t start = bank.setListOffset(j);
    const std::int64_t slotSize = bank.slotSize(pcg, j).value_or(0);
    if (slotSize <= 0) continue;
    for (int i = 0; i < kSlotCount; ++i) {
      const SlotFacts slot = DecodeSlot(pcg, start + kFirstSlot + i * slotSize, slotSize, start + bank.size);
      if (!slot.type || (*slot.type & kSlotTypeMask) != kSlotTypeProgram) continue;
      if (!slot.bank || !slot.number) continue;
      const std::string program = ProgramReferenceKey(slot.bank, slot.number);
      if (!SameKey(program, key)) continue;
      uses.push_back({UseKind::SetList, ZeroPad(j, 3), std::to_string(i),
                      TrimRight(NameText(ReadClippedBytes(pcg, start + kName, kNameWidth))), program});
    }
  }
}

}  // namespace

std::string_view UseKindText(UseKind kind) {
  switch (kind) {
    case UseKind::Combination: return "Combi";
    case UseKind::SetList: return "SetList";
    case UseKind::Song: return "Song";
  }
  return "";
}

std::string UseLine(const ProgramUse& use) {
  return std::string(UseKindText(use.kind)) + ": " + use.key + "\t" + use.part + "\t" + use.name;
}

Result<std::vector<ProgramUse>> PcgUsesOf(Image pcg, const ModelConstants& model, std::string_view key) {
  std::vector<std::int64_t> combinationBanks;
  std::vector<std::int64_t> setListChunks;
  const Status walked = WalkPcgBanks(pcg, [&](const PcgBank& bank) {
    if (bank.content == BankContent::Combinations) combinationBanks.push_back(bank.offset);
    if (bank.content == BankContent::SetLists) setListChunks.push_back(bank.offset);
  });
  if (!walked) return walked.failure();
  std::vector<ProgramUse> uses;
  for (const std::int64_t bank : combinationBanks) AddCombinationUses(pcg, model, bank, key, uses);
  for (const std::int64_t sls1 : setListChunks) AddSetListUses(pcg, sls1, key, uses);
  return uses;
}

Result<std::vector<ProgramUse>> SongsUsing(Image sng, const ModelConstants& model, std::string_view key,
                                           const std::string& fileNameForErrors) {
  const Result<std::int64_t> sng1 = SongsChunk(sng, fileNameForErrors);
  if (!sng1) return sng1.failure();
  std::vector<ProgramUse> uses;
  for (const std::int64_t song : SongChunkOffsets(sng, *sng1)) {
    const SongFacts facts = DecodeSong(sng, song);
    for (int k = 0; k < song_layout::kTrackCount; ++k) {
      const TrackFacts track = DecodeTrack(sng, song, k, model);
      const MixerFacts& mixer = track.mixer;
      if (!track.parametersComplete || !mixer.programBank || !mixer.programNumber || mixer.off()) continue;
      const std::string program = TrackProgramKey(*mixer.programBank, *mixer.programNumber);
      if (!SameKey(program, key)) continue;
      uses.push_back({UseKind::Song, SongLabel(facts), "MT" + ZeroPad(k + 1, 2), TrimRight(NameText(facts.name)), program});
    }
  }
  return uses;
}

Result<std::vector<ProgramUse>> ProgramUsage(const Registry& registry, int pcg, std::optional<int> sng,
                                             std::string_view key) {
  if (registry.kind(pcg) != FileKind::Pcg) return Failure{registry.name(pcg) + " is not a PCG file"};
  auto uses = PcgUsesOf(registry.image(pcg), ModelConstantsFor(registry.model(pcg)), key);
  if (!uses || !sng) return uses;
  if (registry.kind(*sng) != FileKind::Sng) return Failure{registry.name(*sng) + " is not an SNG file"};
  const auto songs =
      SongsUsing(registry.image(*sng), ModelConstantsFor(registry.model(*sng)), key,
                 registry.name(*sng));
  if (!songs) return songs.failure();
  uses->insert(uses->end(), songs->begin(), songs->end());
  return uses;
}

}  // namespace patchlore
