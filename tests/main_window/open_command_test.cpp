#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "common/bytes.hpp"
#include "formats/sng.hpp"
#include "support/fakes.hpp"
#include "support/loaded_image.hpp"
#include "support/pcg_builder.hpp"
#include "support/result_text.hpp"
#include "support/sng_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

using test::Bytes;

class OpenCommand : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::MainWindowFixture f;

  const MainWindowState& state() const { return f.window.state(); }
  // Loads bytes written to a file of that name; returns the closing status text.
  std::string load(const std::string& name, const Bytes& bytes) {
    (void)f.open(dir.write(name, bytes));
    return state().actionMsg;
  }
  Bytes header(std::uint8_t model, std::size_t size) {
    Bytes b(size, 0);
    const char korg[] = {'K', 'O', 'R', 'G'};
    for (std::size_t i = 0; i < 4 && i < size; ++i) b[i] = static_cast<std::uint8_t>(korg[i]);
    if (size > 4) b[4] = model;
    return b;
  }
};

TEST_F(OpenCommand, StartUpTexts) {
  EXPECT_EQ(state().caption, "Patchlore ");
  EXPECT_EQ(state().msgView, "  Please, Open and try to load file.");
  EXPECT_EQ(state().actionMsg, "ActionMsg");
  EXPECT_TRUE(state().view.empty());
  EXPECT_EQ(f.window.registry().count(), 0);
  EXPECT_EQ(f.window.registry().linkedPcgIndex(), -1);
}

// Open gives the registry index of the file it added, or the closing text
// that says why it added none.
TEST_F(OpenCommand, ResultIsTheNewIndexOrTheClosingText) {
  const Bytes pcg = test::PcgBuilder().programBank(0, 1, 200).build();
  EXPECT_EQ(test::ResultText(f.open(dir.write("A.PCG", pcg))), "ok");
  const Result<int> second = f.open(dir.write("B.PCG", pcg));
  ASSERT_TRUE(second.ok());
  EXPECT_EQ(*second, 1);
  EXPECT_EQ(test::ResultText(f.open(dir.write("C.PCG", header(0x68, 10)))),
            "Format ERROR-4. Type of file not defined for KORG KRONOS");
  EXPECT_EQ(test::ResultText(f.open(dir.path().string())), "Format ERROR-1. Unknown file_Header'' - must be 'KORG'");
  // A named pipe with no writer is refused at once, as a folder is, instead
  // of holding the program until something writes to it.
  const std::string pipe = (dir.path() / "PIPE").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(test::ResultText(f.open(pipe)), "Format ERROR-1. Unknown file_Header'' - must be 'KORG'");
  f.dialogs.openAnswers.push_back(std::nullopt);
  EXPECT_EQ(test::ResultText(f.window.openFile()), "No file chosen");
}

TEST_F(OpenCommand, LoadsAPcgWithItsRowAndTexts) {
  const Bytes pcg = test::PcgBuilder().programBank(0, 3, 200).build();
  EXPECT_EQ(load("A.PCG", pcg), "PCG KORG KRONOS load from file<A.PCG>");
  const std::string n = std::to_string(pcg.size());
  EXPECT_EQ(state().caption, "Patchlore Open file <A.PCG> Bytes:" + n);
  EXPECT_EQ(state().view, (std::vector<std::string>{"Patchlore Open file <A.PCG> Bytes:" + n,
                                                    "Patchlore  ---End of File--- <A.PCG>"}));
  EXPECT_EQ(state().msgView, "  Loaded:1;   Please, Open and try to Load file.");
  const auto& row = f.window.registry().row(0);
  EXPECT_EQ(row.index, "0");
  EXPECT_EQ(row.fileName, "A.PCG");
  EXPECT_EQ(row.bytes, n);
  EXPECT_EQ(row.type, "PCG KORG KRONOS");
  EXPECT_EQ(row.filePath, dir.path().string() + "/");
  EXPECT_EQ(f.window.registry().linkedPcgIndex(), 0);
  const auto image = f.window.registry().image(0);
  EXPECT_TRUE(std::equal(image.begin(), image.end(), pcg.begin(), pcg.end()));
  EXPECT_FALSE(state().progress.visible);
  EXPECT_FALSE(state().loadRunning);
}

TEST_F(OpenCommand, ReportsEveryStepInOrder) {
  load("A.PCG", test::SmallestPcg(test::kOasys));
  const std::vector<std::string> expected = {
      "OpenDialog",
      " Read file  <A.PCG>",
      " Close file <A.PCG>",
      " Finally read <A.PCG>",
      "Open file <A.PCG> Bytes:52: Type checking...",
      "Type of file not defined for KORG OASYS Alloc in Memory <A.PCG>",
      "Copy Buffer to PCList.Items[0]",
      "PCG KORG OASYS PCG defined <A.PCG>",
      "PCG KORG OASYS end of reading <A.PCG>",
      "PCG KORG OASYS load from file<A.PCG>",
  };
  EXPECT_EQ(f.reporter.statuses, expected);
}

TEST_F(OpenCommand, HeaderAndModelErrors) {
  EXPECT_EQ(load("M.MID", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6}),
            "Format ERROR-1. Unknown file_Header'MThd' - must be 'KORG'");
  EXPECT_EQ(state().view.back(), "Patchlore Format ERROR-1. Unknown file_Header'MThd' - must be 'KORG'");
  EXPECT_EQ(load("T.BIN", Bytes{'K', 'O', ' ', '\n'}), "Format ERROR-1. Unknown file_Header'KO' - must be 'KORG'");
  EXPECT_EQ(load("E.BIN", Bytes{}), "Format ERROR-1. Unknown file_Header'' - must be 'KORG'");
  EXPECT_EQ(load("K.BIN", header(0, 4)), "Format ERROR-2. Missing Model_ID_Byte");
  EXPECT_EQ(load("X.BIN", header(0x6A, 30)), "Format ERROR-3.Unknown Model_ID<6A> of KORG");
  EXPECT_EQ(load("S.BIN", header(0x68, 5)), "Format ERROR-4. Type of file not defined for KORG KRONOS");
  EXPECT_EQ(load("O.BIN", header(0x70, 23)), "Format ERROR-4. Type of file not defined for KORG OASYS");
  EXPECT_EQ(load("Z.BIN", header(0x70, 44)),
            "Format ERROR-5.Type of file not defined for KORG OASYSUnknown file_Type: not SNG and not PCG. ");
  EXPECT_EQ(f.window.registry().count(), 0);
  EXPECT_EQ(state().msgView, "  Please, Open and try to Load file.");
  EXPECT_EQ(state().caption, "Patchlore Open file <Z.BIN> Bytes:44");
  EXPECT_EQ(state().view.size(), 2u);
}

TEST_F(OpenCommand, PcgPositionRules) {
  Bytes image = header(0x68, 200);
  std::copy_n("PCG1", 4, image.begin() + 20);
  std::copy_n("SNG1", 4, image.begin() + 100);
  EXPECT_EQ(load("6.PCG", image),
            "Format ERROR-6.Type of file not defined for KORG KRONOS: Invalid PCG. offsetPCG1 must be $00000010");
  std::copy_n("XXXX", 4, image.begin() + 100);
  EXPECT_EQ(load("P.PCG", image), "PCG KORG KRONOS load from file<P.PCG>");

  Bytes at16 = test::SmallestPcg();
  at16.resize(120, 0);
  std::copy_n("SNG1", 4, at16.begin() + 100);
  EXPECT_EQ(load("Q.PCG", at16), "PCG KORG KRONOS load from file<Q.PCG>");

  Bytes sngFirst = header(0x68, 200);
  std::copy_n("SNG1", 4, sngFirst.begin() + 50);
  std::copy_n("PCG1", 4, sngFirst.begin() + 100);
  EXPECT_EQ(load("R.PCG", sngFirst), "PCG KORG KRONOS load from file<R.PCG>");
  EXPECT_EQ(f.window.registry().count(), 3);
}

TEST_F(OpenCommand, SngFilesAndTheirErrors) {
  const Bytes sng = test::SngBuilder(test::kOasys).song("Intro", 1).build();
  EXPECT_EQ(load("S.SNG", sng), "SNG KORG OASYS load from file<S.SNG>");
  EXPECT_EQ(f.window.registry().type(0), "SNG KORG OASYS");
  EXPECT_EQ(f.window.registry().linkedPcgIndex(), -1);
  EXPECT_EQ(f.reporter.statuses[7], "SNG KORG OASYS SNG defined <S.SNG>");

  Bytes misplaced = sng;
  test::PutBigEndian32(misplaced, 32, 296);
  const auto viewBefore = state().view.size();
  (void)f.open(dir.write("M.SNG", misplaced));
  EXPECT_EQ(state().actionMsg, "Format ERROR  : SNG1 missing M.SNG");
  EXPECT_EQ(state().view.size(), 1u);  // only the "Open file" line
  (void)viewBefore;

  Bytes longer = sng;
  longer.push_back(0);
  const std::string word = HexText(BytesText(Image(sng), SngPosition(Image(sng)) + 4, 4));
  EXPECT_EQ(load("L.SNG", longer), "Format ERROR-10.SNG KORG OASYS Invalid length of SNG1_Data:" + word);
  EXPECT_NE(std::find(f.reporter.statuses.begin(), f.reporter.statuses.end(),
                      "Format ERROR  Invalid length of SNG1_Data:L.SNG"),
            f.reporter.statuses.end());
  EXPECT_EQ(state().view.back(), "Patchlore Format ERROR-10.SNG KORG OASYS Invalid length of SNG1_Data:" + word);
  EXPECT_EQ(f.window.registry().count(), 1);

  Bytes beforeStart = sng;
  test::PutBigEndian32(beforeStart, 32, 0xFFFFFF00u);  // SNG1 before offset 0
  EXPECT_EQ(load("B.SNG", beforeStart), "Format ERROR  : SNG1 missing B.SNG");
  test::PutBigEndian32(beforeStart, 32, 0x7FFFFFF0u);  // far past the end
  EXPECT_EQ(load("C.SNG", beforeStart), "Format ERROR  : SNG1 missing C.SNG");
}

TEST_F(OpenCommand, RegistryIndexesAndLinkedPcg) {
  const Bytes pcg = test::SmallestPcg();
  load("A.PCG", pcg);
  load("BAD", Bytes{'x'});
  load("S.SNG", test::SngBuilder().build());
  load("A.PCG", pcg);
  auto& registry = f.window.registry();
  ASSERT_EQ(registry.count(), 3);
  EXPECT_EQ(registry.row(1).index, "1");
  EXPECT_EQ(registry.row(2).index, "2");
  EXPECT_EQ(registry.linkedPcgIndex(), 0);  // the second PCG does not change it
  test::Poke(f.workspace, 0, 40, 0x55);     // two loads of one file are independent
  EXPECT_EQ(registry.image(2)[40], 0);
  EXPECT_EQ(state().msgView, "  Loaded:3;   Please, Open and try to Load file.");
  EXPECT_EQ(FileWindowCaption(registry, 1),
            "1:SNG KORG KRONOS (bytes:" + std::to_string(registry.size(1)) + ") \\S.SNG");
}

TEST_F(OpenCommand, CancelledDialogChangesNothing) {
  f.dialogs.openAnswers.push_back(std::nullopt);
  (void)f.window.openFile();
  EXPECT_EQ(state().actionMsg, "OpenDialog");
  EXPECT_EQ(state().caption, "Patchlore ");
  EXPECT_EQ(state().msgView, "  Please, Open and try to load file.");
}

// The design's texts stay; the log adds why the file was not read.
TEST_F(OpenCommand, UnreadableFilesReadAsEmptyAndTheLogSaysWhy) {
  EXPECT_EQ(load("dir-does-not-matter", Bytes{}), "Format ERROR-1. Unknown file_Header'' - must be 'KORG'");
  const std::string folder = dir.path().string();
  (void)f.open(folder);
  EXPECT_EQ(state().actionMsg, "Format ERROR-1. Unknown file_Header'' - must be 'KORG'");
  const std::string name = dir.path().filename().string();
  EXPECT_EQ(state().view,
            (std::vector<std::string>{"Patchlore Open file <" + name + "> Bytes:0",
                                      "Patchlore cannot read " + folder + ": Is a directory",
                                      "Patchlore Format ERROR-1. Unknown file_Header'' - must be 'KORG'"}));
  const std::string missing = (dir.path() / "missing.pcg").string();
  (void)f.open(missing);
  EXPECT_EQ(state().actionMsg, "Format ERROR-1. Unknown file_Header'' - must be 'KORG'");
  EXPECT_EQ(state().view[1], "Patchlore cannot read " + missing + ": No such file or directory");
  EXPECT_EQ(f.window.registry().count(), 0);
}

TEST_F(OpenCommand, FileOverTwoGigabytesIsRefusedUnread) {
  const auto path = dir.path() / "HUGE.PCG";
  { std::ofstream(path) << "KORG"; }
  std::filesystem::resize_file(path, 2147483648ull);  // sparse: nothing is written
  (void)f.open(path.string());
  const std::string error =
      "ERROR: File too large <HUGE.PCG> Bytes:2147483648; at most 2147483647 bytes can be loaded";
  EXPECT_EQ(state().actionMsg, error);
  EXPECT_EQ(state().view, std::vector<std::string>{"Patchlore " + error});
  EXPECT_EQ(f.window.registry().count(), 0);
}

TEST_F(OpenCommand, LoadRunsOneAtATimeAndPumpsAtABoundedRate) {
  const Bytes big = test::PcgBuilder().programBank(0, 128).programBank(1, 128).build();  // ~1.3 MB
  int nested = 0;
  f.reporter.onPump = [&] {
    if (!state().loadRunning) return;
    f.dialogs.openAnswers.push_back(dir.write("other.PCG", test::SmallestPcg()));
    (void)f.window.openFile();  // a second Open while one runs does nothing
    f.dialogs.openAnswers.clear();
    ++nested;
  };
  load("BIG.PCG", big);
  EXPECT_GT(nested, 0);
  EXPECT_EQ(f.window.registry().count(), 1);
  EXPECT_LT(f.reporter.pumps, 64);  // per block, not per byte
  for (const auto& p : f.reporter.progress) EXPECT_TRUE(!p.visible || p.position % 1024000 == 0);
  EXPECT_NE(std::find_if(f.reporter.progress.begin(), f.reporter.progress.end(),
                         [](const ProgressBar& p) { return p.position == 1024000; }),
            f.reporter.progress.end());
}

// The closing text the rules give for the first n bytes of a valid file.
std::string TruncatedOpenText(std::size_t n, const std::string& whenKorgKronos) {
  if (n < 4) return "Format ERROR-1. Unknown file_Header'" + std::string("KORG").substr(0, n) + "' - must be 'KORG'";
  if (n == 4) return "Format ERROR-2. Missing Model_ID_Byte";
  if (n < 24) return "Format ERROR-4. Type of file not defined for KORG KRONOS";
  return whenKorgKronos;
}

TEST_F(OpenCommand, EveryTruncationOfAValidPcgAndSng) {
  const Bytes pcg = test::PcgBuilder().programBank(0, 2, 100).build();
  for (std::size_t n = 0; n <= pcg.size(); ++n) {
    const std::string msg = load("T.PCG", Bytes(pcg.begin(), pcg.begin() + static_cast<std::ptrdiff_t>(n)));
    // the loader checks no chunk lengths: any cut that keeps "PCG1" loads
    EXPECT_EQ(msg, TruncatedOpenText(n, "PCG KORG KRONOS load from file<T.PCG>")) << n;
  }
  const Bytes sng = test::SngBuilder().song("Verse", 3).build();
  const auto o = static_cast<std::size_t>(SngPosition(Image(sng)));
  for (std::size_t n = 0; n <= sng.size(); ++n) {
    const Bytes cut(sng.begin(), sng.begin() + static_cast<std::ptrdiff_t>(n));
    std::string expected;
    if (n < o + 4)
      expected = "Format ERROR-5.Type of file not defined for KORG KRONOSUnknown file_Type: not SNG and not PCG. ";
    else if (n < sng.size())
      expected = "Format ERROR-10.SNG KORG KRONOS Invalid length of SNG1_Data:" +
                 HexText(BytesText(Image(cut), static_cast<std::int64_t>(o) + 4, 4));
    else
      expected = "SNG KORG KRONOS load from file<T.SNG>";
    EXPECT_EQ(load("T.SNG", cut), TruncatedOpenText(n, expected)) << n;
  }
  EXPECT_EQ(f.window.registry().count(), static_cast<int>(pcg.size()) - 23 + 1);
}

TEST(CatalogueRequests, SelectedRowsInOrderWithGrowingCounter) {
  test::TempDir dir;
  test::MainWindowFixture f;
  for (int i = 0; i < 3; ++i) (void)f.open(dir.write("A.PCG", test::SmallestPcg()));
  const auto first = f.window.catalogueRequestsFor({2, 0});
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first[0].index, 0);
  EXPECT_EQ(first[0].counter, 0);
  EXPECT_EQ(first[1].index, 2);
  EXPECT_EQ(first[1].counter, 1);
  EXPECT_EQ(f.window.catalogueRequestsFor({1})[0].counter, 2);
  EXPECT_TRUE(f.window.catalogueRequestsFor({7}).empty());
}

}  // namespace
}  // namespace patchlore
