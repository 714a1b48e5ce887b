#include "library/library_browser.hpp"

#include <cstring>
#include <filesystem>

#include "common/bytes.hpp"
#include "common/cp1251.hpp"
#include "library/patch_walk.hpp"

namespace patchlore {

namespace {

enum Column : std::size_t { kName, kKind, kKey, kFile, kFolder };

const char* const kKindLetters = "PCDWTSMN";

std::string KindName(char kind) {
  switch (kind) {
    case 'P': return "Program";
    case 'C': return "Combination";
    case 'D': return "Drum Kit";
    case 'W': return "Wave Sequence";
    case 'T': return "Set List";
    case 'S': return "Song";
    case 'M': return "M1 Program";
    case 'N': return "M1 Combination";
    default: return std::string(1, kind);
  }
}

}  // namespace

const std::vector<std::string>& LibraryKindChoices() {
  static const std::vector<std::string> choices = [] {
    std::vector<std::string> c{"All"};
    for (const char* k = kKindLetters; *k; ++k) c.push_back(KindName(*k));
    return c;
  }();
  return choices;
}

LibraryBrowser::LibraryBrowser(const std::string& path) {
  Result<LibraryStore> store = LibraryStore::Open(path);
  if (!store) {
    status_ = Utf8ToCp1251(store.failure().text);
    return;
  }
  store_.emplace(std::move(*store));
  search("", 0);
}

void LibraryBrowser::search(const std::string& text, int kindChoice) {
  text_ = text;
  kindChoice_ = kindChoice;
  if (!store_) return;
  const char kind = kindChoice > 0 && kindChoice <= static_cast<int>(std::strlen(kKindLetters))
                        ? kKindLetters[kindChoice - 1]
                        : 0;
  const auto found = store_->find(Cp1251ToUtf8(text), kind, "");
  if (!found) {
    found_.clear();
    status_ = Utf8ToCp1251(found.failure().text);
    return;
  }
  found_ = std::move(*found);
  status_ = "Found: " + std::to_string(found_.size());
}

void LibraryBrowser::addFolder(const std::string& folder, const IndexProgress& progress) {
  if (!store_) return;
  LibraryIndexer indexer(*store_, progress);
  const auto lines = indexer.add({folder});
  search(text_, kindChoice_);
  status_ = "Files: " + std::to_string(indexer.counts().files) + "; patches: " +
            std::to_string(indexer.counts().patches) + (indexer.failed() ? "; some files failed" : "") + "; " + status_;
}

const std::vector<TableColumn>& LibraryBrowser::columns() const {
  static const std::vector<TableColumn> columns = {
      {"Name", 170}, {"Kind", 90}, {"Key", 60}, {"File", 140}, {"Folder", 220}};
  return columns;
}

// The library holds UTF-8; the windows take the program's 8-bit texts.
std::string LibraryBrowser::text(std::size_t row, std::size_t column) const {
  if (row >= found_.size()) return {};
  const FoundPatch& p = found_[row];
  const std::filesystem::path path(p.path);
  switch (column) {
    case kName: return Utf8ToCp1251(p.name);
    case kKind: return KindName(p.kind);
    case kKey: return Utf8ToCp1251(p.key);
    case kFile: return Utf8ToCp1251(path.filename().string());
    case kFolder: return Utf8ToCp1251(path.parent_path().string());
    default: return {};
  }
}

int CatalogueRowOfPatch(const Catalogue& catalogue, const Registry& registry, char kind, const std::string& key) {
  if (catalogue.fileIndex < 0 || catalogue.fileIndex >= registry.count()) return -1;
  const Result<std::vector<PatchEntry>> patches = WalkPatches(registry, catalogue.fileIndex);
  if (!patches) return -1;
  for (const PatchEntry& patch : *patches) {
    if (patch.kindLetter() != kind || patch.key != key) continue;
    if (const auto row = catalogue.rowOfObject(patch.catalogueObject)) return static_cast<int>(*row);
  }
  return -1;
}

}  // namespace patchlore
