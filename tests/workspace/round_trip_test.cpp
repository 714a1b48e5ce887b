// A file loaded and saved without changes is written back byte for byte, and
// a bank written onto itself leaves the image as it was.
#include <gtest/gtest.h>

#include "banks/bank_manager.hpp"
#include "support/loaded_image.hpp"
#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "support/sng_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

using test::Bytes;
using test::PcgBuilder;

std::vector<Bytes> SyntheticFiles() {
  return {test::SmallestPcg(),
          test::SmallestPcg(test::kOasys),
          PcgBuilder().setLists(2, 64).programBank(0, 3).programBank(0x8000, 1, test::kProgramSize, "MBK1")
              .combiBank(0x20000, 2).drumKitBank(1, 2, 40).waveSequenceBank(2, 3, 30).withIni().build(),
          PcgBuilder(test::kOasys).programBank(0x20001, 4).combiBank(4, 1).withIni().build(),
          test::SngBuilder(test::kOasys).song("Intro", 1, 0x0003).song("Outro", 9).build(),
          test::SngBuilder(test::kKronos).song("Only", 2).build()};
}

TEST(RoundTrip, SavePcgWithoutChangesWritesEveryFileBackByteForByte) {
  test::TempDir dir;
  test::MainWindowFixture f;
  const std::vector<Bytes> files = SyntheticFiles();
  for (std::size_t k = 0; k < files.size(); ++k) {
    const std::string name = "F" + std::to_string(k) + (k < 4 ? ".PCG" : ".SNG");
    ASSERT_TRUE(f.open(dir.write(name, files[k]))) << name;
    const std::string out = (dir.path() / ("OUT" + name)).string();
    f.dialogs.saveAnswers = {out};
    f.window.savePcg({static_cast<int>(k)});
    EXPECT_EQ(test::TempDir::read(out), std::string(files[k].begin(), files[k].end())) << name;
  }
}

TEST(RoundTrip, WritingEveryBankOntoItselfLeavesTheImageAsItWas) {
  int written = 0;
  for (const Bytes& file : SyntheticFiles()) {
    Workspace workspace;
    const Registry& registry = workspace.registry();
    workspace.registry().add(ByteBuffer::CopyOf(file), "/tmp/F.PCG", test::FactsOfType("PCG KORG KRONOS"));
    BankManager manager(workspace);
    manager.open();
    manager.chooseFile(BankSide::From, 0);
    manager.chooseFile(BankSide::To, 0);
    for (int line = 0; line < static_cast<int>(manager.state().from.banks.size()); ++line) {
      manager.chooseBank(BankSide::From, line);
      manager.chooseBank(BankSide::To, line);
      if (manager.write()) ++written;  // a bank whose stored sum is wrong is refused, and changes nothing either
      const Image image = registry.image(0);
      EXPECT_TRUE(std::equal(image.begin(), image.end(), file.begin(), file.end())) << "bank line " << line;
    }
  }
  EXPECT_EQ(written, 5);  // the program and combination banks of the two larger PCGs
}

}  // namespace
}  // namespace patchlore
