#include "support/pcg_builder.hpp"

#include <algorithm>

#include "formats/bank_layout.hpp"
#include "formats/ini2_layout.hpp"
#include "formats/chunks.hpp"
#include "formats/set_list_layout.hpp"

namespace patchlore::test {

namespace {

std::string BankLabel(std::uint32_t code) {
  static const char* letters[] = {"A", "B", "C", "D", "E", "F", "G"};
  static const char* doubled[] = {"AA", "BB", "CC", "DD", "EE", "FF", "GG"};
  const unsigned low = code & 0xFF;
  if (code == 0x8000) return "I-F";
  if ((code >> 16) == 2) return std::string("U-") + (low < 7 ? letters[low] : doubled[(low - 7) % 7]);
  return std::string("I-") + letters[low % 7];
}

std::string KindPrefix(const std::string& id) {
  switch (id[0]) {
    case 'P': case 'M': return "Prog";
    case 'C': return "Combi";
    case 'D': return "Kit";
    case 'W': return "WSeq";
    default: return "Patch";
  }
}

// Deterministic filler for the bytes of a patch after its name.
void AppendPatchBody(Bytes& out, std::size_t size, std::uint32_t seed) {
  std::uint32_t x = seed * 2654435761u + 12345u;
  for (std::size_t i = 0; i < size; ++i) {
    x = x * 1103515245u + 12345u;
    out.push_back(static_cast<std::uint8_t>(x >> 24));
  }
}

ChunkNode Filler(const std::string& id, std::size_t size, std::uint32_t seed) {
  ChunkNode node{id, {}, {}, {}};
  AppendPatchBody(node.data, size, seed);
  return node;
}

}  // namespace

std::uint8_t BankChecksum(const Bytes& payload) {
  unsigned sum = 0;
  for (const auto b : payload) sum = (sum + b) & 0xFF;
  return static_cast<std::uint8_t>(sum);
}

PcgBuilder::PcgBuilder(std::uint8_t model) : model_(model) {}

PcgBuilder& PcgBuilder::version(std::uint16_t version) {
  version_ = version;
  return *this;
}

PcgBuilder& PcgBuilder::programBank(std::uint32_t code, int count, int size, const std::string& id) {
  banks_.push_back({id, code, count, size});
  return *this;
}

PcgBuilder& PcgBuilder::combiBank(std::uint32_t code, int count, int size) {
  banks_.push_back({"CBK1", code, count, size});
  return *this;
}

PcgBuilder& PcgBuilder::drumKitBank(std::uint32_t code, int count, int size) {
  banks_.push_back({"DBK1", code, count, size});
  return *this;
}

PcgBuilder& PcgBuilder::waveSequenceBank(std::uint32_t code, int count, int size) {
  banks_.push_back({"WBK1", code, count, size});
  return *this;
}

PcgBuilder& PcgBuilder::setLists(int count, int slotSize) {
  setListCount_ = count;
  setListSlotSize_ = slotSize;
  return *this;
}

PcgBuilder& PcgBuilder::editSlots(SlotEditor editor) {
  slotEditor_ = std::move(editor);
  return *this;
}

PcgBuilder& PcgBuilder::withIni(bool present) {
  ini_ = present;
  return *this;
}

PcgBuilder& PcgBuilder::editPatches(PatchEditor editor) {
  patchEditor_ = std::move(editor);
  return *this;
}

std::string PcgBuilder::PatchName(const BankPlan& bank, int patch) {
  std::string number = std::to_string(patch);
  number.insert(0, 3 - std::min<std::size_t>(3, number.size()), '0');
  return KindPrefix(bank.id) + " " + BankLabel(bank.typeCode) + " " + number;
}

ChunkNode PcgBuilder::bankChunk(const BankPlan& bank) const {
  Bytes body;
  AppendBigEndian32(body, bank.typeCode);
  for (int j = 0; j < bank.patchCount; ++j) {
    Bytes record;
    AppendPadded(record, PatchName(bank, j), 24);
    if (bank.patchSize > 24)
      AppendPatchBody(record, static_cast<std::size_t>(bank.patchSize - 24), bank.typeCode * 131 + j);
    record.resize(static_cast<std::size_t>(bank.patchSize));
    if (patchEditor_) {
      patchEditor_(bank, j, record);
      record.resize(static_cast<std::size_t>(bank.patchSize));
    }
    body.insert(body.end(), record.begin(), record.end());
  }
  ChunkNode node{bank.id, {}, {}, {}};
  constexpr std::int64_t kExtraStart = kChunkHeaderSize - 4;  // the header's four further bytes
  AppendBigEndian32(node.data, static_cast<std::uint32_t>(bank.patchCount));
  AppendBigEndian32(node.data, static_cast<std::uint32_t>(bank.patchSize));
  node.data.insert(node.data.end(), body.begin(), body.end());
  node.extra[bank_layout::kChecksum - kExtraStart] = BankChecksum(node.data);
  return node;
}

namespace {
ChunkNode ParentChunk(const std::string& id, const std::string& bankLetters,
                      const std::vector<ChunkNode>& banks) {
  ChunkNode parent{id, {}, {}, {}};
  for (const auto& bank : banks)
    if (bankLetters.find(bank.id[0]) != std::string::npos) parent.children.push_back(bank);
  return parent;
}
}  // namespace

// SLS1 > first child > (C2 with the slot table, C3 > SBK1).
ChunkNode PcgBuilder::setListChunk() const {
  using namespace set_list_layout;
  constexpr std::uint32_t kEntryWidth = 4;
  ChunkNode c2{"SLSI", {}, {}, {}};
  c2.data.assign(static_cast<std::size_t>(kSlotSizes - kChunkHeaderSize + kSlotCount * kEntryWidth), 0);
  PutBigEndian32(c2.data, kSlotTableEntryWidth - kChunkHeaderSize, kEntryWidth);
  for (int j = 0; j < kSlotCount; ++j) {  // slot size, little-endian
    const auto at = static_cast<std::size_t>(kSlotSizes - kChunkHeaderSize + j * kEntryWidth);
    c2.data[at] = static_cast<std::uint8_t>(setListSlotSize_ & 0xFF);
    c2.data[at + 1] = static_cast<std::uint8_t>(setListSlotSize_ >> 8);
  }
  const auto setListSize = static_cast<std::uint32_t>(kFirstSlot + kSlotCount * setListSlotSize_);
  ChunkNode bank{"SBK1", {}, {}, {}};
  AppendBigEndian32(bank.data, static_cast<std::uint32_t>(setListCount_));
  AppendBigEndian32(bank.data, setListSize);
  AppendBigEndian32(bank.data, 0x00020000);
  for (int j = 0; j < setListCount_; ++j) {
    AppendPadded(bank.data, "Set List " + std::to_string(j), kNameWidth);
    for (int i = 0; i < kSlotCount; ++i) {
      Bytes slot;
      AppendPadded(slot, "Slot " + std::to_string(i), kSlotNameWidth);
      slot.resize(static_cast<std::size_t>(kComment), 0);
      AppendPadded(slot, "Comment " + std::to_string(i), kCommentWidth);
      slot[kSlotType] = static_cast<std::uint8_t>(i % 3);  // Combi, Prog, Song
      slot[kHoldTime] = static_cast<std::uint8_t>(1 + i % 10);
      slot[kVolume] = static_cast<std::uint8_t>(100 + i % 28);
      slot.resize(static_cast<std::size_t>(setListSlotSize_));
      if (slotEditor_) {
        slotEditor_(j, i, slot);
        slot.resize(static_cast<std::size_t>(setListSlotSize_));
      }
      bank.data.insert(bank.data.end(), slot.begin(), slot.end());
    }
  }
  bank.extra[3] = BankChecksum(bank.data);
  ChunkNode c3{"SLSD", {}, {}, {std::move(bank)}};
  ChunkNode c1{"SLST", {}, {}, {std::move(c2), std::move(c3)}};
  return ChunkNode{"SLS1", {}, {}, {std::move(c1)}};
}

ChunkNode PcgBuilder::ini2Chunk(const std::vector<ChunkNode>& banks) const {
  ChunkNode ini2{"INI2", {}, {}, {}};
  AppendBigEndian32(ini2.data, static_cast<std::uint32_t>(banks.size()));
  for (const auto& bank : banks) {
    Bytes record;
    AppendText(record, bank.id);
    record.insert(record.end(), bank.data.begin() + 8, bank.data.begin() + 12);  // type code
    record.resize(kIni2RecordSize, 0);
    record[static_cast<std::size_t>(ini2_layout::kChecksumCopy)] = bank.extra[3];
    ini2.data.insert(ini2.data.end(), record.begin(), record.end());
  }
  return ini2;
}

Bytes PcgBuilder::build() const {
  std::vector<ChunkNode> banks;
  for (const auto& bank : banks_) banks.push_back(bankChunk(bank));
  ChunkNode pcg1{"PCG1", {}, {}, {}};
  pcg1.children.push_back(Filler("DIV1", 64, 1));
  if (setListCount_ > 0) pcg1.children.push_back(setListChunk());
  pcg1.children.push_back(ParentChunk("PRG1", "PM", banks));
  pcg1.children.push_back(ParentChunk("CMB1", "C", banks));
  pcg1.children.push_back(ParentChunk("DKT1", "D", banks));
  pcg1.children.push_back(ParentChunk("WSQ1", "W", banks));
  ChunkNode global = Filler("GLB1", 2048, 2);
  global.extra[3] = BankChecksum(global.data);  // kept like a bank's
  pcg1.children.push_back(std::move(global));
  if (ini_) {
    pcg1.children.push_back(Filler("INI1", 128, 3));
    pcg1.children.push_back(ini2Chunk(banks));
  }
  Bytes image;
  image.reserve(static_cast<std::size_t>(16 + pcg1.totalSize()));
  AppendText(image, "KORG");
  image.push_back(model_);
  image.push_back(0);
  image.push_back(static_cast<std::uint8_t>(version_ >> 8));
  image.push_back(static_cast<std::uint8_t>(version_ & 0xFF));
  image.resize(16, 0);
  pcg1.appendTo(image);
  return image;
}

PcgBuilder PcgBuilder::FullBackup(std::uint8_t model) {
  PcgBuilder b(model);
  for (std::uint32_t i = 0; i < 5; ++i) b.programBank(i);
  b.programBank(0x8000, 128, kProgramSize, "MBK1");
  for (std::uint32_t i = 0; i < 14; ++i) b.programBank(0x20000 + i, 128, kProgramSize, i % 2 ? "MBK1" : "PBK1");
  for (std::uint32_t i = 0; i < 7; ++i) b.combiBank(i);
  for (std::uint32_t i = 0; i < 7; ++i) b.combiBank(0x20000 + i);
  for (std::uint32_t i = 0; i < 7; ++i) b.drumKitBank(i, 64, 9000);
  for (std::uint32_t i = 0; i < 7; ++i) b.drumKitBank(0x20000 + i, 64, 9000);
  for (std::uint32_t i = 0; i < 7; ++i) b.waveSequenceBank(i, 64, 4800);
  for (std::uint32_t i = 0; i < 7; ++i) b.waveSequenceBank(0x20000 + i, 64, 4800);
  b.setLists(128);
  return b;
}

Bytes SmallestPcg(std::uint8_t model) {
  Bytes image;
  AppendText(image, "KORG");
  image.push_back(model);
  image.resize(16, 0);
  AppendText(image, "PCG1");
  AppendBigEndian32(image, 24);
  image.resize(28, 0);
  AppendText(image, "PRG1");
  AppendBigEndian32(image, 12);
  image.resize(52, 0);
  return image;
}

}  // namespace patchlore::test
