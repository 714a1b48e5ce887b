// The catalogue command of the main window: one object browser's content for
// a loaded file, its steps and errors shown in the status label.
#include "app/catalogue.hpp"
#include "app/main_window.hpp"
#include "formats/cp1251.hpp"

namespace patchlore {

Catalogue MainWindowCore::BuildCatalogue(int index, int counter) {
  setActionMsg("CreateFormOpen: iopen=" + std::to_string(index) + "; iForm=" + std::to_string(counter));
  Catalogue catalogue;
  catalogue.counter = counter;
  catalogue.list.columns = DefaultCatalogueColumns();
  if (index < 0 || index >= registry_.count()) return catalogue;

  catalogue.caption = FileWindowCaption(registry_, index);
  const Image image = registry_.image(index);
  std::optional<std::string> error;
  switch (KindOfType(registry_.type(index))) {
    case FileKind::Sng:
      error = AddSongRows(image, catalogue, Utf8ToCp1251(lastOpenDialogFile_));
      break;
    case FileKind::Pcg:
      error = AddBankRows(image, catalogue, reporter_);
      break;
    case FileKind::SysEx:
    case FileKind::Other:
      break;
  }
  if (error) {
    setActionMsg(std::move(*error));
    return catalogue;
  }
  catalogue.msg = "Lines:" + std::to_string(catalogue.list.rows.size());
  return catalogue;
}

}  // namespace patchlore
