#include "library/library_indexer.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/midi_file_builder.hpp"
#include "support/pcg_builder.hpp"
#include "support/result_text.hpp"
#include "support/sng_builder.hpp"
#include "support/sysex_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

using test::Bytes;

class LibraryIndexerTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::filesystem::path files = dir.path() / "files";
  std::string at(const char* name) const { return (files / name).string(); }

  LibraryStore open() {
    Result<LibraryStore> store = LibraryStore::Open((dir.path() / "library.sqlite").string());
    if (!store) ADD_FAILURE() << test::ResultText(store);
    return std::move(*store);
  }
  void write(const char* name, const Bytes& bytes) {
    std::filesystem::create_directories(files / "sub");
    dir.write((std::filesystem::path("files") / name).string(), bytes);
  }
};

TEST_F(LibraryIndexerTest, IndexesWhatTheLoaderTakesSkipsWhatIsUnchangedAndPrunesWhatIsGone) {
  write("A.PCG", test::PcgBuilder().programBank(0x00020000, 2).combiBank(0x00000001, 1).build());
  write("sub/S.SNG", test::SngBuilder(test::kOasys).song("Intro", 4).build());
  write("B.PCG", Bytes{0x4B, 0x4F, 0x52, 0x47, 0x21});  // begins as a PCG does, and ends there
  write("notes.txt", Bytes{0x4B, 0x4F, 0x52, 0x58, 0x21});
  write("sub/M.SYX", Bytes{0xF0, 0x42, 0x30, 0x68, 0x41, 0xF7});
  std::filesystem::create_directory_symlink(files, files / "sub" / "loop");
  LibraryStore store = open();
  LibraryIndexer indexer(store);
  const std::vector<std::string> lines = indexer.add({files.string()});
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Indexed: " + at("A.PCG") + "\t3 patches");
  EXPECT_EQ(lines[1], "Refused: " + at("B.PCG") + "\tFormat ERROR-3.Unknown Model_ID<21> of KORG");
  EXPECT_EQ(lines[2], "Indexed: " + at("sub/S.SNG") + "\t1 patches");
  EXPECT_EQ(lines[3], "Passed over: 2 files that are not PCG or SNG files");
  EXPECT_TRUE(indexer.refused());
  EXPECT_FALSE(indexer.failed());
  EXPECT_EQ(indexer.counts().patches, 4);
  EXPECT_EQ(store.find("Intro", 'S', "")->size(), 1u);

  EXPECT_EQ(LibraryIndexer(store).add({at("A.PCG")}), (std::vector<std::string>{"Unchanged: " + at("A.PCG")}));
  std::filesystem::remove(at("sub/S.SNG"));
  EXPECT_EQ(*PruneLibrary(store), (std::vector<std::string>{"Removed: " + at("sub/S.SNG")}));
  EXPECT_EQ(store.stats()->files, 1);
}

TEST_F(LibraryIndexerTest, AStopAfterAFileKeepsWhatWasStored) {
  write("A.PCG", test::PcgBuilder().programBank(0x00020000, 1).build());
  write("B.PCG", test::PcgBuilder().programBank(0x00020000, 1).build());
  LibraryStore store = open();
  LibraryIndexer indexer(store, [](const IndexCounts&) { return false; });
  EXPECT_EQ(indexer.add({files.string()}),
            (std::vector<std::string>{"Indexed: " + at("A.PCG") + "\t1 patches", "Stopped"}));
  EXPECT_EQ(*store.filePaths(), (std::vector<std::string>{at("A.PCG")}));
}

// The same 100 M1 programs under other names, in a .syx file and, after a
// GM reset, in a MIDI file: each sound is one group of two.
TEST_F(LibraryIndexerTest, TheSameM1ProgramsInASyxAndAMidiFileAreDuplicates) {
  const Bytes dump = test::M1PatchDump(0x4C, test::M1Names("Prog"));
  const Bytes renamed = test::M1PatchDump(0x4C, test::M1Names("Mid"));
  write("M1.syx", dump);
  write("M1.mid", test::MidiFileBuilder(0)
                      .track()
                      .sysex(0, {0x7E, 0x7F, 0x09, 0x01, 0xF7})
                      .sysex(10, Bytes(renamed.begin() + 1, renamed.end()))
                      .endOfTrack()
                      .build());
  LibraryStore store = open();
  EXPECT_EQ(LibraryIndexer(store).add({files.string()}),
            (std::vector<std::string>{"Indexed: " + at("M1.mid") + "\t100 patches",
                                      "Indexed: " + at("M1.syx") + "\t100 patches"}));
  std::vector<std::vector<FoundPatch>> groups = *store.dupes(0, false);
  std::sort(groups.begin(), groups.end(), [](const auto& a, const auto& b) { return a[0].key < b[0].key; });
  ASSERT_EQ(groups.size(), 100u);
  for (int k = 0; k < 100; ++k) {
    const std::string number = (k < 10 ? "0" : "") + std::to_string(k);
    EXPECT_EQ(groups[static_cast<std::size_t>(k)],
              (std::vector<FoundPatch>{{at("M1.mid"), 'M', "1:" + number, "Mid " + number},
                                       {at("M1.syx"), 'M', "0:" + number, "Prog " + number}}));
  }
}

// An M1 name is found whatever the dump: a NUL blank shows as a blank, a
// single dump's patch is 00 under its message.
TEST_F(LibraryIndexerTest, FindsM1ProgramsAndCombinationsByName) {
  std::vector<std::string> names = test::M1Names("Prog");
  names[42] = std::string("Gran\0bient", 10);
  Bytes file = test::M1PatchDump(0x4C, names);
  const Bytes combination = test::M1PatchDump(0x49, {"Ambient Sp"});
  file.insert(file.end(), combination.begin(), combination.end());
  write("M1.SYX", file);
  LibraryStore store = open();
  (void)LibraryIndexer(store).add({files.string()});
  EXPECT_EQ(*store.find("BIENT", 0, ""), (std::vector<FoundPatch>{{at("M1.SYX"), 'M', "0:42", "Gran bient"},
                                                                  {at("M1.SYX"), 'N', "1:00", "Ambient Sp"}}));
}

TEST_F(LibraryIndexerTest, StatsCountM1ProgramsAndCombinations) {
  Bytes file = test::M1PatchDump(0x4D, test::M1Names("Combi"));
  for (const char* name : {"One", "Two"}) {
    const Bytes single = test::M1PatchDump(0x40, {name});
    file.insert(file.end(), single.begin(), single.end());
  }
  write("M1.syx", file);
  write("A.PCG", test::PcgBuilder().programBank(0x00020000, 2).build());
  LibraryStore store = open();
  (void)LibraryIndexer(store).add({files.string()});
  const LibraryStats stats = *store.stats();
  EXPECT_EQ(stats.files, 2);
  EXPECT_EQ(stats.patchesPerKind,
            (std::vector<std::pair<char, std::int64_t>>{
                {'P', 2}, {'C', 0}, {'D', 0}, {'W', 0}, {'T', 0}, {'S', 0}, {'M', 2}, {'N', 100}}));
}

// A MIDI file cut short is refused with the reader's reason; a .syx file
// that no longer holds an M1 dump is held without patches, not left with
// the patches it had.
TEST_F(LibraryIndexerTest, ACutMidiFileIsRefusedAndASyxFileThatLostItsDumpsKeepsNoPatches) {
  write("M1.syx", test::M1PatchDump(0x40, {"Grandbient"}));
  Bytes cut = test::MidiFileBuilder(0).track().sysex(0, {0x7E, 0x7F, 0x09, 0x01, 0xF7}).endOfTrack().build();
  cut.resize(cut.size() - 3);
  write("cut.mid", cut);
  LibraryStore store = open();
  LibraryIndexer indexer(store);
  const std::vector<std::string> lines = indexer.add({files.string()});
  EXPECT_EQ(lines, (std::vector<std::string>{"Indexed: " + at("M1.syx") + "\t1 patches",
                                             "Refused: " + at("cut.mid") +
                                                 "\tMIDI file: The chunk at offset $0000000E is 12 bytes long, past "
                                                 "the end of the file (bytes that follow: 9)"}));
  EXPECT_TRUE(indexer.refused());

  write("M1.syx", Bytes{0xF0, 0x42, 0x30, 0x68, 0x41, 0xF7});
  EXPECT_EQ(LibraryIndexer(store).add({at("M1.syx")}),
            (std::vector<std::string>{"Indexed: " + at("M1.syx") + "\t0 patches"}));
  EXPECT_EQ(store.find("Grandbient", 0, "")->size(), 0u);
}

}  // namespace
}  // namespace patchlore
