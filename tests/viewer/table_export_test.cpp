#include <gtest/gtest.h>

#include "support/result_text.hpp"
#include "support/temp_dir.hpp"
#include "viewer/table_export.hpp"

namespace patchlore {
namespace {

TEST(TableExport, SeparatorChoices) {
  const SeparatorChoice semicolon = SeparatorAt(0);
  EXPECT_EQ(semicolon.separator, "; ");
  EXPECT_EQ(semicolon.asciiCode, "ASCII ( $59 )");
  EXPECT_EQ(semicolon.asciiChar, "';'");
  EXPECT_EQ(SeparatorAt(1).separator, ": ");
  EXPECT_EQ(SeparatorAt(2).asciiCode, "ASCII ( $44 )");
  EXPECT_EQ(SeparatorAt(3).separator, ". ");
  EXPECT_EQ(SeparatorAt(4).separator, "  ");
  for (const int position : {5, -1, 9}) {
    EXPECT_EQ(SeparatorAt(position).separator, "\t ");
    EXPECT_EQ(SeparatorAt(position).asciiCode, "ASCII ( $09 )");
  }
}

TEST(TableExport, LinesFollowEveryFieldWithTheSeparator) {
  Table table{{{"Object", 50}, {"Index", 50}}, {{"P", {"1"}}}};
  EXPECT_EQ(CvsLines(table, "; "), (std::vector<std::string>{"Sep=; ", "Object; Index; ", "P; 1; "}));
  EXPECT_EQ(CvsLines(table, ""), (std::vector<std::string>{"Sep=", "ObjectIndex", "P1"}));

  // Missing cells are written as empty fields; cells beyond the columns are not written.
  table.columns.push_back({"Name", 100});
  table.rows.push_back({"", {}});
  table.rows.push_back({"Q", {"2", "x", "unshown"}});
  EXPECT_EQ(CvsLines(table, ", "), (std::vector<std::string>{"Sep=, ", "Object, Index, Name, ", "P, 1, , ",
                                                              ", , , ", "Q, 2, x, "}));
}

TEST(TableExport, ProposedNameInfoAndExtension) {
  EXPECT_EQ(ProposedCvsName("BANKS.PCG", "Lines: 5; Banks: 2"), "BANKS.PCG.Lines_ 5_ Banks_ 2.CVS");
  EXPECT_EQ(ProposedCvsName("", "Msg"), ".Msg.CVS");
  const Table table{{{"A", 50}, {"B", 50}}, {{"x", {}}, {"y", {}}, {"z", {}}}};
  EXPECT_EQ(ExportInfoText(table, "; "),
            "ListView1.Columns.Count=2; ListView1.Items.Count=3; ; Sep='; '");
  EXPECT_EQ(WithCvsExtension("/tmp/x.txt"), "/tmp/x.CVS");
  EXPECT_EQ(WithCvsExtension("/tmp/x.cvs"), "/tmp/x.CVS");
  EXPECT_EQ(WithCvsExtension("/tmp/x.CVS"), "/tmp/x.CVS");
  EXPECT_EQ(WithCvsExtension("/tmp/x"), "/tmp/x.CVS");
}

TEST(TableExport, WritesCrLfLinesOrSaysWhyNot) {
  test::TempDir dir;
  const Table table{{{"Object", 50}, {"Index", 50}}, {{"P", {"1"}}}};
  const std::string path = (dir.path() / "t.CVS").string();
  EXPECT_EQ(test::ResultText(WriteTableAsCvs(path, table, "; ")), "ok");
  EXPECT_EQ(test::TempDir::read(path), "Sep=; \r\nObject; Index; \r\nP; 1; \r\n");
  const std::string missing = (dir.path() / "missing" / "t.CVS").string();
  EXPECT_EQ(test::ResultText(WriteTableAsCvs(missing, table, "; ")),
            "Cannot create a file beside " + missing + ": No such file or directory");
}

}  // namespace
}  // namespace patchlore
