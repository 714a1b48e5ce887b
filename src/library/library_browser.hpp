// The Library window's behaviour: a search that runs as the user types, a
// kind filter, the found patches as table rows, and adding a folder with its
// progress. The window only shows what this holds.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "workspace/catalogue.hpp"
#include "workspace/registry.hpp"
#include "common/table.hpp"
#include "library/library_indexer.hpp"
#include "library/library_store.hpp"

namespace patchlore {

// The kinds the filter offers: "All" and then each kind by name.
const std::vector<std::string>& LibraryKindChoices();

class LibraryBrowser : public RowSource {
 public:
  // Opens the library at path; status() says why not when it cannot.
  explicit LibraryBrowser(const std::string& path);

  bool ready() const { return store_.has_value(); }
  const std::string& status() const { return status_; }

  // The search text or the kind filter (an index of LibraryKindChoices) changed.
  void search(const std::string& text, int kindChoice);
  // Indexes the folder, telling progress; the search runs again afterwards.
  void addFolder(const std::string& folder, const IndexProgress& progress);

  const FoundPatch& patch(std::size_t row) const { return found_.at(row); }

  const std::vector<TableColumn>& columns() const override;
  std::size_t rowCount() const override { return found_.size(); }
  std::string text(std::size_t row, std::size_t column) const override;

 private:
  std::optional<LibraryStore> store_;
  std::vector<FoundPatch> found_;
  std::string text_;
  int kindChoice_ = 0;
  std::string status_;
};

// The row of a loaded file's catalogue that holds the patch of this kind and
// key: its bank's row (the set list bank's for a set list, the song's own row
// for a song); -1 when none does.
int CatalogueRowOfPatch(const Catalogue& catalogue, const Registry& registry, char kind, const std::string& key);

}  // namespace patchlore
