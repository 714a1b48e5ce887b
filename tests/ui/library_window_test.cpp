// Options > Library...: a folder added, a patch found as the name is typed,
// and a double-click opening its file's catalogue at the patch's bank, or
// an M1 patch's SysEx viewer at its row.
#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "main_window/ui/main_window.hpp"
#include "library/ui/library_window.hpp"
#include "support/fakes.hpp"
#include "support/midi_file_builder.hpp"
#include "support/pcg_builder.hpp"
#include "support/sysex_builder.hpp"
#include "support/temp_dir.hpp"
#include "viewer/ui/object_browser_window.hpp"
#include "viewer/ui/viewer_window.hpp"
#include "ui_support.hpp"

namespace {

// The main window with its library window open, the folder added to a
// library kept in the folder.
struct LibraryOfFolder {
  explicit LibraryOfFolder(const patchlore::test::TempDir& dir)
      : dataHome(qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir.path().string()))), form(dialogs) {
    dialogs.folderAnswers.push_back(dir.path().string());
    form.findChild<QAction*>("LibraryItem")->trigger();
    library = TopLevel<LibraryWindow>().value(0);
    if (library) Child<QPushButton>(library, "AddFolder")->click();
  }
  bool dataHome;  // set before the main window is made
  patchlore::test::FakeDialogs dialogs;
  MainWindow form;
  LibraryWindow* library = nullptr;
};

}  // namespace

class LibraryWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void findsATypedNameAndOpensItsBank() {
    patchlore::test::TempDir dir;
    const std::string pcg = dir.write("A.PCG", patchlore::test::PcgBuilder()
                                                   .programBank(0x00000000, 1)
                                                   .programBank(0x00020000, 2)
                                                   .build());
    LibraryOfFolder program(dir);
    LibraryWindow* library = program.library;
    QVERIFY(library);
    QVERIFY(QFile::exists(QString::fromStdString((dir.path() / "patchlore" / "library.sqlite").string())));

    Child<QLineEdit>(library, "SearchText")->setText("u-a 001");
    auto* results = Child<QTableView>(library, "LibraryResults");
    QCOMPARE(results->model()->rowCount(), 1);
    QCOMPARE(TableRowTexts(results, 0).mid(0, 4), (QStringList{"Prog U-A 001", "Program", "U-A001", "A.PCG"}));
    QCOMPARE(Child<QLabel>(library, "LibraryStatus")->text(), QString("Found: 1"));

    emit results->doubleClicked(results->model()->index(0, 0));
    ObjectBrowserWindow* browser = TopLevel<ObjectBrowserWindow>().value(0);
    QVERIFY(browser);
    QCOMPARE(browser->selectedRows(), (std::vector<int>{1}));  // the second program bank
  }

  // An M1 program of a MIDI file's dump: the file imported as SysEx and its
  // viewer at the program's row, under the dump's message (the second).
  void opensAnM1PatchInTheSysexViewerAtItsRow() {
    using patchlore::test::Bytes;
    patchlore::test::TempDir dir;
    const Bytes dump = patchlore::test::M1PatchDump(0x4C, patchlore::test::M1Names("Prog"));
    dir.write("M1.mid", patchlore::test::MidiFileBuilder(0)
                            .track()
                            .sysex(0, {0x7E, 0x7F, 0x09, 0x01, 0xF7})
                            .sysex(10, Bytes(dump.begin() + 1, dump.end()))
                            .endOfTrack()
                            .build());
    LibraryOfFolder program(dir);
    LibraryWindow* library = program.library;
    QVERIFY(library);
    Child<QLineEdit>(library, "SearchText")->setText("prog 42");
    auto* results = Child<QTableView>(library, "LibraryResults");
    QCOMPARE(results->model()->rowCount(), 1);
    QCOMPARE(TableRowTexts(results, 0).mid(0, 4), (QStringList{"Prog 42", "M1 Program", "1:42", "M1.mid"}));

    emit results->doubleClicked(results->model()->index(0, 0));
    ViewerWindow* viewer = TopLevel<ViewerWindow>().value(0);
    QVERIFY(viewer);
    auto* table = Child<QTableView>(viewer, "ListView1");
    QCOMPARE(table->currentIndex().row(), 44);  // after the two message rows and patches 00 to 41
    QCOMPARE(TableRowTexts(table, 44).mid(0, 4), (QStringList{"Program", "42", "", "Prog 42"}));
  }
};

QTEST_MAIN(LibraryWindowTest)
#include "library_window_test.moc"
