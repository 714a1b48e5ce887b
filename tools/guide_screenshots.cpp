// Takes the pictures of the user guide and the README: the real windows of
// the program, driven as a user drives them (commands, clicks on rows),
// with the answers to their dialogs given in advance, working on the files
// of samples/. Run under a real X server (scripts/screenshots) so that fonts
// and styles are those a user sees.
// Usage: patchlore-screenshots SAMPLES_FOLDER PICTURES_FOLDER
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QSplitter>
#include <QTableView>
#include <QTest>
#include <QTreeView>

#include "main_window/ui/chunk_listing_window.hpp"
#include "main_window/ui/main_window.hpp"
#include "banks/ui/bank_manager_window.hpp"
#include "banks/ui/name_editor_window.hpp"
#include "library/ui/library_window.hpp"
#include "library/ui/patch_comparison_window.hpp"
#include "library/ui/used_by_window.hpp"
#include "support/combination_builder.hpp"
#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"
#include "sysex/ui/midi_ports_window.hpp"
#include "ui_support.hpp"
#include "viewer/ui/object_browser_window.hpp"
#include "viewer/ui/sheet_painter.hpp"
#include "viewer/ui/viewer_window.hpp"

namespace {

class Photographer {
 public:
  Photographer(QString samples, QString pictures) : samples_(std::move(samples)), pictures_(std::move(pictures)) {}

  // Shows the window at size and saves its picture as name.png.
  void take(QWidget* window, const char* name, QSize size = {}) {
    if (!window) {
      qWarning("no window for %s", name);
      failed_ = true;
      return;
    }
    if (size.isValid()) window->resize(size);
    window->show();
    window->raise();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    if (!window->grab().save(pictures_ + "/" + name + ".png")) failed_ = true;
  }
  // Saves a picture drawn without a window (a printed page) as name.png.
  void save(const QImage& picture, const char* name) {
    if (!picture.save(pictures_ + "/" + name + ".png")) failed_ = true;
  }
  std::string sample(const char* name) const { return (samples_ + "/" + name).toStdString(); }
  bool failed() const { return failed_; }

 private:
  QString samples_;
  QString pictures_;
  bool failed_ = false;
};

// The window of kind T opened last: the first not photographed or navigated
// before (Qt lists top-level windows in no particular order).
template <typename T>
T* Newest() {
  static QSet<QWidget*> seen;
  const QList<T*> windows = TopLevel<T>();
  for (T* window : windows)
    if (!seen.contains(window)) {
      seen.insert(window);
      return window;
    }
  return windows.isEmpty() ? nullptr : windows.last();
}

// The catalogue of loaded file `file`, as a double-click on its row opens it.
ObjectBrowserWindow* OpenCatalogue(MainWindow& form, int file) {
  auto* files = Child<QTreeView>(&form, "OpenList");
  SelectTableRows(files, {file});
  QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, RowCenter(files, file));
  return Newest<ObjectBrowserWindow>();
}

// The viewer of the catalogue's rows whose Object begins with `object`.
ViewerWindow* View(ObjectBrowserWindow* browser, const std::string& object) {
  std::vector<int> rows;
  for (std::size_t r = 0; r < browser->catalogue().rowCount(); ++r)
    if (browser->catalogue().text(r, 0).rfind(object, 0) == 0) rows.push_back(static_cast<int>(r));
  SelectTableRows(Child<QTableView>(browser, "ListView1"), rows);
  Child<QPushButton>(browser, "ViewSelected")->click();
  return Newest<ViewerWindow>();
}

void Click(QListWidget* list, int line) { emit list->itemClicked(list->item(line)); }

void PutName(patchlore::test::Bytes& record, const std::string& name) {
  std::fill_n(record.begin(), 24, 0);
  std::copy(name.begin(), name.end(), record.begin());
}

// A PCG whose one combination splits and layers its timbres, as the samples'
// combinations (two timbres over the whole keyboard) do not: a bass below
// C3, an electric piano above it with strings layered on hard playing, a
// muted pad, a bell whose zone is reversed (E5..C4) and an EXT timbre.
patchlore::test::Bytes SplitsPcg() {
  static const std::array<const char*, 6> programs{"Finger Bass", "Stage EP", "Warm Strings", "Soft Pad", "Bell Tree",
                                                   "Ext Synth"};
  using patchlore::test::TimbreBytes;
  static const std::array<TimbreBytes, 6> timbres{
      TimbreBytes{.programNumber = 0, .keyZoneHigh = 47},
      TimbreBytes{.programNumber = 1, .keyZoneLow = 48},
      TimbreBytes{.programNumber = 2, .keyZoneLow = 48, .velocityZoneLow = 90},
      TimbreBytes{.programNumber = 3, .playMute = 0x80},
      TimbreBytes{.programNumber = 4, .keyZoneLow = 76, .keyZoneHigh = 60},
      TimbreBytes{.programNumber = 5, .statusChannel = 0x61, .keyZoneLow = 84}};
  return patchlore::test::PcgBuilder()
      .programBank(0, 8)
      .combiBank(0, 1)
      .editPatches([](const patchlore::test::BankPlan& bank, int j, patchlore::test::Bytes& record) {
        if (bank.id == "PBK1" && j < 6) PutName(record, programs[static_cast<std::size_t>(j)]);
        if (bank.id != "CBK1") return;
        patchlore::test::ClearCombinationBody(record);
        PutName(record, "Stage Split");
        for (int t = 0; t < 6; ++t)
          patchlore::test::PutTimbre(record, patchlore::kKronosConstants, t, timbres[static_cast<std::size_t>(t)]);
      })
      .build();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) {
    qWarning("usage: patchlore-screenshots SAMPLES_FOLDER PICTURES_FOLDER");
    return 2;
  }
  Photographer camera(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
  QDir().mkpath(QString::fromLocal8Bit(argv[2]));
  patchlore::test::TempDir home;  // the library lives here, not in the user's own
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home.path().string()));
  patchlore::test::FakeDialogs dialogs;
  MainWindow form(dialogs);
  for (const char* file : {"KRONOS.PCG", "SONGS.SNG"}) {
    dialogs.openAnswers.push_back(camera.sample(file));
    form.findChild<QAction*>("FileOpen1")->trigger();
  }
  dialogs.openAnswers.push_back(camera.sample("M1.SYX"));
  form.findChild<QAction*>("FileOpenAsSysEx1")->trigger();
  form.findChild<QSplitter*>("ViewSplitter")->setSizes({60, 200});  // the log dragged open
  camera.take(&form, "main-window", {720, 320});

  dialogs.openAnswers.push_back(camera.sample("KRONOS.PCG"));
  form.findChild<QAction*>("FileNew1")->trigger();
  camera.take(Newest<ChunkListingWindow>(), "check-pcg", {620, 420});

  ObjectBrowserWindow* kronos = OpenCatalogue(form, 0);
  camera.take(kronos, "catalogue", {560, 300});
  ViewerWindow* programs = View(kronos, "Prog Bank");
  camera.take(programs, "programs", {900, 420});
  ViewerWindow* combinations = View(kronos, "Combi Bank");
  Child<QTableView>(combinations, "ListView1")->selectRow(1);
  camera.take(combinations, "combinations", {1100, 420});
  constexpr int kSheetDotsPerInch = 100;
  camera.save(FirstSheetPage(combinations->core().state().table,
                             combinations->core().sheetHeader(patchlore::LocalDateText()), kSheetDotsPerInch),
              "patch-sheet");
  camera.take(View(kronos, "SetList Bank"), "set-list", {800, 400});
  ViewerWindow* songs = View(OpenCatalogue(form, 1), "Song");
  Child<QTableView>(songs, "ListView1")->selectRow(0);
  camera.take(songs, "songs", {1100, 420});
  ObjectBrowserWindow* sysex = OpenCatalogue(form, 2);
  camera.take(sysex, "sysex", {720, 220});
  camera.take(View(sysex, "Sysex"), "sysex-patches", {900, 380});

  programs->core().openExportSettings();
  programs->core().openBankProgFilter();
  programs->core().openNameFilter();
  camera.take(programs, "viewer-settings", {ViewerWindow::kDesignWidth, ViewerWindow::kDesignHeight});

  auto* list = Child<QTableView>(programs, "ListView1");
  list->setCurrentIndex(list->model()->index(3, 0));
  Child<QAction>(programs, "EditName1")->trigger();
  camera.take(Newest<NameEditorWindow>(), "name-editor");
  list->setCurrentIndex(list->model()->index(0, 0));
  Child<QAction>(programs, "UsedBy1")->trigger();
  camera.take(Newest<UsedByWindow>(), "used-by", {560, 200});

  dialogs.openAnswers.push_back(camera.sample("OASYS.PCG"));
  form.findChild<QAction*>("FileOpen1")->trigger();
  form.findChild<QAction*>("BankManager")->trigger();
  auto* bankManager = Newest<BankManagerWindow>();
  Click(Child<QListWidget>(bankManager, "FromBox"), 0);
  Click(Child<QListWidget>(bankManager, "ToBox"), 1);
  Click(Child<QListWidget>(bankManager, "FromBanks"), 0);
  Click(Child<QListWidget>(bankManager, "ToBanks"), 0);
  camera.take(bankManager, "bank-manager");

  form.findChild<QAction*>("MidiPorts")->trigger();
  camera.take(Newest<MidiPortsWindow>(), "midi-ports");

  dialogs.openAnswers.push_back(camera.sample("KRONOS.PCG"));
  dialogs.openAnswers.push_back(camera.sample("KRONOS-EDITED.PCG"));
  form.findChild<QAction*>("CompareFiles")->trigger();
  camera.take(Newest<ObjectBrowserWindow>(), "compare-files", {560, 320});

  dialogs.openAnswers.push_back(camera.sample("KRONOS.PCG"));
  dialogs.openAnswers.push_back(camera.sample("KRONOS-EDITED.PCG"));
  form.findChild<QAction*>("ComparePatches")->trigger();
  camera.take(Newest<PatchComparisonWindow>(), "compare-patches", {720, 200});

  dialogs.openAnswers.push_back(home.write("SPLITS.PCG", SplitsPcg()));
  form.findChild<QAction*>("FileOpen1")->trigger();
  ViewerWindow* splits = View(OpenCatalogue(form, Child<QTreeView>(&form, "OpenList")->model()->rowCount() - 1),
                              "Combi Bank");
  for (const char* zones : {"TKeyboardZones", "TVelocityZones"}) splits->core().setColumnBox(zones, true);
  splits->core().pressShow();
  Child<QTableView>(splits, "ListView1")->selectRow(1);
  camera.take(splits, "keyboard-map", {1100, 420});

  dialogs.folderAnswers.push_back(QString::fromLocal8Bit(argv[1]).toStdString());
  form.findChild<QAction*>("LibraryOpen")->trigger();
  auto* library = Newest<LibraryWindow>();
  Child<QPushButton>(library, "AddFolder")->click();
  Child<QLineEdit>(library, "SearchText")->setText("pad");
  camera.take(library, "library", {760, 300});
  return camera.failed() ? 1 : 0;
}
