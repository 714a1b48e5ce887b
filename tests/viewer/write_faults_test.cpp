// Save Pcg, the log's Save and Save As CVS meeting a full disk at any byte, a
// failed flush or a failed rename: the file they would replace stays as it
// was, no temporary file is left beside it, and the failure is told.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "common/file_io.hpp"
#include "support/pcg_builder.hpp"
#include "viewer/table_export.hpp"
#include "viewer_fixture.hpp"

namespace patchlore {
namespace {

// A command that writes target and returns the status text it shows.
using SaveCommand = std::function<std::string(const std::string& target)>;

void ExpectEveryFaultLeavesTheOldFile(test::ViewerFixture& f, const std::string& targetName,
                                      std::int64_t bytesWritten, const SaveCommand& save,
                                      const std::string& failureStart) {
  const std::string target = f.dir.write(targetName, std::string("the old contents"));
  std::vector<WriteFaults> faults(2);
  faults[0].failFlush = true;
  faults[1].failRename = true;
  for (const std::int64_t at : {std::int64_t{0}, std::int64_t{1}, bytesWritten / 2, bytesWritten - 1})
    faults.push_back(WriteFaults{at, false, false});
  for (const WriteFaults& fault : faults) {
    const ScopedWriteFaults injected(fault);
    const std::string shown = save(target);
    EXPECT_EQ(shown.substr(0, failureStart.size()), failureStart) << shown;
    EXPECT_EQ(test::TempDir::read(target), "the old contents") << shown;
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(f.dir.path())) ++files;
    EXPECT_EQ(files, 2) << "a temporary file was left: " << shown;  // the loaded PCG and the target
  }
  save(target);
  EXPECT_NE(test::TempDir::read(target), "the old contents");  // without a fault it is written
}

TEST(WriteFaults, SavePcgTheLogAndTheTableExportKeepTheOldFile) {
  const test::Bytes pcg = test::PcgBuilder().programBank(0, 2).build();
  {
    test::ViewerFixture f;
    f.load("A.PCG", pcg);
    ExpectEveryFaultLeavesTheOldFile(f, "OUT.PCG", static_cast<std::int64_t>(pcg.size()), [&f](const std::string& t) {
      f.main.dialogs.saveAnswers = {t};
      f.main.dialogs.yesNoAnswer = true;
      f.main.window.savePcg({0});
      return f.main.window.state().actionMsg;
    }, "ERROR: Save failed. ");
  }
  {
    test::ViewerFixture f;
    f.load("A.PCG", pcg);
    std::int64_t logBytes = 0;
    for (const auto& line : f.main.window.state().view) logBytes += static_cast<std::int64_t>(line.size()) + 2;
    ExpectEveryFaultLeavesTheOldFile(f, "LOG.txt", logBytes, [&f](const std::string& t) {
      f.main.dialogs.saveAnswers = {t};
      f.main.window.saveLog();
      return f.main.window.state().actionMsg;
    }, "ERROR: Save failed. ");
  }
  {
    test::ViewerFixture f;
    const int file = f.load("A.PCG", pcg);
    auto v = f.viewer(file, {test::ViewerFixture::Line(f.programBanks(file)[0])});
    v->pressShow();
    const auto lines = CvsLines(v->state().table, f.shared.separator);
    std::int64_t tableBytes = 0;
    for (const auto& line : lines) tableBytes += static_cast<std::int64_t>(line.size()) + 2;
    ExpectEveryFaultLeavesTheOldFile(f, "T.CVS", tableBytes, [&f, &v](const std::string& t) {
      f.main.dialogs.saveAnswers = {t};
      (void)v->exportTable(f.main.dialogs);
      return v->state().msg;
    }, "Not saved: ");
  }
}

}  // namespace
}  // namespace patchlore
