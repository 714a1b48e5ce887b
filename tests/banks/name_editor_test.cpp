#include "banks/name_editor.hpp"

#include <gtest/gtest.h>

#include "banks/bank_list.hpp"
#include "common/bytes.hpp"
#include "formats/bank_layout.hpp"
#include "formats/checksums.hpp"
#include "formats/ini2_layout.hpp"
#include "support/loaded_image.hpp"
#include "support/pcg_builder.hpp"
#include "support/result_text.hpp"

namespace patchlore {
namespace {

using test::Bytes;
using test::PcgBuilder;

constexpr std::int64_t kChecksum = bank_layout::kChecksum;

// Patch 0 of every bank is named "C"; the last byte of the last patch is
// `last`, so a test can choose the bank's checksum.
PcgBuilder OneProgramBank(std::uint8_t last) {
  return std::move(PcgBuilder().programBank(0).editPatches([last](const test::BankPlan& bank, int patch, Bytes& record) {
    if (patch == 0) {
      std::fill_n(record.begin(), 24, 0);
      record[0] = 'C';
    }
    if (patch == bank.patchCount - 1) record.back() = last;
  }));
}

// A program bank whose stored checksum is 255.
Bytes ProgramBankWithChecksum255(bool ini) {
  const Bytes first = OneProgramBank(0).build();
  const std::int64_t bank = ListProgramAndCombinationBanks(Image(first)).front().offset;
  return OneProgramBank(static_cast<std::uint8_t>(0xFF - first[bank + kChecksum])).withIni(ini).build();
}

struct Editing {
  Workspace workspace;
  Registry& registry = workspace.registry();
  NameEditor editor{workspace};
  int index = -1;
  std::int64_t bank = -1;

  Editing(const Bytes& image, std::size_t bankLine, std::int64_t patch) {
    index = test::AddToRegistry(registry, image);
    bank = ListProgramAndCombinationBanks(Image(registry.image(index)))[bankLine].offset;
    const auto inputs = NameEditorInputsFor(registry, index, bank, patch);
    EXPECT_TRUE(inputs.ok());
    if (inputs) editor.open(*inputs, PatchNameAt(registry, *inputs));
  }
  Image image() const { return registry.image(index); }
  std::uint8_t stored() const { return image()[static_cast<std::size_t>(bank + kChecksum)]; }
  Bytes bytes() const { return Bytes(image().begin(), image().end()); }
};

TEST(NameEditor, OneNameByteUpRaisesTheChecksumByOneAndStoresItInBothPlaces) {
  Editing editing(ProgramBankWithChecksum255(true), 0, 0);
  ASSERT_EQ(editing.stored(), 0xFF);
  const std::size_t length = editing.image().size();
  editing.editor.setName("D");
  ASSERT_TRUE(editing.editor.write().ok());
  EXPECT_EQ(editing.editor.state().bankInfo, "I-A000; I-A; 0; sumEdit=00");
  EXPECT_EQ(editing.stored(), 0);
  const auto record = FindIni2Record(editing.image(), BankKey(editing.image(), editing.bank));
  ASSERT_TRUE(record);
  EXPECT_EQ(editing.image()[static_cast<std::size_t>(*record + ini2_layout::kChecksumCopy)], 0);
  EXPECT_EQ(editing.image().size(), length);
}

TEST(NameEditor, TheWindowTextsAndTheChangeLog) {
  Editing editing(ProgramBankWithChecksum255(false), 0, 0);
  const NameEditorState& state = editing.editor.state();
  const NameEditorLabels& labels = state.inputs.labels;
  EXPECT_EQ(labels.caption, "Edit Prog I-A000");
  EXPECT_EQ(labels.openIndex, "0");
  EXPECT_EQ(labels.bytes, std::to_string(editing.image().size()));
  EXPECT_EQ(labels.offsetBank, Hex8(editing.bank));
  EXPECT_EQ(labels.offset, Hex8(editing.bank + 24));
  EXPECT_EQ(labels.checkSum, "FF");
  EXPECT_EQ(labels.info, "0:PCG KORG KRONOS (bytes:" + std::to_string(editing.image().size()) + ") \\A.PCG");
  EXPECT_EQ(state.device, "Device:KRONOS");
  EXPECT_EQ(state.editName, "C");
  editing.editor.setName("AB");
  EXPECT_EQ(state.log, (std::vector<std::string>{"Bank:FF; Name:43; Text:43; 0:C", "Bank:FF; Name:43; Text:83; 1:AB"}));
}

TEST(NameEditor, NamesAreCutOrPaddedTo24Bytes) {
  Editing editing(ProgramBankWithChecksum255(false), 0, 0);
  const std::size_t name = static_cast<std::size_t>(editing.bank + 24);
  const char next = BytesText(editing.image(), name + 24, 1).front();
  editing.editor.setName("ABCDEFGHIJKLMNOPQRSTUVWXYZ1234");
  ASSERT_TRUE(editing.editor.write().ok());
  EXPECT_EQ(BytesText(editing.image(), name, 25), std::string("ABCDEFGHIJKLMNOPQRSTUVWX") + next);
  EXPECT_EQ(editing.editor.state().bankInfo, "I-A000; I-A; 0; sumEdit=" +
                                                 HexPad(CheckBytes(editing.image(), editing.bank), 2) +
                                                 "; INI2 missing; name cut to 24 characters");
  editing.editor.setName("Abc");
  ASSERT_TRUE(editing.editor.write().ok());
  EXPECT_EQ(BytesText(editing.image(), name, 24), "Abc" + std::string(21, '\0'));
  EXPECT_EQ(editing.stored(), CheckBytes(editing.image(), editing.bank));
}

// A name that would break a tab-separated listing or be stored as "?" is
// refused before anything is written, naming the character.
TEST(NameEditor, AControlCharacterOrOneWindows1251CannotHoldIsRefused) {
  Editing editing(ProgramBankWithChecksum255(true), 0, 0);
  const Bytes before = editing.bytes();
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"A\tB", "The name holds the control character U+0009: nothing written"},
      {"Line\n", "The name holds the control character U+000A: nothing written"},
      {"Bells \xE2\x9C\x93", "The name holds U+2713, a character Windows-1251 cannot hold: nothing written"},
      {"\xFF", "The name holds the byte $FF, which is not UTF-8: nothing written"},
  };
  for (const auto& [typed, why] : refused) {
    editing.editor.setTypedName(typed);
    EXPECT_EQ(test::ResultText(editing.editor.write()), why);
    EXPECT_EQ(editing.editor.state().bankInfo, why);
  }
  editing.editor.setName("\x98");  // the one byte Windows-1251 leaves unassigned
  EXPECT_EQ(test::ResultText(editing.editor.write()),
            "The name holds U+FFFD, a character Windows-1251 cannot hold: nothing written");
  EXPECT_EQ(editing.bytes(), before);
  editing.editor.setTypedName("\xD0\x9F\xD0\xB8\xD0\xB0\xD0\xBD\xD0\xBE \xE2\x84\x96");  // «Пиано №»
  ASSERT_TRUE(editing.editor.write().ok());
  EXPECT_EQ(BytesText(editing.image(), editing.bank + 24, 8), std::string("\xCF\xE8\xE0\xED\xEE \xB9\0", 8));
}

TEST(NameEditor, TheStoredNameShowsAsTextAndIsWrittenBackPaddedWithNuls) {
  const Bytes image = PcgBuilder()
                          .programBank(0)
                          .editPatches([](const test::BankPlan&, int patch, Bytes& record) {
                            if (patch != 0) return;
                            std::fill_n(record.begin(), 24, 0);
                            std::copy_n("Pad\0A", 5, record.begin());
                          })
                          .build();
  Editing editing(image, 0, 0);
  EXPECT_EQ(editing.editor.state().editName, "Pad A");
  editing.editor.setName("Pad A");
  ASSERT_TRUE(editing.editor.write().ok());
  EXPECT_EQ(BytesText(editing.image(), editing.bank + 24, 24), "Pad A" + std::string(19, '\0'));
}

TEST(NameEditor, ACombinationBankKeepsItsPayloadSum) {
  Editing editing(PcgBuilder().programBank(0, 1, 40).combiBank(0x20000).withIni().build(), 1, 5);
  EXPECT_EQ(editing.editor.state().inputs.labels.caption, "Edit Combi U-A005");
  editing.editor.setName("Grand Piano Combi");
  ASSERT_TRUE(editing.editor.write().ok());
  EXPECT_EQ(editing.editor.state().bankInfo,
            "U-A005; U-A; 5; sumEdit=" + HexPad(CheckBytes(editing.image(), editing.bank), 2));
  EXPECT_EQ(editing.stored(), CheckBytes(editing.image(), editing.bank));
}

TEST(NameEditor, AWrongChecksumIsMendedAndSaidSo) {
  Bytes image = ProgramBankWithChecksum255(true);
  const std::int64_t bank = ListProgramAndCombinationBanks(Image(image)).front().offset;
  image[static_cast<std::size_t>(bank + kChecksum)] = 0x12;
  Editing editing(image, 0, 0);
  editing.editor.setName("D");
  ASSERT_TRUE(editing.editor.write().ok());
  EXPECT_EQ(editing.editor.state().bankInfo, "I-A000; I-A; 0; sumEdit=00 (checksum was wrong)");
  EXPECT_EQ(editing.stored(), 0);
}

TEST(NameEditor, WithoutIni2OrItsRecordOnlyTheBankHeaderChanges) {
  Editing missing(ProgramBankWithChecksum255(false), 0, 0);
  missing.editor.setName("D");
  ASSERT_TRUE(missing.editor.write().ok());
  EXPECT_EQ(missing.editor.state().bankInfo, "I-A000; I-A; 0; sumEdit=00; INI2 missing");
  EXPECT_EQ(missing.stored(), 0);

  Bytes image = ProgramBankWithChecksum255(true);
  const std::int64_t bank = ListProgramAndCombinationBanks(Image(image)).front().offset;
  const auto record = FindIni2Record(Image(image), BankKey(Image(image), bank));
  ASSERT_TRUE(record);
  image[static_cast<std::size_t>(*record + 7)] ^= 0x55;  // the key's type code no longer matches
  Editing noRecord(image, 0, 0);
  noRecord.editor.setName("D");
  ASSERT_TRUE(noRecord.editor.write().ok());
  EXPECT_EQ(noRecord.editor.state().bankInfo, "I-A000; I-A; 0; sumEdit=00; no INI2 record");
  EXPECT_EQ(noRecord.image()[static_cast<std::size_t>(*record + ini2_layout::kChecksumCopy)], 0xFF);
}

TEST(NameEditor, AWriteThatCannotBeMadeIsRefusedAndChangesNothing) {
  Bytes image = ProgramBankWithChecksum255(true);
  const std::int64_t lastPatch = ListProgramAndCombinationBanks(Image(image)).front().offset + 24 + 127 * 4960;
  image.resize(static_cast<std::size_t>(lastPatch + 10));  // the last name is cut off
  Editing editing(image, 0, 0);
  const Bytes before = editing.bytes();
  NameEditorInputs inputs = editing.editor.state().inputs;

  inputs.fileIndex = -1;
  editing.editor.open(inputs, "D");
  EXPECT_FALSE(editing.editor.write().ok());
  EXPECT_EQ(editing.editor.state().bankInfo, "No loaded file has the index -1: nothing written");

  inputs.fileIndex = 0;
  inputs.imageSize += 1;
  editing.editor.open(inputs, "D");
  EXPECT_FALSE(editing.editor.write().ok());
  EXPECT_EQ(editing.editor.state().bankInfo, "The file has " + std::to_string(before.size()) + " bytes, not " +
                                                 std::to_string(before.size() + 1) + ": nothing written");

  inputs.imageSize -= 1;
  inputs.nameOffset = lastPatch;
  editing.editor.open(inputs, "D");
  EXPECT_FALSE(editing.editor.write().ok());
  EXPECT_EQ(editing.editor.state().bankInfo,
            "No patch of the bank at " + Hex8(editing.bank) + " begins at " + Hex8(lastPatch) + ": nothing written");
  EXPECT_EQ(editing.bytes(), before);
  EXPECT_FALSE(NameEditorInputsFor(editing.registry, 0, editing.bank, 128).ok());
}

TEST(NameEditor, APatchCountPastTheBankChunkOpensNoPatchBeyondIt) {
  Bytes image = PcgBuilder().programBank(0, 2, 40).programBank(1, 2, 40).build();
  const std::int64_t bank = ListProgramAndCombinationBanks(Image(image)).front().offset;
  image[static_cast<std::size_t>(bank + bank_layout::kPatchCountByte)] = 3;  // patch 2 would be the next bank's header
  Registry registry;
  test::AddToRegistry(registry, image);
  EXPECT_EQ(NameEditorInputsFor(registry, 0, bank, 2).failure().text,
            "The bank at " + Hex8(bank) + " has no patch 2");
}

// The editor works on the file it was opened for, whichever index it has,
// and labelDevice names that file's model.
TEST(NameEditor, WorksOnItsOwnFileAndNamesItsModel) {
  Workspace workspace;
  Registry& registry = workspace.registry();
  const Bytes kronos = OneProgramBank(0).build();
  test::AddToRegistry(registry, kronos);
  const int oasys = test::AddToRegistry(registry, OneProgramBank(0).build(), "/data/B.PCG", "PCG KORG OASYS");
  const int unknown = test::AddToRegistry(registry, OneProgramBank(0).build(), "/data/C.PCG", "PCG");
  const std::int64_t bank = ListProgramAndCombinationBanks(registry.image(oasys)).front().offset;
  NameEditor editor(workspace);
  editor.open(*NameEditorInputsFor(registry, unknown, bank, 0), "C");
  EXPECT_EQ(editor.state().device, "Device:undefined");
  const auto inputs = NameEditorInputsFor(registry, oasys, bank, 0);
  ASSERT_TRUE(inputs.ok());
  editor.open(*inputs, "C");
  EXPECT_EQ(editor.state().device, "Device:OASYS");
  EXPECT_EQ(editor.state().log.back(), "Bank:" + inputs->labels.checkSum + "; Name:43; Text:43; 1:C");
  editor.setName("D");
  ASSERT_TRUE(editor.write().ok());
  EXPECT_EQ(BytesText(registry.image(oasys), bank + 24, 2), std::string("D\0", 2));
  EXPECT_EQ(Bytes(registry.image(0).begin(), registry.image(0).end()), kronos);
}

TEST(BankList, ProgramBanksThenCombinationBanksInFileOrder) {
  const Bytes image = PcgBuilder().programBank(0, 2, 40).programBank(1, 2, 40, "MBK1").combiBank(0, 2, 40).build();
  const auto banks = ListProgramAndCombinationBanks(Image(image));
  ASSERT_EQ(banks.size(), 3u);
  EXPECT_LT(banks[0].offset, banks[1].offset);
  EXPECT_EQ(BytesText(Image(image), banks[1].offset, 4), "MBK1");
  EXPECT_TRUE(banks[2].combination);
  EXPECT_EQ(BytesText(Image(image), banks[2].offset, 4), "CBK1");
}

}  // namespace
}  // namespace patchlore
