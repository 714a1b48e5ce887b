// The catalogue of a loaded file: one object browser's content, by the kind
// its load recognised.
#include "workspace/workspace.hpp"

namespace patchlore {

BuiltCatalogue Workspace::catalogue(int index, Reporter& reporter) const {
  BuiltCatalogue built;
  Catalogue& catalogue = built.catalogue;
  catalogue.list.columns = DefaultCatalogueColumns();
  if (!registry_.contains(index)) return built;

  catalogue.caption = FileWindowCaption(registry_, index);
  catalogue.fileIndex = index;
  const Image image = registry_.image(index);
  switch (registry_.kind(index)) {
    case FileKind::Sng:
      // The errors name the file whose catalogue fails, not whichever file was
      // chosen last in the Open dialog (another file, once several are loaded).
      built.status = AddSongRows(image, catalogue, registry_.name(index));
      break;
    case FileKind::Pcg:
      built.status = AddBankRows(image, catalogue, reporter);
      break;
    case FileKind::SysEx:
      SetSysexRows(image, catalogue);
      break;
  }
  // A file that fails its structure checks says so in its own window too,
  // not only in the main window's status label.
  catalogue.msg = built.status ? "Lines:" + std::to_string(catalogue.rowCount()) : built.status.failure().text;
  return built;
}

BuiltCatalogue Workspace::catalogue(int index) const {
  Reporter nobody;
  return catalogue(index, nobody);
}

}  // namespace patchlore
