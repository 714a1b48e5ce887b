#include "banks/bank_manager.hpp"

#include <gtest/gtest.h>

#include "formats/bank_layout.hpp"
#include "formats/checksums.hpp"
#include "formats/chunks.hpp"
#include "formats/ini2_layout.hpp"
#include "support/loaded_image.hpp"
#include "support/pcg_builder.hpp"

namespace patchlore {
namespace {

using test::PcgBuilder;

void AddPcg(Registry& registry, const test::Bytes& image, const std::string& name = "TEST.PCG") {
  ByteBuffer buffer(static_cast<std::int64_t>(image.size()));
  std::copy(image.begin(), image.end(), buffer.bytes().begin());
  registry.add(std::move(buffer), "/tmp/" + name, test::FactsOfType("PCG KORG KRONOS"));
}

constexpr int kSize = 40;  // bytes per patch of the small banks

// A registry of loaded files and the bank manager working on it.
class BankManagerTest : public ::testing::Test {
 protected:
  Workspace workspace;
  Registry& registry = workspace.registry();
  BankManager manager{workspace};

  // Opens the window and chooses file lines and bank lines on both sides.
  void choose(int fromFile, int fromBank, int toFile, int toBank) {
    manager.open();
    manager.chooseFile(BankSide::From, fromFile);
    manager.chooseFile(BankSide::To, toFile);
    manager.chooseBank(BankSide::From, fromBank);
    manager.chooseBank(BankSide::To, toBank);
  }
  std::int64_t toBank() const { return manager.state().to.header.offset; }
  Image image(int index) const { return registry.image(index); }
  std::uint8_t stored(int index, std::int64_t bank) const { return image(index)[bank + bank_layout::kChecksum]; }
  std::uint8_t ini2Copy(int index, const std::string& key) const {
    const auto record = FindIni2Record(image(index), key);
    return record ? image(index)[*record + ini2_layout::kChecksumCopy] : 0;
  }
  // Every bank the lists offer holds CheckBytes in its header and its INI2 record.
  void expectConsistent(int index) {
    for (const std::int64_t bank : manager.state().to.bankOffsets) {
      EXPECT_EQ(stored(index, bank), CheckBytes(image(index), bank)) << bank;
      EXPECT_EQ(ini2Copy(index, BankKey(image(index), bank)), stored(index, bank)) << bank;
    }
  }
  // Gives the bank the checksum value, correct in the header and INI2, by
  // changing the last byte of its first patch.
  void setChecksum(int index, std::int64_t bank, std::uint8_t value) {
    const std::int64_t last = bank + bank_layout::kHeaderSize + kSize - 1;
    ImageEdit edit = workspace.beginChange(index, "test");
    edit.write(last, static_cast<std::uint8_t>(image(index)[last] + value - CheckBytes(image(index), bank)));
    StoreCheckSum(edit, bank, BankKey(image(index), bank), value);
    ASSERT_TRUE(workspace.commit(edit));
  }
};

TEST_F(BankManagerTest, ListsOnlyPcgsAndDescribesBanksAndPatches) {
  AddPcg(registry, PcgBuilder().programBank(0x8000, 2, kSize).combiBank(0x20000, 1, kSize).build(), "A.PCG");
  registry.add(ByteBuffer(4), "/tmp/B.SNG", test::FactsOfType("SNG KORG KRONOS"));
  AddPcg(registry, PcgBuilder().programBank(0x123, 1, kSize, "MBK1").build(), "C.PCG");
  choose(0, 0, 1, 0);
  const auto& s = manager.state();
  EXPECT_EQ(s.files, (std::vector<std::string>{"0:A.PCG", "2:C.PCG"}));
  EXPECT_EQ(s.from.boxInfo, "0: PCG KORG KRONOS; Bytes:" + std::to_string(registry.size(0)));
  const std::int64_t prog = s.from.bankOffsets[0];
  const std::string sum = HexPad(CheckBytes(image(0), prog), 2);
  EXPECT_EQ(s.from.banks[0], "Prog Bank I-F=HD-1; 28; ; checkS=" + sum + "; " + sum + "; ; offset=" + Hex8(prog));
  EXPECT_EQ(s.from.banks[1], "Combi Bank U-A=" + Hex8(s.from.bankOffsets[1]));
  const std::string toSum = HexPad(stored(2, toBank()), 2);
  EXPECT_EQ(s.to.banks[0], "Prog Bank 00000123=EXi; 28; ; checkS=" + toSum + "; offset=" + Hex8(toBank()));
  EXPECT_EQ(s.to.bankInfo, " Count=01; Size=28h= 40d; checkSumTo=" + toSum + "; sumBank=24");
  EXPECT_EQ(s.from.patches[1], "I-F001: " + PcgBuilder::PatchName({"PBK1", 0x8000, 2, kSize}, 1));
}

TEST_F(BankManagerTest, ForecastShowsTheNegativeSumAndItsByte) {
  AddPcg(registry, PcgBuilder().programBank(0x10, 1, kSize).programBank(0x2, 1, kSize, "MBK1").build());
  choose(0, 0, 0, 1);
  setChecksum(0, manager.state().from.header.offset, 0x05);
  choose(0, 0, 0, 1);
  EXPECT_EQ(manager.state().checkSumInfo, "MBK1;  05 - 10 + 02 = FFFFFFF7 = F7; INI2 missing");
}

TEST_F(BankManagerTest, WriteCopiesThePatchesAndStoresTheFromChecksumForTheSameCode) {
  AddPcg(registry, PcgBuilder().programBank(0, 2, kSize).withIni().build(), "A.PCG");
  AddPcg(registry, PcgBuilder().programBank(0, 2, kSize).withIni()
                       .editPatches([](const test::BankPlan&, int, test::Bytes& r) { r[30] = 0x77; }).build(), "B.PCG");
  choose(0, 0, 1, 0);
  const std::int64_t from = manager.state().from.header.offset;
  const std::uint8_t checkSumFrom = stored(0, from);
  const auto length = registry.size(1);
  ASSERT_TRUE(manager.write());
  EXPECT_EQ(stored(1, toBank()), checkSumFrom);
  EXPECT_EQ(ini2Copy(1, BankKey(image(1), toBank())), checkSumFrom);
  EXPECT_TRUE(std::equal(image(0).begin() + from, image(0).begin() + from + 24 + 2 * kSize, image(1).begin() + toBank()));
  EXPECT_EQ(registry.size(1), length);
  EXPECT_EQ(manager.state().to.banks[0],
            "Prog Bank I-A=HD-1; 28; ; checkS=" + HexPad(checkSumFrom, 2) + "; offset=" + Hex8(toBank()));
  EXPECT_EQ(manager.state().moveSize, "patchSize=28 (hex); 40 (dec)");
}

TEST_F(BankManagerTest, TheListsShowTheBanksAsTheImageHoldsThemAfterAWriteAndItsUndo) {
  AddPcg(registry, PcgBuilder().programBank(0, 2, kSize).withIni().build(), "A.PCG");
  AddPcg(registry, PcgBuilder().programBank(0x20000, 2, kSize).withIni().build(), "B.PCG");
  choose(0, 0, 1, 0);
  const BankSideState before = manager.state().to;
  ASSERT_TRUE(manager.write());
  const BankSideState& to = manager.state().to;
  const test::BankPlan from{"PBK1", 0, 2, kSize};
  EXPECT_EQ(to.patches, (std::vector<std::string>{"U-A000: " + PcgBuilder::PatchName(from, 0),
                                                  "U-A001: " + PcgBuilder::PatchName(from, 1)}));
  EXPECT_EQ(to.bankInfo, " Count=02; Size=28h= 40d; checkSumTo=" + HexPad(stored(1, toBank()), 2) + "; sumBank=02");
  ASSERT_TRUE(workspace.undo());
  manager.reread(1);
  EXPECT_EQ(to.patches, before.patches);
  EXPECT_EQ(to.bankInfo, before.bankInfo);
  EXPECT_EQ(to.banks, before.banks);
}

TEST_F(BankManagerTest, WriteCarriesTheChunkIdIntoTheIni2RecordAndFollowsIt) {
  AddPcg(registry, PcgBuilder().programBank(0, 1, kSize, "MBK1").programBank(1, 1, kSize).withIni().build());
  choose(0, 0, 0, 1);
  const std::string oldKey = manager.state().to.key;
  ASSERT_TRUE(manager.write());
  EXPECT_EQ(BytesText(image(0), toBank(), 4), "MBK1");
  EXPECT_FALSE(FindIni2Record(image(0), oldKey));
  EXPECT_EQ(manager.state().to.key, BankKey(image(0), toBank()));
  setChecksum(0, manager.state().from.header.offset, 0x42);  // a second Write still finds the record
  ASSERT_TRUE(manager.write());
  EXPECT_EQ(ini2Copy(0, manager.state().to.key), 0x42 - 0 + 1);  // the codes 00000000 and 00000001
  expectConsistent(0);
}

TEST_F(BankManagerTest, WriteUpdatesOnlyTheFirstOfTwoRecordsWithTheKey) {
  AddPcg(registry, PcgBuilder().programBank(0, 1, kSize).programBank(0, 1, kSize).programBank(1, 1, kSize).withIni()
                       .editPatches([](const test::BankPlan&, int, test::Bytes& r) { r[30] = 0x11; }).build());
  choose(0, 2, 0, 1);
  const auto record = *FindIni2Record(image(0), manager.state().to.key);
  const std::uint8_t secondCopy = image(0)[record + test::kIni2RecordSize + ini2_layout::kChecksumCopy];
  ASSERT_TRUE(manager.write());
  EXPECT_EQ(image(0)[record + ini2_layout::kChecksumCopy], stored(0, toBank()));
  EXPECT_EQ(image(0)[record + test::kIni2RecordSize + ini2_layout::kChecksumCopy], secondCopy);
}

TEST_F(BankManagerTest, AnIni2RecordCutByItsChunkIsNotWrittenAndSaidSo) {
  AddPcg(registry, PcgBuilder().programBank(0, 1, kSize).programBank(1, 1, kSize).withIni().build());
  choose(0, 0, 0, 1);
  const std::int64_t ini = FindChunk("INI2", image(0));
  const auto record = *FindIni2Record(image(0), manager.state().to.key);
  const auto before = image(0)[record + ini2_layout::kChecksumCopy];
  test::Poke(workspace, 0, ini + kChunkSizeField + 3, static_cast<std::uint8_t>(record + 20 - ini - kChunkHeaderSize));
  ASSERT_TRUE(manager.write());
  EXPECT_TRUE(manager.state().checkSumInfo.ends_with("; INI2 record lies outside INI2, not written"));
  EXPECT_EQ(image(0)[record + ini2_layout::kChecksumCopy], before);
  EXPECT_EQ(stored(0, toBank()), CheckBytes(image(0), toBank()));
}

TEST_F(BankManagerTest, AWrongSourceChecksumIsNotCopiedButSaidSo) {
  AddPcg(registry, PcgBuilder().programBank(0, 1, kSize).programBank(1, 1, kSize).build());
  choose(0, 0, 0, 1);
  const std::int64_t from = manager.state().from.header.offset;
  test::Poke(workspace, 0, from + bank_layout::kChecksum, image(0)[from + bank_layout::kChecksum] + 1);
  choose(0, 0, 0, 1);
  const std::string forecast = manager.state().checkSumInfo;
  EXPECT_NE(forecast.find(" (source checksum was wrong); INI2 missing"), std::string::npos);
  ASSERT_TRUE(manager.write());
  const std::string cb = HexPad(CheckBytes(image(0), toBank()), 2);
  EXPECT_EQ(manager.state().checkSumInfo,
            forecast + "; 0-->1; checkSum=" + cb + "; checkBytes :" + cb + " (source checksum was wrong)");
  EXPECT_EQ(stored(0, toBank()), CheckBytes(image(0), toBank()));
}

TEST_F(BankManagerTest, MoveCopiesTheRunAndStoresTheSumOfTheBank) {
  AddPcg(registry, PcgBuilder().programBank(0, 2, kSize).programBank(1, 2, kSize).withIni().build());
  choose(0, 0, 0, 1);
  manager.choosePatch(BankSide::From, 1);
  manager.choosePatch(BankSide::To, 0);
  manager.setOffset(30);
  manager.setLength(500);
  ASSERT_TRUE(manager.state().moveEnabled);
  ASSERT_TRUE(manager.move());
  const auto& s = manager.state();
  const std::int64_t src = s.from.header.patchOffset(1);
  EXPECT_TRUE(std::equal(image(0).begin() + src + 30, image(0).begin() + src + kSize, image(0).begin() + toBank() + 24 + 30));
  EXPECT_EQ(s.moveSize, "MoveSize; n=1E; k=27");
  const auto record = *FindIni2Record(image(0), s.to.key);
  const auto ini = FindChunk("INI2", image(0));
  EXPECT_EQ(s.moveIni2, "i2=" + Hex8(ini) + "; j2=" + HexPad(record - ini + 1, 2) + "; checkSum=" +
                            HexPad(stored(0, toBank()), 2));
  EXPECT_EQ(s.offsetTitle, "offset 1E");
  EXPECT_EQ(s.lengthTitle, "length 28");  // the length is held to the patch size
  expectConsistent(0);
}

TEST_F(BankManagerTest, KindsAndChunkIdsThatDifferAreRefused) {
  const auto image0 = PcgBuilder().programBank(0, 2, kSize).programBank(1, 2, kSize, "MBK1").combiBank(0, 2, kSize).build();
  AddPcg(registry, image0);
  choose(0, 0, 0, 2);
  EXPECT_FALSE(manager.state().writeEnabled);
  EXPECT_NE(manager.state().checkSumInfo.find("; Write refused: a Prog bank cannot be written into a Combi bank"),
            std::string::npos);
  EXPECT_EQ(manager.write().failure().text, "Write refused: a Prog bank cannot be written into a Combi bank");
  choose(0, 0, 0, 1);
  manager.choosePatch(BankSide::From, 0);
  manager.choosePatch(BankSide::To, 0);
  EXPECT_FALSE(manager.state().moveEnabled);
  EXPECT_EQ(manager.move().failure().text, "Move refused: Move keeps the To bank's chunk ID, and PBK1 is not MBK1");
  EXPECT_TRUE(std::equal(image0.begin(), image0.end(), image(0).begin()));
}

TEST_F(BankManagerTest, ButtonsFollowTheChoices) {
  AddPcg(registry, PcgBuilder().programBank(0, 2, kSize).programBank(1, 2, kSize).programBank(2, 1, kSize).build());
  choose(0, 0, 0, 1);
  manager.choosePatch(BankSide::From, 0);
  manager.choosePatch(BankSide::To, 1);
  EXPECT_TRUE(manager.state().moveEnabled);
  EXPECT_TRUE(manager.state().writeEnabled);
  manager.chooseBank(BankSide::To, 2);  // one patch against two
  EXPECT_FALSE(manager.state().writeEnabled);
  EXPECT_FALSE(manager.state().moveEnabled);
  manager.chooseBank(BankSide::To, 1);
  manager.chooseFile(BankSide::From, 0);
  EXPECT_EQ(manager.write().failure().text, "Write refused: choose a From bank and a To bank");
  manager.chooseBank(BankSide::From, 0);
  EXPECT_TRUE(manager.state().writeEnabled);
  manager.open();  // the choices stay, the buttons start disabled
  EXPECT_FALSE(manager.state().writeEnabled);
  EXPECT_EQ(manager.state().from.bankLine, 0);
}

TEST_F(BankManagerTest, ABankCutByTheEndOfTheFileIsRefusedAndNothingChanges) {
  test::Bytes cut = PcgBuilder().programBank(0, 2, kSize).programBank(1, 2, kSize).build();
  const auto banks = BankRun(Image(cut), FindChunk("PRG1", Image(cut)), BankRunKind::Programs);
  cut.resize(static_cast<std::size_t>(banks[1] + bank_layout::kHeaderSize + kSize + 5));
  AddPcg(registry, cut);
  choose(0, 0, 0, 1);
  EXPECT_EQ(manager.write().failure().text, "Write refused: the To bank runs past the end of its file");
  EXPECT_TRUE(std::equal(cut.begin(), cut.end(), image(0).begin()));
}

TEST_F(BankManagerTest, ABankOfEmptyPatchesWithAHugeCountListsOnePatch) {
  test::Bytes bytes = PcgBuilder().programBank(0, 2, kSize).build();
  const std::int64_t bank = BankRun(Image(bytes), FindChunk("PRG1", Image(bytes)), BankRunKind::Programs)[0];
  for (std::int64_t k : {0, 1, 2, 3}) bytes[bank + bank_layout::kPatchCountField + k] = 0x7F;
  for (std::int64_t k : {0, 1, 2, 3}) bytes[bank + bank_layout::kPatchSizeField + k] = 0;
  AddPcg(registry, bytes);
  choose(0, 0, 0, 0);
  EXPECT_EQ(manager.state().from.patches.size(), 1u);
}

TEST_F(BankManagerTest, EveryChangedBankHoldsItsSumAfterWritesAndMoves) {
  AddPcg(registry, PcgBuilder().programBank(0, 2, kSize).programBank(1, 2, kSize, "MBK1").programBank(2, 2, kSize)
                       .withIni().build());
  for (const auto& [from, to] : {std::pair{0, 1}, {1, 2}, {2, 0}, {0, 2}}) {
    choose(0, from, 0, to);
    ASSERT_TRUE(manager.write());
    manager.choosePatch(BankSide::From, 0);
    manager.choosePatch(BankSide::To, 1);
    manager.setOffset(from + 3);
    manager.setLength(to + 7);
    ASSERT_TRUE(manager.move());
    expectConsistent(0);
  }
}

}  // namespace
}  // namespace patchlore
