// The catalogue command of the main window: one object browser's content for
// a loaded file, its steps and errors shown in the status label.
#include "app/catalogue.hpp"
#include "app/main_window_core.hpp"

namespace patchlore {

Catalogue MainWindowCore::buildCatalogue(int index, int counter) {
  setActionMsg("CreateFormOpen: iopen=" + std::to_string(index) + "; iForm=" + std::to_string(counter));
  Catalogue catalogue;
  catalogue.counter = counter;
  catalogue.list.columns = DefaultCatalogueColumns();
  if (index < 0 || index >= registry_.count()) return catalogue;

  catalogue.caption = FileWindowCaption(registry_, index);
  catalogue.fileIndex = index;
  const Image image = registry_.image(index);
  Status built;
  switch (KindOfType(registry_.type(index))) {
    case FileKind::Sng:
      // The errors name the file whose catalogue fails, not whichever file was
      // chosen last in the Open dialog (another file, once several are loaded).
      built = AddSongRows(image, catalogue, registry_.name(index));
      break;
    case FileKind::Pcg:
      built = AddBankRows(image, catalogue, reporter_);
      break;
    case FileKind::SysEx:
      SetSysexRows(image, catalogue);
      break;
    case FileKind::Other:
      break;
  }
  if (!built) {
    setActionMsg(built.failure().text);
    return catalogue;
  }
  catalogue.msg = "Lines:" + std::to_string(catalogue.rowCount());
  return catalogue;
}

}  // namespace patchlore
