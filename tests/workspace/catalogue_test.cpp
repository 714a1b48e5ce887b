#include "workspace/catalogue.hpp"

#include <gtest/gtest.h>

#include "formats/banks.hpp"
#include "formats/chunks.hpp"
#include "formats/sysex_text.hpp"
#include "common/bytes.hpp"
#include "support/fakes.hpp"
#include "support/loaded_image.hpp"
#include "support/pcg_builder.hpp"
#include "support/sng_builder.hpp"
#include "support/sysex_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

using test::Bytes;

class CatalogueBuild : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::MainWindowFixture f;

  // Loads the bytes with the Open command; returns the registry index.
  int load(const std::string& name, const Bytes& bytes) {
    const int before = f.window.registry().count();
    (void)f.open(dir.write(name, bytes));
    EXPECT_EQ(f.window.registry().count(), before + 1) << f.window.state().actionMsg;
    return before;
  }
  Catalogue build(int index, int counter = 0) { return f.window.buildCatalogue(index, counter); }
  std::int64_t chunk(int index, const char* id) { return FindChunk(id, f.window.registry().image(index)); }
  Image image(int index) { return f.window.registry().image(index); }
  // Changes a byte of the loaded image, as the bank manager would.
  void poke(int index, std::int64_t offset, std::uint8_t value) { test::Poke(f.workspace, index, offset, value); }
  std::string actionMsg() const { return f.window.state().actionMsg; }
};

std::vector<std::string> Captions(const Catalogue& c) {
  std::vector<std::string> captions;
  for (const auto& column : c.list.columns) captions.push_back(column.caption + "/" + std::to_string(column.width));
  return captions;
}

TEST_F(CatalogueBuild, PcgRowsOfEveryKindOfBankWithTheirDescriptorLines) {
  const Bytes pcg = test::PcgBuilder(test::kOasys)
                        .setLists(2, 64)
                        .programBank(0x00000000, 2, 30)
                        .programBank(0x00008000, 1, 30, "MBK1")
                        .combiBank(0x00000006, 3, 40)
                        .drumKitBank(0x00020003, 3, 40)
                        .waveSequenceBank(0x00000000, 4, 20)
                        .build();
  load("ONE.PCG", pcg);
  const int index = load("F.PCG", pcg);
  const int pumpsBefore = f.reporter.pumps;
  const Catalogue c = build(index, 3);

  const std::int64_t prg = chunk(index, "PRG1"), cmb = chunk(index, "CMB1");
  const std::int64_t dkt = chunk(index, "DKT1"), wsq = chunk(index, "WSQ1"), sls = chunk(index, "SLS1");
  EXPECT_EQ(actionMsg(), "CreateFormOpen: iopen=1; iForm=3");
  EXPECT_EQ(c.caption, "1:PCG KORG OASYS (bytes:" + std::to_string(pcg.size()) + ") \\F.PCG");
  EXPECT_EQ(c.counter, 3);
  EXPECT_EQ(Captions(c), (std::vector<std::string>{"Object/90", "Index/50", "Name/100", "Type/50", "Count/50"}));
  const std::vector<TableRow> rows = {
      {"SetList Bank", {"", "", "Size=$2018", "2"}},
      {"Prog Bank", {"01", "I-A", "HD-1", "2"}},
      {"Prog Bank", {"02", "I-F", "EXi", "1"}},
      {"Combi Bank", {"01", "I-G", "", "3"}},
      {"Drum Kit Bank", {"01", "U-D", "", "3", Hex8(dkt + 12)}},
      {"Wave Sequence Bank", {"01", "I-A", "", "4", Hex8(wsq + 12)}},
  };
  EXPECT_EQ(c.list.rows, rows);
  const std::vector<std::string> offsets = {
      "SetList Bank=" + Hex8(sls),
      "Prog Bank I-A=" + Hex8(prg + 12),
      "Prog Bank I-F=" + Hex8(prg + 12 + 24 + 2 * 30),
      "Combi Bank I-G=" + Hex8(cmb + 12),
      "Drum Kit Bank U-D=" + Hex8(dkt + 12),
      "Wave Sequence Bank I-A=" + Hex8(wsq + 12),
  };
  EXPECT_EQ(c.offsetBox, offsets);
  EXPECT_EQ(c.objectOffsets, (std::vector<std::int64_t>{sls, prg + 12, prg + 12 + 24 + 2 * 30, cmb + 12, dkt + 12,
                                                        wsq + 12}));
  EXPECT_EQ(c.kindWords, (std::vector<std::string>{"SetList", "Prog", "Prog", "Combi", "Drum", "Wave"}));
  EXPECT_EQ(c.rowOfObject(cmb + 12), 3u);
  EXPECT_EQ(c.rowOfObject(cmb), std::nullopt);
  EXPECT_EQ(c.msg, "Lines:6");
  EXPECT_EQ(f.reporter.pumps - pumpsBefore, 6);  // pending events before each bank row
  EXPECT_EQ(c.list.text(4, 5), Hex8(dkt + 12));  // kept beside the five shown columns
}

TEST_F(CatalogueBuild, BankNumbersRestartInEachParentChunk) {
  test::PcgBuilder builder;
  for (std::uint32_t code = 0; code < 14; ++code) builder.programBank(0x20000 + code, 1, 24);
  builder.programBank(0x8000, 128, 24, "MBK1").programBank(0x2000D, 1, 24, "MBK1");
  builder.combiBank(0, 1, 24).combiBank(0x20006, 1, 24);
  const Catalogue c = build(load("K.PCG", builder.build()));
  ASSERT_EQ(c.list.rows.size(), 18u);
  for (std::size_t j = 0; j < 16; ++j) {
    EXPECT_EQ(c.list.rows[j].caption, "Prog Bank");
    EXPECT_EQ(c.list.rows[j].cells[0], ZeroPad(static_cast<std::int64_t>(j) + 1, 2));
  }
  EXPECT_EQ(c.list.rows[13].cells, (std::vector<std::string>{"14", "U-GG", "HD-1", "1"}));
  EXPECT_EQ(c.list.rows[14].cells, (std::vector<std::string>{"15", "I-F", "EXi", "128"}));
  EXPECT_EQ(c.list.rows[16].caption, "Combi Bank");
  EXPECT_EQ(c.list.rows[16].cells[0], "01");
  EXPECT_EQ(c.list.rows[17].cells, (std::vector<std::string>{"02", "U-G", "", "1"}));
  EXPECT_EQ(c.msg, "Lines:18");
}

TEST_F(CatalogueBuild, KitAndSequenceLabelsFollowTheFirstLetterOfEachBankId) {
  const Bytes pcg = test::PcgBuilder()
                        .drumKitBank(0, 1, 24).drumKitBank(1, 1, 24)
                        .waveSequenceBank(2, 1, 24).waveSequenceBank(3, 1, 24).waveSequenceBank(4, 1, 24)
                        .build();
  const int index = load("L.PCG", pcg);
  const std::int64_t dkt = chunk(index, "DKT1"), wsq = chunk(index, "WSQ1");
  constexpr std::int64_t kBank = 24 + 24;
  poke(index, dkt + 12 + kBank, 'X');     // another letter keeps "Drum Kit"
  poke(index, wsq + 12, 'Q');             // and the label carries into the next parent
  poke(index, wsq + 12 + kBank, 'M');
  poke(index, wsq + 12 + 2 * kBank, 'C');
  const Catalogue c = build(index);
  std::vector<std::string> captions, offsets;
  for (const auto& row : c.list.rows) captions.push_back(row.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"Drum Kit Bank", "Drum Kit Bank", "Drum Kit Bank",
                                                "Prog [EXi] Bank", "Combi Bank"}));
  EXPECT_EQ(c.kindWords, (std::vector<std::string>{"Drum", "Drum", "Drum", "Prog", "Combi"}));
  EXPECT_EQ(c.offsetBox[3], "Prog [EXi] Bank I-D=" + Hex8(wsq + 12 + kBank));
  EXPECT_EQ(c.list.rows[4].cells, (std::vector<std::string>{"03", "I-E", "", "1", Hex8(wsq + 12 + 2 * kBank)}));
}

TEST_F(CatalogueBuild, SetListChunkWithoutItsBankGivesNoRow) {
  const int index = load("S.PCG", test::PcgBuilder().setLists(1, 32).programBank(0, 1, 24).build());
  const std::int64_t bank = SetListBankOffset(image(index), chunk(index, "SLS1"));
  poke(index, bank, 'X');
  const Catalogue c = build(index);
  ASSERT_EQ(c.list.rows.size(), 1u);
  EXPECT_EQ(c.list.rows[0].caption, "Prog Bank");
  EXPECT_EQ(c.msg, "Lines:1");
}

TEST_F(CatalogueBuild, PcgOfWrongLengthGivesAnEmptyCatalogueAndTheErrorText) {
  const Bytes pcg = test::PcgBuilder().programBank(0, 2, 30).build();
  const int index = load("BAD.PCG", pcg);
  poke(index, 23, image(index)[23] ^ 1);  // PCG1 size one off
  const std::string declared = HexText(BytesText(image(index), 20, 4));
  Catalogue c = build(index);
  const std::string error = "ERROR: PCG uncorrect length. *** Offset=00000014 " + declared +
                            " *** Must be " + Hex8(static_cast<std::int64_t>(pcg.size()));
  EXPECT_EQ(actionMsg(), error);
  EXPECT_TRUE(c.list.rows.empty());
  EXPECT_TRUE(c.offsetBox.empty());
  EXPECT_EQ(c.msg, error);  // the catalogue's own window says it too
  EXPECT_FALSE(c.caption.empty());

  poke(index, 23, image(index)[23] ^ 1);
  poke(index, chunk(index, "PRG1") + 7, image(index)[chunk(index, "PRG1") + 7] ^ 1);  // the walk now misses the end
  c = build(index);
  EXPECT_EQ(actionMsg(), "ERROR: PCG uncorrect length");
  EXPECT_TRUE(c.list.rows.empty());
  EXPECT_EQ(c.msg, "ERROR: PCG uncorrect length");
}

TEST_F(CatalogueBuild, PcgWithoutPcg1AtSixteenHasNoRows) {
  Bytes pcg = test::PcgBuilder().programBank(0, 1, 24).build();
  pcg.insert(pcg.begin() + 16, {'D', 'U', 'M', 'Y'});  // "PCG1" now at 20: the loader still takes it
  const Catalogue c = build(load("P.PCG", pcg));
  EXPECT_TRUE(c.list.rows.empty());
  EXPECT_EQ(c.msg, "Lines:0");
  EXPECT_EQ(actionMsg(), "CreateFormOpen: iopen=0; iForm=0");
}

TEST_F(CatalogueBuild, SngRowsOnePerSongWithMuteAndPlayCounts) {
  test::SngBuilder builder(test::kKronos);
  builder.song("Intro", 0, 0x8421).song("Verse", 1).song("A name of 24 characters!", 2, 0xFFFF);
  const std::int64_t o = builder.sng1Offset();
  const Bytes sng = builder.build();
  const int index = load("S.SNG", sng);
  const Catalogue c = build(index);
  EXPECT_EQ(c.caption, "0:SNG KORG KRONOS (bytes:" + std::to_string(sng.size()) + ") \\S.SNG");
  EXPECT_EQ(Captions(c), (std::vector<std::string>{"Object/80", "Index/50", "Song Name/100",
                                                   "Mute tracks/80", "Play tracks/80"}));
  const std::vector<TableRow> rows = {
      {"Song S000", {"1", "Intro" + std::string(19, ' '), "4", "12"}},
      {"Song S001", {"2", "Verse" + std::string(19, ' '), "0", "16"}},
      {"Song S002", {"3", "A name of 24 characters!", "16", "0"}},
  };
  EXPECT_EQ(c.list.rows, rows);
  // SDK1 holds 12 bytes and a 64-byte entry per song; each SDT1 is 692 bytes.
  const std::int64_t first = o + 12 + 12 + 12 + 3 * 64 + 12;
  EXPECT_EQ(c.offsetBox, (std::vector<std::string>{"Song S000=" + Hex8(first), "Song S001=" + Hex8(first + 692),
                                                   "Song S002=" + Hex8(first + 2 * 692)}));
  EXPECT_EQ(c.objectOffsets, (std::vector<std::int64_t>{first, first + 692, first + 2 * 692}));
  EXPECT_EQ(c.kindWords, std::vector<std::string>(3, "Song"));
  EXPECT_EQ(c.msg, "Lines:3");
  EXPECT_EQ(actionMsg(), "CreateFormOpen: iopen=0; iForm=0");
}

TEST_F(CatalogueBuild, SngErrorsNameTheFileOfTheCatalogue) {
  test::SngBuilder builder(test::kOasys);
  builder.song("Intro", 7);
  const std::int64_t o = builder.sng1Offset();
  const int index = load("S.SNG", builder.build());
  const std::string last = dir.write("LAST.PCG", test::SmallestPcg());
  (void)f.open(last);

  poke(index, o + 7, image(index)[o + 7] ^ 1);
  Catalogue c = build(index);
  EXPECT_EQ(actionMsg(), "Format ERROR  Invalid length of SNG1_Data:S.SNG");
  EXPECT_TRUE(c.list.rows.empty());
  EXPECT_EQ(c.msg, "Format ERROR  Invalid length of SNG1_Data:S.SNG");
  EXPECT_EQ(c.list.columns[2].caption, "Song Name");

  poke(index, o, 'X');
  c = build(index);
  EXPECT_EQ(actionMsg(), "Format ERROR  : SNG1 missing S.SNG");
  EXPECT_TRUE(c.list.rows.empty());
  EXPECT_EQ(c.msg, "Format ERROR  : SNG1 missing S.SNG");
}

TEST_F(CatalogueBuild, SngLengthIsCheckedAtTheSongChunkNotAtAStrayEarlierText) {
  test::SngBuilder builder(test::kKronos);
  builder.song("Intro", 0);
  Bytes sng = builder.build();
  for (std::size_t i = 0; i < 4; ++i) sng[8 + i] = static_cast<std::uint8_t>("SNG1"[i]);  // header bytes not interpreted
  const Catalogue c = build(load("S.SNG", sng));
  EXPECT_EQ(c.list.rows.size(), 1u);
  EXPECT_EQ(c.msg, "Lines:1");
}

TEST_F(CatalogueBuild, HostileSongChunkSizesEndTheWalk) {
  test::SngBuilder builder(test::kKronos);
  builder.song("A", 0).song("B", 1);
  const std::int64_t o = builder.sng1Offset();
  const int index = load("S.SNG", builder.build());
  const std::int64_t firstSong = o + 12 + 12 + 12 + 2 * 64 + 12;
  for (const std::uint32_t size : {0xFFFFFFF4u, 0x80000000u, 0x7FFFFFFFu}) {
    test::Bytes field;
    test::AppendBigEndian32(field, size);
    for (std::size_t k = 0; k < field.size(); ++k) poke(index, firstSong + 4 + static_cast<std::int64_t>(k), field[k]);
    const Catalogue c = build(index);
    EXPECT_EQ(c.list.rows.size(), 1u) << size;
  }
}

TEST_F(CatalogueBuild, SysexRowsOnePerMessageComputedFromTheImage) {
  // Garbage, a 6-byte message, an $F0 inside an open message, an unterminated tail.
  Bytes bytes = {0x00, 0x7F};
  const Bytes first = test::M1Message(0x21);
  bytes.insert(bytes.end(), first.begin(), first.end());
  bytes.insert(bytes.end(), {0xF0, 0x41, 0xF0, 0x42, 0x30, 0x19, 0x21, 0xF7, 0xF0, 0x43});
  f.dialogs.openAnswers.push_back(dir.write("M1.SYX", bytes));
  ASSERT_TRUE(f.window.openAsSysex().ok());
  const Catalogue c = build(0);

  EXPECT_EQ(Captions(c), (std::vector<std::string>{"Header (hex)/100", "Index/50", "Manufacture/Model ID/180",
                                                    "Offset (hex)/80", "Length/60"}));
  std::vector<std::string> rows;
  for (std::size_t r = 0; r < c.rowCount(); ++r) {
    std::string row = c.descriptorLine(r);
    for (std::size_t column = 0; column < c.columns().size(); ++column) row += "|" + c.text(r, column);
    rows.push_back(row);
  }
  EXPECT_EQ(rows, (std::vector<std::string>{
                      "Sysex F042301921F7=00000002|Sysex F042301921F7|1|" + SysexText(first) + "|00000002|6",
                      "Sysex F041F0423019=00000008|Sysex F041F0423019|2| Unknown byte[2]=41|00000008|8"}));
  EXPECT_EQ(c.msg, "Lines:2");
  EXPECT_EQ(c.descriptorLine(2), "");
  EXPECT_EQ(c.objectOffset(1), 8);
  EXPECT_EQ(c.kindWord(1), "Sysex");
  EXPECT_EQ(c.objectOffset(2), std::nullopt);
}

TEST_F(CatalogueBuild, AnIndexOutsideTheRegistryBuildsNothing) {
  const Catalogue c = build(5, 2);
  EXPECT_EQ(actionMsg(), "CreateFormOpen: iopen=5; iForm=2");
  EXPECT_TRUE(c.list.rows.empty());
  EXPECT_EQ(c.caption, "");
}

TEST(CataloguePlacement, EachLaterWindowMovesDownAndRightWrappingWithinTheScreen) {
  EXPECT_EQ(CataloguePlacement(0, 1024, 768), (WindowPlace{192, 114}));
  EXPECT_EQ(CataloguePlacement(1, 1024, 768), (WindowPlace{208, 130}));
  // columns = (1024 - 192 - 48) div 16 = 49, rows = (768 - 114 - 36) div 16 = 38
  EXPECT_EQ(CataloguePlacement(38, 1024, 768), (WindowPlace{192 + 38 * 16, 114 - 16}));
  EXPECT_EQ(CataloguePlacement(49, 1024, 768), (WindowPlace{192, 114 - 16 + 11 * 16}));
  // A screen too small for a step keeps one column and one row.
  EXPECT_EQ(CataloguePlacement(3, 100, 100), (WindowPlace{192, 114 - 3 * 16}));
  // Rows never climb above the top of the screen.
  EXPECT_EQ(CataloguePlacement(38 * 9, 1024, 768).top, 0);
}

}  // namespace
}  // namespace patchlore
