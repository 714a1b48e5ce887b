// The keyboard: the main window's keys from every window, Enter and Space on
// the list of loaded files, Enter in the name editor, and Tab through what
// each window shows, top to bottom.
#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTreeView>

#include "banks/ui/bank_manager_window.hpp"
#include "banks/ui/name_editor_window.hpp"
#include "library/ui/library_window.hpp"
#include "main_window/ui/main_window.hpp"
#include "sysex/ui/midi_ports_window.hpp"
#include "support/fakes.hpp"
#include "support/loaded_image.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"
#include "ui_support.hpp"

using patchlore::test::Bytes;

namespace {

// Two program banks of a few programs, one table row each (no zone rows).
Bytes TwoProgramBanks() {
  return patchlore::test::PcgBuilder()
      .programBank(0x00000000, 3)
      .programBank(0x00000001, 3)
      .editPatches([](const auto&, int, Bytes& record) { std::fill(record.begin() + 24, record.end(), 0); })
      .build();
}

bool Activate(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
  return QTest::qWaitForWindowActive(window);
}

// A control Tab stopped at: whether any of it showed at that moment (a
// scrolled area brings its focused control into view), and where it is in
// the window once Tab has gone round, all places taken at one moment.
struct TabStop {
  QWidget* widget;
  bool shown;
  QRect place;
};

// The stops of Tab in a window just activated, from the first Tab once
// round; nothing when Tab stays where it is or does not come round.
QList<TabStop> TabChain(QWidget* window) {
  QList<TabStop> chain;
  QList<QWidget*> met;
  QWidget* focused = QApplication::focusWidget();
  QTest::keyClick(focused ? focused : window, Qt::Key_Tab);
  for (focused = QApplication::focusWidget(); focused && focused != met.value(0);
       focused = QApplication::focusWidget()) {
    if (met.contains(focused)) return {};
    met << focused;
    chain.push_back({focused, focused->isVisible() && !focused->visibleRegion().isEmpty(), {}});
    QTest::keyClick(focused, Qt::Key_Tab);
  }
  for (TabStop& stop : chain) stop.place = QRect(stop.widget->mapTo(window, QPoint(0, 0)), stop.widget->size());
  return chain;
}

// Tab goes to controls that show, and round the window in reading order from
// the top: down, along a row, or up to the top of a column further right.
QString TabOrderFault(QWidget* window) {
  QList<TabStop> chain = TabChain(window);
  if (chain.isEmpty()) return "Tab does not go round " + window->objectName();
  for (const TabStop& stop : chain)
    if (!stop.shown) return "Tab reaches the hidden " + stop.widget->objectName() + " of " + window->objectName();
  const auto top = std::min_element(chain.begin(), chain.end(), [](const TabStop& a, const TabStop& b) {
    return std::pair(a.place.top(), a.place.left()) < std::pair(b.place.top(), b.place.left());
  });
  std::rotate(chain.begin(), top, chain.end());
  for (qsizetype i = 1; i < chain.size(); ++i) {
    const QRect before = chain[i - 1].place, here = chain[i].place;
    if (here.bottom() < before.top() && here.left() <= before.right())
      return "Tab goes up from " + chain[i - 1].widget->objectName() + " to " + chain[i].widget->objectName() +
             " in " + window->objectName();
  }
  return {};
}

}  // namespace

class KeyboardWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void theMainWindowsKeysWorkFromEveryWindow() {
    QTest::failOnWarning(QRegularExpression("Ambiguous shortcut"));
    patchlore::test::TempDir dir;
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir.path().string()));  // the library's file
    patchlore::test::FakeDialogs dialogs;
    MainWindow form(dialogs);
    form.show();
    OpenFile(form, dialogs, dir.write("A.PCG", TwoProgramBanks()));
    SelectTableRows(Child<QTreeView>(&form, "OpenList"), {0});  // for Save Pcg
    ObjectBrowserWindow* catalogue = OpenCatalogueOfRow(form, 0);
    ViewerWindow* viewer = ViewRows(catalogue, {0}).value(0);
    Child<QAction>(&form, "BankManager")->trigger();
    Child<QAction>(&form, "LibraryOpen")->trigger();
    QWidget* bankManager = TopLevel<BankManagerWindow>().value(0);
    QWidget* library = TopLevel<LibraryWindow>().value(0);
    QVERIFY(viewer && bankManager && library);
    Child<QTableView>(library, "LibraryResults")->setFocus();
    patchlore::test::Poke(form.core().workspace(), 0, 40, 0x55);  // something to take back

    const std::pair<QKeyCombination, const char*> keys[] = {
        {Qt::CTRL | Qt::Key_O, "FileOpen1"},          {Qt::CTRL | Qt::Key_N, "FileNew1"},
        {Qt::CTRL | Qt::Key_E, "FileOpenAsSysEx1"},   {Qt::CTRL | Qt::Key_P, "FileSavePcgItem"},
        {Qt::CTRL | Qt::Key_F, "FontSet"},            {Qt::CTRL | Qt::Key_Z, "EditUndo1"},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, "EditRedo1"}, {Qt::CTRL | Qt::Key_B, "BankManager"},
        {Qt::CTRL | Qt::Key_L, "LibraryOpen"}};
    for (QWidget* window : {static_cast<QWidget*>(catalogue), static_cast<QWidget*>(viewer), bankManager, library}) {
      for (const auto& [key, command] : keys) {
        QSignalSpy ran(Child<QAction>(&form, command), &QAction::triggered);
        QVERIFY(Activate(window));
        QWidget* focused = QApplication::focusWidget() ? QApplication::focusWidget() : window;
        QTest::keyClick(focused, key.key(), key.keyboardModifiers());
        QVERIFY2(ran.count() == 1, qPrintable(QString("%1 from %2").arg(command, window->objectName())));
      }
    }
    QCOMPARE(int{form.core().registry().image(0)[40]}, 0x55);  // each undo was redone

    // A key the viewer uses for itself acts there alone.
    QSignalSpy exported(Child<QAction>(viewer, "SaveAs1"), &QAction::triggered);
    QSignalSpy logSaved(Child<QAction>(&form, "FileSave1"), &QAction::triggered);
    QVERIFY(Activate(viewer));
    QTest::keyClick(viewer, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(exported.count(), 1);
    QCOMPARE(logSaved.count(), 0);
  }

  void enterAndSpaceOnTheLoadedFilesOpenTheirCatalogues() {
    patchlore::test::TempDir dir;
    patchlore::test::FakeDialogs dialogs;
    MainWindow form(dialogs);
    OpenFile(form, dialogs, dir.write("A.PCG", TwoProgramBanks()));
    OpenFile(form, dialogs, dir.write("B.PCG", TwoProgramBanks()));
    auto* files = Child<QTreeView>(&form, "OpenList");
    QVERIFY(Activate(&form));
    files->setFocus();
    SelectTableRows(files, {0, 1});
    QTest::keyClick(files, Qt::Key_Return);
    QCOMPARE(TopLevel<ObjectBrowserWindow>().size(), 2);
    SelectTableRows(files, {1});
    QVERIFY(Activate(&form));
    QTest::keyClick(files, Qt::Key_Space);
    QCOMPARE(TopLevel<ObjectBrowserWindow>().size(), 3);
  }

  void enterInTheNameEditorWrites() {
    patchlore::test::TempDir dir;
    patchlore::test::FakeDialogs dialogs;
    MainWindow form(dialogs);
    OpenFile(form, dialogs, dir.write("A.PCG", TwoProgramBanks()));
    ViewerWindow* viewer = ViewerOfRows(form, 0, {0});
    auto* list = Child<QTableView>(viewer, "ListView1");
    list->setCurrentIndex(list->model()->index(1, 0));
    Child<QAction>(viewer, "EditName1")->trigger();
    auto* editor = Child<NameEditorWindow>(&form, "TFormEdit");
    QVERIFY(Activate(editor));
    auto* name = Child<QLineEdit>(editor, "EditName");
    name->setText("Bright Piano");
    QTest::keyClick(name, Qt::Key_Return);
    QVERIFY(Child<QLabel>(editor, "BankInfo")->text().startsWith("I-A001; I-A; 1; sumEdit="));
  }

  void tabFollowsWhatEachWindowShowsTopToBottom() {
    patchlore::test::TempDir dir;
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir.path().string()));
    patchlore::test::FakeDialogs dialogs;
    MainWindow form(dialogs);
    form.show();
    OpenFile(form, dialogs, dir.write("A.PCG", TwoProgramBanks()));
    ObjectBrowserWindow* catalogue = OpenCatalogueOfRow(form, 0);
    ViewerWindow* viewer = ViewRows(catalogue, {0}).value(0);
    auto* list = Child<QTableView>(viewer, "ListView1");
    list->setCurrentIndex(list->model()->index(1, 0));
    Child<QAction>(viewer, "EditName1")->trigger();
    viewer->core().openExportSettings();  // every group of the settings area shows
    viewer->core().openBankProgFilter();
    viewer->core().openNameFilter();
    Child<QAction>(&form, "BankManager")->trigger();
    Child<QAction>(&form, "LibraryOpen")->trigger();
    Child<QAction>(&form, "MidiPorts")->trigger();
    for (QWidget* window : {static_cast<QWidget*>(&form), static_cast<QWidget*>(catalogue),
                            static_cast<QWidget*>(viewer), Child<QWidget>(&form, "TFormEdit"),
                            static_cast<QWidget*>(TopLevel<BankManagerWindow>().value(0)),
                            static_cast<QWidget*>(TopLevel<LibraryWindow>().value(0)),
                            static_cast<QWidget*>(TopLevel<MidiPortsWindow>().value(0))}) {
      QVERIFY(Activate(window));
      const QString fault = TabOrderFault(window);
      QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
  }
};

QTEST_MAIN(KeyboardWindowTest)
#include "keyboard_window_test.moc"
