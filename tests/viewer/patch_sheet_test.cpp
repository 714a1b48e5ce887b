#include "viewer/patch_sheet.hpp"

#include <gtest/gtest.h>

namespace patchlore {
namespace {

Table RowsOfOneColumn(std::size_t rows) {
  Table table;
  table.columns = {{"Index"}};
  table.rows.resize(rows);
  return table;
}

TEST(PatchSheet, RowsAreSplitIntoNumberedPages) {
  const PatchSheet sheet = LayOutSheet(RowsOfOneColumn(7), {"A.PCG", "Prog 0:A.PCG", "2026-01-31"}, 100, 3);
  EXPECT_EQ(sheet.header, (SheetHeader{"A.PCG", "Prog 0:A.PCG", "2026-01-31"}));
  EXPECT_EQ(sheet.pages, (std::vector<SheetPage>{{0, 3, "Page 1 of 3"}, {3, 6, "Page 2 of 3"}, {6, 7, "Page 3 of 3"}}));
  EXPECT_EQ(LayOutSheet(RowsOfOneColumn(6), {}, 100, 3).pages,
            (std::vector<SheetPage>{{0, 3, "Page 1 of 2"}, {3, 6, "Page 2 of 2"}}));
  // An empty table still prints its header; a page holds at least one row.
  EXPECT_EQ(LayOutSheet(RowsOfOneColumn(0), {}, 100, 3).pages, (std::vector<SheetPage>{{0, 0, "Page 1 of 1"}}));
  EXPECT_EQ(LayOutSheet(RowsOfOneColumn(2), {}, 100, 0).pages,
            (std::vector<SheetPage>{{0, 1, "Page 1 of 2"}, {1, 2, "Page 2 of 2"}}));
}

TEST(PatchSheet, ColumnsShareThePageByTheirLongestTextWithinBounds) {
  Table table;
  table.columns = {{"#", 20, true}, {"P.Name"}, {"Parameters"}, {"Comment"}};
  table.rows = {{"", {"Prog A1" + std::string(17, ' '), std::string(200, 'F'), "short"}},
                {"", {"Prog B", "", std::string(24, 'c')}}};
  // Lengths 3 (the narrowest), 7 (blanks at the end do not count), 30 (the
  // widest) and 24 of 64 characters.
  EXPECT_EQ(LayOutSheet(table, {}, 128, 10).columns,
            (std::vector<SheetColumn>{{"#", 6, true}, {"P.Name", 14}, {"Parameters", 60}, {"Comment", 48}}));
}

}  // namespace
}  // namespace patchlore
