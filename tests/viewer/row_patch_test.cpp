// Which patch a row of a viewer's table belongs to: what "Edit name..." opens.
#include <gtest/gtest.h>

#include "viewer_fixture.hpp"

namespace patchlore {
namespace {

std::vector<std::size_t> FirstRows(const ViewerCore& viewer) {
  std::vector<std::size_t> rows;
  for (const ListedPatch& patch : viewer.state().listedPatches) rows.push_back(patch.firstRow);
  return rows;
}

TEST(RowPatch, EveryRowOfAPatchGivesItsBankAndNumber) {
  test::ViewerFixture f;
  const int file = f.load("A.PCG", test::PcgBuilder().programBank(0, 2).programBank(1, 2).combiBank(0x20000, 2).build());
  const auto programs = f.programBanks(file);
  auto prog = f.viewer(file, {f.Line(programs[0]), f.Line(programs[1])});
  prog->pressShow();
  const std::vector<std::size_t> starts = FirstRows(*prog);
  ASSERT_EQ(starts.size(), 4u);
  EXPECT_EQ(prog->patchOfRow(starts[2] - 1), (RowPatch{file, programs[0], 1}));
  EXPECT_EQ(prog->patchOfRow(starts[2]), (RowPatch{file, programs[1], 0}));
  EXPECT_FALSE(prog->patchOfRow(prog->state().table.rows.size()));

  const Image image = f.registry().image(file);
  const std::int64_t combis = BankRun(image, FindChunk("CMB1", image), BankRunKind::Combinations).front();
  auto combi = f.viewer(file, {test::ViewerFixture::Object("Combi Bank", combis)}, "Combi");
  combi->pressShow();
  const std::vector<std::size_t> firsts = FirstRows(*combi);
  ASSERT_EQ(firsts.size(), 2u);
  ASSERT_GT(firsts[1], 1u);  // a combination takes a row per timbre
  EXPECT_EQ(combi->patchOfRow(firsts[1] - 1), (RowPatch{file, combis, 0}));
  EXPECT_EQ(combi->patchOfRow(firsts[1]), (RowPatch{file, combis, 1}));
}

}  // namespace
}  // namespace patchlore
