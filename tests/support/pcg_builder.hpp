// Builds synthetic PCG images laid out as the instrument writes them: the
// 16-byte header, "PCG1" spanning the rest of the file, and the top-level
// chunks in the order DIV1, SLS1, PRG1, CMB1, DKT1, WSQ1, GLB1 (then INI1 and
// INI2 for files of older system versions). Banks, the set list bank and GLB1
// carry a correct checksum byte; banks other than the set list bank have,
// when INI2 is present, a record with the checksum copy.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/chunk_tree.hpp"

namespace patchlore::test {

constexpr std::uint8_t kKronos = 0x68;
constexpr std::uint8_t kOasys = 0x70;

constexpr int kProgramSize = 4960;
constexpr int kCombinationSize = 7810;
constexpr int kIni2RecordSize = 64;  // key (chunk ID, type code), checksum copy at +54

struct BankPlan {
  std::string id;           // "PBK1", "MBK1", "CBK1", "DBK1", "WBK1"
  std::uint32_t typeCode;   // 0x00000000 = I-A, 0x00020000 = U-A, ...
  int patchCount;
  int patchSize;
};

// Changes the bytes of one patch (its name included) before the bank's
// checksum is worked out: bank, patch number from 0, the patchSize bytes.
using PatchEditor = std::function<void(const BankPlan& bank, int patch, Bytes& record)>;

// Changes the bytes of one slot before the set list bank is made: set list
// and slot numbers from 0, the slot's slotSize bytes.
using SlotEditor = std::function<void(int setList, int slot, Bytes& record)>;

class PcgBuilder {
 public:
  explicit PcgBuilder(std::uint8_t model = kKronos);

  PcgBuilder& version(std::uint16_t version);
  PcgBuilder& programBank(std::uint32_t code, int count = 128, int size = kProgramSize,
                          const std::string& id = "PBK1");
  PcgBuilder& combiBank(std::uint32_t code, int count = 128, int size = kCombinationSize);
  PcgBuilder& drumKitBank(std::uint32_t code, int count, int size);
  PcgBuilder& waveSequenceBank(std::uint32_t code, int count, int size);
  // A set list bank of count set lists of 128 slots of slotSize bytes. Set
  // list j is named "Set List j"; slot i "Slot i", with type i mod 3, hold
  // time byte 1 + i mod 10, volume 100 + i mod 28 and the comment "Comment i",
  // names and comment padded with blanks.
  PcgBuilder& setLists(int count, int slotSize = 544);
  // Every slot of every set list passes through the editor.
  PcgBuilder& editSlots(SlotEditor editor);
  // INI1 and INI2 chunks, as files of older system versions have them.
  PcgBuilder& withIni(bool present = true);
  // Every patch of every bank passes through the editor.
  PcgBuilder& editPatches(PatchEditor editor);

  Bytes build() const;

  // Patch j of a bank is named "<prefix> <bank> NNN", e.g. "Prog U-A 007".
  static std::string PatchName(const BankPlan& bank, int patch);
  // A full user backup of about 48 MB.
  static PcgBuilder FullBackup(std::uint8_t model = kKronos);

 private:
  ChunkNode bankChunk(const BankPlan& bank) const;
  ChunkNode setListChunk() const;
  ChunkNode ini2Chunk(const std::vector<ChunkNode>& banks) const;

  std::uint8_t model_;
  std::uint16_t version_ = 0x0200;
  std::vector<BankPlan> banks_;
  int setListCount_ = 0;
  int setListSlotSize_ = 544;
  bool ini_ = false;
  PatchEditor patchEditor_;
  SlotEditor slotEditor_;
};

// The checksum of a bank: the sum modulo 256 of its whole payload (count,
// size, type code and patches: every byte after the 12-byte chunk header).
std::uint8_t BankChecksum(const Bytes& body);

// The smallest complete PCG: 52 bytes, "PCG1" with one "PRG1" of 12 data bytes.
Bytes SmallestPcg(std::uint8_t model = kKronos);

}  // namespace patchlore::test
