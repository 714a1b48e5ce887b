// Names and comments taken from a file show as text in every viewer and in
// the catalogue: the instrument's NUL padding dropped, a NUL inside a blank.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "formats/set_list_layout.hpp"
#include "support/sng_builder.hpp"
#include "viewer_fixture.hpp"

namespace patchlore {
namespace {

using namespace std::string_literals;
using test::Bytes;

// Writes text at `at` and NULs after it up to width bytes.
void PutNulPadded(Bytes& bytes, std::size_t at, const std::string& text, std::size_t width) {
  std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), width, 0);
  std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

Bytes PcgOfNulPaddedNames() {
  using namespace set_list_layout;
  Bytes pcg = test::PcgBuilder()
                  .programBank(0, 1)
                  .combiBank(0, 1)
                  .drumKitBank(0, 1, 40)
                  .waveSequenceBank(0, 1, 30)
                  .setLists(1)
                  .editPatches([](const test::BankPlan&, int, Bytes& record) { PutNulPadded(record, 0, "Na\0me"s, 24); })
                  .editSlots([](int, int, Bytes& slot) {
                    PutNulPadded(slot, kSlotName, "Sl\0ot"s, kSlotNameWidth);
                    PutNulPadded(slot, kComment, "Com\0ment"s, kCommentWidth);
                  })
                  .build();
  const std::string setListName = "Set List 0";
  const auto at = std::search(pcg.begin(), pcg.end(), setListName.begin(), setListName.end());
  PutNulPadded(pcg, static_cast<std::size_t>(at - pcg.begin()), "Set\0List"s, kNameWidth);
  return pcg;
}

// Each viewer that View opens on all rows of the file's catalogue, shown, in
// the order View presses Show (set lists, programs, combinations, songs,
// drum kits, wave sequences).
std::vector<std::unique_ptr<ViewerCore>> ShownViewers(test::ViewerFixture& f, const Catalogue& catalogue) {
  std::vector<int> rows(catalogue.rowCount());
  std::iota(rows.begin(), rows.end(), 0);
  std::vector<std::unique_ptr<ViewerCore>> viewers;
  for (const ViewerRequest& request : ViewerRequestsFor(catalogue, rows)) {
    viewers.push_back(std::make_unique<ViewerCore>(f.registry(), f.shared, f.reporter, [] { return "10:00:00"s; }));
    viewers.back()->Open(request);
    viewers.back()->pressShow();
  }
  return viewers;
}

// The cells of the column of that caption, each after a "|".
std::string Column(const ViewerCore& viewer, const std::string& caption) {
  const Table& table = viewer.state().table;
  std::string text;
  for (std::size_t c = 0; c < table.columns.size(); ++c)
    if (table.columns[c].caption == caption)
      for (std::size_t r = 0; r < table.rows.size(); ++r) text += "|" + table.text(r, c);
  return text;
}

TEST(NamesAsText, EveryViewerAndTheCatalogueShowNamesWithoutTheirNulPadding) {
  test::ViewerFixture f;
  const int pcg = f.load("N.PCG", PcgOfNulPaddedNames());
  const auto viewers = ShownViewers(f, f.main.workspace.catalogue(pcg).catalogue);
  std::string names;
  for (const auto& viewer : viewers)
    for (const char* caption : {"SetList Name", "Slot Name", "Comment", "P.Name", "C.Name", "Name"})
      if (const std::string column = Column(*viewer, caption); !column.empty()) names += column.substr(0, 40) + "\n";
  EXPECT_EQ(names,
            "|Set List|||||||||||||||||||||||||||||||\n"
            "|Sl ot|Sl ot|Sl ot|Sl ot|Sl ot|Sl ot|Sl \n"
            "|Com ment|Com ment|Com ment|Com ment|Com\n"
            "|Na me\n"
            "|Na me|||||||||||||||\n"  // the combination's 16 timbre rows
            "|Na me\n"
            "|Na me\n");

  Bytes sng = test::SngBuilder().song("So\0ng"s, 1).track({.name = "Tr\0ack"s}).build();
  const int songs = f.load("N.SNG", sng);
  const Catalogue catalogue = f.main.workspace.catalogue(songs).catalogue;
  EXPECT_EQ(catalogue.list.rows[0].cells[1], "So ng" + std::string(19, ' '));
  const auto songViewers = ShownViewers(f, catalogue);
  EXPECT_EQ(Column(*songViewers[0], "S.Name").substr(0, 7) + Column(*songViewers[0], "T.Name").substr(0, 8),
            "|So ng||Tr ack|");
}

}  // namespace
}  // namespace patchlore
