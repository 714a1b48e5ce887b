// Writes the README's pictures: the main window with two files loaded
// (screenshot.png), and a synthetic PCG's program banks in a viewer at its
// first size (viewer.png) and at its designed size with every settings group
// open (viewer-settings.png). Run under a real X server (see
// scripts/screenshots) so that fonts and styles are those a user sees.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QSplitter>

#include "app/ui/main_window.hpp"
#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "support/sng_builder.hpp"
#include "support/temp_dir.hpp"
#include "viewer/object_browser.hpp"
#include "viewer/ui/viewer_window.hpp"

namespace {

using patchlore::test::PcgBuilder;

patchlore::test::Bytes ProgramsPcg() {
  return PcgBuilder(patchlore::test::kKronos)
      .programBank(0x00000000, 24)
      .programBank(0x00000001, 8)
      .combiBank(0x00020000, 4)
      .build();
}

bool Save(QWidget* window, const QString& path) {
  QApplication::processEvents();
  return window->grab().save(path);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
  patchlore::test::TempDir dir;
  patchlore::test::FakeDialogs dialogs;
  MainWindow form(dialogs);
  dialogs.openAnswers.push_back(dir.write("KRONOS.PCG", ProgramsPcg()));
  form.core().openFile();
  const auto songs = patchlore::test::SngBuilder().song("Verse", 1).song("Chorus", 2).build();
  dialogs.openAnswers.push_back(dir.write("SONGS.SNG", songs));
  form.core().openFile();
  form.resize(620, 300);
  form.show();
  // The log is designed 3 pixels high; drawn open, as a user drags it.
  form.findChild<QSplitter*>("ViewSplitter")->setSizes({40, 200});
  bool saved = Save(&form, folder + "/screenshot.png");

  const patchlore::Catalogue catalogue = form.core().buildCatalogue(0, 0);
  const auto requests = patchlore::ViewerRequestsFor(catalogue, {0, 1});
  auto* viewer = new ViewerWindow(form.core().registry(), form.viewerShared(), dialogs);
  form.adoptChildWindow(viewer);
  viewer->Open(requests.front());
  viewer->show();
  viewer->core().pressShow();
  saved = Save(viewer, folder + "/viewer.png") && saved;

  viewer->resize(ViewerWindow::kDesignWidth, ViewerWindow::kDesignHeight);
  viewer->core().openExportSettings();
  viewer->core().openBankProgFilter();
  viewer->core().openNameFilter();
  saved = Save(viewer, folder + "/viewer-settings.png") && saved;
  return saved ? 0 : 1;
}
