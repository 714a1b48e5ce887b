// The main window driven through its actions and lists, with dialogs that
// answer from a script and files built in a temporary folder.
#include <QtTest>

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QTreeView>

#include "main_window/ui/about_box.hpp"
#include "main_window/ui/chunk_listing_window.hpp"
#include "main_window/ui/main_window.hpp"
#include "support/fakes.hpp"
#include "support/midi_file_builder.hpp"
#include "support/pcg_builder.hpp"
#include "support/sysex_builder.hpp"
#include "support/temp_dir.hpp"
#include "ui_support.hpp"

using patchlore::test::FakeDialogs;
using patchlore::test::SmallestPcg;
using patchlore::test::TempDir;

namespace {

QString ListText(const QListWidget* list) {
  QStringList lines;
  for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
  return lines.join('\n');
}

QList<ChunkListingWindow*> CheckWindows() {
  QList<ChunkListingWindow*> windows;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* window = qobject_cast<ChunkListingWindow*>(widget)) windows << window;
  return windows;
}

// Inside a load, records the state of the load commands each time the core
// lets events in, and tries to start a second load meanwhile.
class ProbingForm : public MainWindow {
 public:
  using MainWindow::MainWindow;
  QList<bool> openEnabledWhenPumped;
  QList<bool> sysExEnabledWhenPumped;
  QList<bool> importEnabledWhenPumped;
  QList<bool> buttonEnabledWhenPumped;
  QList<bool> itemEnabledWhenPumped;

  void pump() override {
    if (core().state().loadRunning) {
      openEnabledWhenPumped << action("FileOpen1")->isEnabled();
      sysExEnabledWhenPumped << action("FileOpenAsSysEx1")->isEnabled();
      importEnabledWhenPumped << action("FileImportSmfItem")->isEnabled();
      itemEnabledWhenPumped << action("FileOpenItem")->isEnabled();
      buttonEnabledWhenPumped << findChild<QToolButton*>("ToolButton1")->isEnabled();
      action("FileOpen1")->trigger();
    }
    MainWindow::pump();
  }

  QAction* action(const char* name) const { return findChild<QAction*>(name); }
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  FakeDialogs dialogs_;
  std::unique_ptr<TempDir> dir_;
  std::unique_ptr<MainWindow> form_;

  template <typename T>
  T* child(const char* name) const {
    T* found = form_->findChild<T*>(name);
    if (!found) qFatal("no component %s", name);
    return found;
  }
  QAction* action(const char* name) const { return child<QAction>(name); }
  QString text(const char* label) const { return child<QLabel>(label)->text(); }
  QTreeView* openList() const { return child<QTreeView>("OpenList"); }
  int fileRows() const { return openList()->model()->rowCount(); }

  void open(const std::string& path) {
    dialogs_.openAnswers.push_back(path);
    action("FileOpen1")->trigger();
  }
  std::string smallestPcg(const std::string& name) const {
    return dir_->write(name, SmallestPcg());
  }

 private slots:
  void init() {
    dialogs_ = FakeDialogs();
    dir_ = std::make_unique<TempDir>();
    form_ = std::make_unique<MainWindow>(dialogs_);
  }
  void cleanup() {
    form_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void startsWithTheDesignedTexts() {
    QCOMPARE(form_->windowTitle(), QString("Patchlore "));
    QCOMPARE(text("MsgView"), QString("  Please, Open and try to load file."));
    QCOMPARE(text("ActionMsg"), QString("ActionMsg"));
    QVERIFY(child<QLabel>("ActionMsg")->font().bold());
    QCOMPARE(form_->size(), QSize(519, 349));
    QVERIFY(child<QProgressBar>("Progress")->isHidden());

    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    auto* view = child<QListWidget>("View");
    QVERIFY(view->height() >= 5 * 16);  // a few lines of the log show
    // "Courier New" where the system has it, else a fixed-pitch font of the
    // same size and weight; the font the log reports is the one it draws with.
    const QFontInfo drawn(view->font());
    QCOMPARE(drawn.family(), view->font().family());
    QVERIFY(drawn.fixedPitch());
    QCOMPARE(drawn.pointSize(), 10);
    QVERIFY(drawn.bold());
    QVERIFY(!child<QProgressBar>("Progress")->isVisible());
  }

  void listsLoadedFilesInTheDesignedColumns() {
    QTreeView* list = openList();
    QCOMPARE(TableHeaders(list), (QStringList{"Index", "File Name", "Bytes", "Type", "File Path"}));
    for (int c = 0; c < 5; ++c)
      QVERIFY(list->header()->sectionSize(c) >= patchlore::FileListColumns()[c].width);
    QCOMPARE(list->model()->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
                 Qt::AlignRight,
             Qt::AlignRight);
  }

  void offersTheDocumentedCommands() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    for (const char* shown : {"ToolButton9", "ToolButton1", "ToolButton2"})
      QVERIFY2(child<QToolButton>(shown)->isVisible(), shown);
    for (const char* hidden : {"ToolButton4", "ToolButton5", "ToolButton6", "ToolButton8",
                               "ToolButton10", "ToolButton11", "ToolButton12", "ToolButton13"})
      QVERIFY2(!child<QToolButton>(hidden)->isVisible(), hidden);
    QCOMPARE(child<QToolButton>("ToolButton12")->toolTip(), QString("Compare files"));
    QCOMPARE(child<QToolButton>("ToolButton13")->text(), QString("Bank copy"));

    QVERIFY(!action("FileSaveAs1")->isEnabled());
    QVERIFY(!action("FileSaveAsItem")->isEnabled());
    QCOMPARE(action("FileNew1")->toolTip(), QString("New"));
    QCOMPARE(action("FileNew1")->statusTip(), QString("Create a new file"));
    QCOMPARE(action("FileSaveAs1")->statusTip(), QString("Save current file with different name"));

    // Menu items, each with its caption and shortcut, reachable from the menu bar.
    const struct {
      const char* item;
      const char* caption;
      const char* shortcut;
    } items[] = {{"FileNewItem", "&New", "Ctrl+N"},
                 {"FileOpenItem", "&Open", "Ctrl+O"},
                 {"FileOpenAsSysExItem", "Open As Sys&Ex", "Ctrl+E"},
                 {"FileCloseItem", "&Close", ""},
                 {"FileSaveItem", "&Save", "Ctrl+S"},
                 {"FileSavePcgItem", "Save &Pcg", "Ctrl+P"},
                 {"FileSaveAsItem", "Save &As...", "Ctrl+A"},
                 {"FileExitItem", "E&xit", ""},
                 {"CutItem", "Cu&t", "Ctrl+X"},
                 {"CopyItem", "&Copy", "Ctrl+C"},
                 {"PasteItem", "&Paste", "Ctrl+V"},
                 {"WindowCascadeItem", "&Cascade", ""},
                 {"WindowTileItem", "Tile &Horizontally", ""},
                 {"WindowTileItem2", "Tile &Vertically", ""},
                 {"WindowMinimizeItem", "&Minimize All", ""},
                 {"WindowArrangeItem", "&Arrange All", ""},
                 {"FontSet", "&Font Setting", "Ctrl+F"},
                 {"BankCopy", "&Bank Manager", "Ctrl+B"},
                 {"HelpAboutItem", "&About...", ""}};
    QStringList inMenus;
    for (QAction* menu : child<QMenuBar>("MainMenu1")->actions())
      for (QAction* item : menu->menu()->actions()) inMenus << item->objectName();
    for (const auto& expected : items) {
      QVERIFY2(inMenus.contains(expected.item), expected.item);
      QCOMPARE(action(expected.item)->text(), QString(expected.caption));
      QCOMPARE(action(expected.item)->shortcut(), QKeySequence(expected.shortcut));
    }
    QStringList menuHints;
    for (QAction* menu : child<QMenuBar>("MainMenu1")->actions()) menuHints << menu->statusTip();
    QCOMPARE(menuHints, (QStringList{"File related commands", "Edit commands",
                                     "Window related commands", "", "Help topics"}));
  }

  void openingAValidFileAddsItsRow() {
    const std::string path = smallestPcg("small.pcg");
    open(path);
    QCOMPARE(fileRows(), 1);
    QCOMPARE(TableRowTexts(openList(), 0),
             (QStringList{"0", "small.pcg", "52", "PCG KORG KRONOS",
                          QString::fromStdString(dir_->path().string() + "/")}));
    QCOMPARE(openList()->model()->index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                 Qt::AlignRight,
             Qt::AlignRight);
    QVERIFY(openList()->header()->sectionSize(3) >
            QFontMetrics(openList()->font()).horizontalAdvance("PCG KORG KRONOS"));  // the Type fits
    QCOMPARE(text("MsgView"), QString("  Loaded:1;   Please, Open and try to Load file."));
    QCOMPARE(text("ActionMsg"), QString("PCG KORG KRONOS load from file<small.pcg>"));
    QCOMPARE(form_->windowTitle(), QString("Patchlore Open file <small.pcg> Bytes:52"));
    QCOMPARE(ListText(child<QListWidget>("View")),
             QString("Patchlore Open file <small.pcg> Bytes:52\n"
                     "Patchlore  ---End of File--- <small.pcg>"));
    QVERIFY(child<QProgressBar>("Progress")->isHidden());

    open(smallestPcg("second.pcg"));
    QCOMPARE(fileRows(), 2);
    QCOMPARE(TableRowTexts(openList(), 1).front(), QString("1"));
    QCOMPARE(text("MsgView"), QString("  Loaded:2;   Please, Open and try to Load file."));
    // The log holds the lines of the last load only.
    QCOMPARE(child<QListWidget>("View")->count(), 2);
  }

  void openingABadFileReportsTheError() {
    open(dir_->write("song.mid", std::string("MThd\0\0\0\x06", 8)));
    const QString error("Format ERROR-1. Unknown file_Header'MThd' - must be 'KORG'");
    QCOMPARE(text("ActionMsg"), error);
    QCOMPARE(child<QListWidget>("View")->item(1)->text(), "Patchlore " + error);
    QCOMPARE(fileRows(), 0);
    QCOMPARE(text("MsgView"), QString("  Please, Open and try to Load file."));
  }

  void aSecondLoadCannotStartWhileOneRuns() {
    ProbingForm form(dialogs_);
    dialogs_.openAnswers.push_back(smallestPcg("small.pcg"));
    dialogs_.openAnswers.push_back(smallestPcg("never.pcg"));
    form.action("FileOpen1")->trigger();

    QVERIFY(!form.openEnabledWhenPumped.isEmpty());
    QVERIFY(!form.openEnabledWhenPumped.contains(true));
    QVERIFY(!form.sysExEnabledWhenPumped.contains(true));
    QVERIFY(!form.importEnabledWhenPumped.contains(true));
    QVERIFY(!form.itemEnabledWhenPumped.contains(true));
    QVERIFY(!form.buttonEnabledWhenPumped.contains(true));
    QCOMPARE(dialogs_.openAnswers.size(), std::size_t{1});  // never asked for a second file
    QCOMPARE(form.findChild<QTreeView*>("OpenList")->model()->rowCount(), 1);
    QVERIFY(form.action("FileOpen1")->isEnabled());
    QVERIFY(form.action("FileOpenItem")->isEnabled());
    QVERIFY(form.action("FileOpenAsSysEx1")->isEnabled());
  }

  void newShowsTheCheckListingInItsOwnWindow() {
    dialogs_.openAnswers.push_back(smallestPcg("small.pcg"));
    action("FileNew1")->trigger();
    const QList<ChunkListingWindow*> windows = CheckWindows();
    QCOMPARE(windows.size(), 1);
    ChunkListingWindow* window = windows[0];
    QCOMPARE(window->windowTitle(), QString("Check PCG <small.pcg>"));
    QCOMPARE(window->size(), QSize(512, 128));
    QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
    auto* memo = window->findChild<QPlainTextEdit*>("Memo1");
    QVERIFY(memo);
    QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    const QStringList lines = memo->toPlainText().split('\n');
    QCOMPARE(lines.first(), QString::fromStdString(dir_->path().string() + "/small.pcg"));
    QCOMPARE(lines[1], QString("Bytes:52; hex=00000034"));
    // The NUL bytes of the header are shown, not cut off.
    QCOMPARE(lines[2], QString::fromUtf8("offset=00000000  4B4F5247680000000000000000000000 - KORGh···"
                                         "········"));
    QVERIFY(lines.contains("*** PCG List End ***"));
    QCOMPARE(lines.last(), QString("Type of file=KORG KRONOS PCG "));
    QCOMPARE(fileRows(), 0);  // not loaded

    dialogs_.openAnswers.push_back(std::nullopt);
    action("FileNew1")->trigger();
    QCOMPARE(CheckWindows().size(), 1);

    // The shortcut, shared by the action and its menu item, starts New once.
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    dialogs_.openAnswers = {smallestPcg("again.pcg"), smallestPcg("twice.pcg")};
    QTest::keyClick(form_.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(CheckWindows().size(), 2);
    QCOMPARE(dialogs_.openAnswers.size(), std::size_t{1});
  }

  void closeClosesTheMostRecentlyActiveChild() {
    dialogs_.openAnswers = {smallestPcg("a.pcg"), smallestPcg("b.pcg")};
    action("FileNew1")->trigger();
    action("FileNew1")->trigger();
    QList<ChunkListingWindow*> windows = CheckWindows();
    QCOMPARE(windows.size(), 2);
    ChunkListingWindow* first = windows[0]->windowTitle().contains("a.pcg") ? windows[0] : windows[1];
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(first, &activate);

    action("FileClose1")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    windows = CheckWindows();
    QCOMPARE(windows.size(), 1);
    QCOMPARE(windows[0]->windowTitle(), QString("Check PCG <b.pcg>"));

    form_.reset();  // the children do not outlive the main window
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(CheckWindows().isEmpty());
  }

  void windowCommandsArrangeTheChildWindowsBesideTheMainWindow() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    dialogs_.openAnswers = {smallestPcg("a.pcg"), smallestPcg("b.pcg")};
    action("FileNew1")->trigger();
    action("FileNew1")->trigger();
    const QList<ChunkListingWindow*> windows = CheckWindows();
    for (ChunkListingWindow* window : windows) QVERIFY(QTest::qWaitForWindowExposed(window));
    const QRect screen = form_->screen()->availableGeometry();

    for (const char* command : {"WindowCascade1", "WindowTileHorizontal1", "WindowTileVertical1", "WindowArrange1"}) {
      action(command)->trigger();
      for (ChunkListingWindow* window : windows) {
        QVERIFY2(screen.contains(window->frameGeometry()), command);
        QVERIFY2(!window->frameGeometry().intersects(form_->frameGeometry()), command);
      }
    }
    action("WindowTileVertical1")->trigger();
    const QRect left = windows[0]->frameGeometry();
    const QRect right = windows[1]->frameGeometry();
    QVERIFY(!left.intersects(right));
    QCOMPARE(left.top(), right.top());

    action("WindowMinimizeAll1")->trigger();
    for (ChunkListingWindow* window : windows) QVERIFY(window->isMinimized());
    action("WindowArrange1")->trigger();
    for (ChunkListingWindow* window : windows) QVERIFY(!window->isMinimized());
  }

  void ctrlEOpensAFileAsSysEx() {
    dialogs_.openAnswers.push_back(dir_->write("M1.SYX", patchlore::test::Bytes{0xF0, 0x42, 0xF7}));
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    QTest::keyClick(form_.get(), Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(text("ActionMsg"), QString("SysEx  load from file<M1.SYX>"));
    QCOMPARE(form_->windowTitle(), QString("Patchlore Open file <M1.SYX> Bytes:3"));
    QCOMPARE(fileRows(), 1);
    QCOMPARE(openList()->model()->index(0, 3).data().toString(), QString("SysEx  ; Count:1"));
    QCOMPARE(child<QListWidget>("View")->count(), 0);
    QVERIFY(action("FileOpenAsSysEx1")->isEnabled());
  }

  // The File menu's item runs the import, during which no other load starts.
  void importSysexFromMidiFileItemLoadsItsMessages() {
    ProbingForm form(dialogs_);
    QVERIFY(form.findChild<QMenu*>("File1")->actions().contains(form.action("FileImportSmfItem")));
    dialogs_.openAnswers.push_back(
        dir_->write("dump.mid", patchlore::test::MidiFileBuilder(0).track().sysex(0, {0x42, 0xF7}).endOfTrack().build()));
    dialogs_.openAnswers.push_back(smallestPcg("never.pcg"));
    form.action("FileImportSmfItem")->trigger();

    QVERIFY(!form.openEnabledWhenPumped.isEmpty());
    QVERIFY(!form.openEnabledWhenPumped.contains(true));
    QVERIFY(!form.sysExEnabledWhenPumped.contains(true));
    QCOMPARE(dialogs_.openAnswers.size(), std::size_t{1});
    QTreeView* list = form.findChild<QTreeView*>("OpenList");
    QCOMPARE(TableRowTexts(list, 0), (QStringList{"0", "dump.mid", "3", "SysEx  ; Count:1",
                                                  QString::fromStdString(dir_->path().string() + "/")}));
    QCOMPARE(form.findChild<QLabel*>("ActionMsg")->text(), QString("SysEx  load from file<dump.mid>"));
    QVERIFY(form.action("FileImportSmf1")->isEnabled());
  }

  // Two files dropped on the list: a PCG as Open loads it and a SysEx file
  // as Open As SysEx does, one after the other, from the event loop.
  void droppedFilesAreLoadedInTurn() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(smallestPcg("A.PCG"))),
                  QUrl::fromLocalFile(QString::fromStdString(dir_->write("M1.SYX", patchlore::test::M1Message(0x21))))});
    QWidget* target = openList()->viewport();
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QVERIFY(drop.isAccepted());
    QTRY_COMPARE(fileRows(), 2);
    QCOMPARE(form_->core().registry().type(1), std::string("SysEx  ; Count:1"));
    QCOMPARE(text("ActionMsg"), QString("SysEx  load from file<M1.SYX>"));
  }

  void savePcgWritesTheSelectedRowsImage() {
    open(smallestPcg("a.pcg"));
    open(dir_->write("b.pcg", patchlore::test::PcgBuilder().programBank(0, 2).build()));
    openList()->selectionModel()->select(openList()->model()->index(1, 0),
                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const std::string target = (dir_->path() / "saved.pcg").string();
    dialogs_.saveAnswers.push_back(target);
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    QTest::keyClick(form_.get(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(dialogs_.saveProposals, std::vector<std::string>{"b.pcg"});
    QCOMPARE(TempDir::read(target), TempDir::read((dir_->path() / "b.pcg").string()));
    QCOMPARE(text("ActionMsg"), QString::fromStdString("Saved <" + target + ">"));
  }

  void saveWritesTheLogWithCrLf() {
    open(smallestPcg("small.pcg"));
    const std::string target = (dir_->path() / "log").string();
    dialogs_.saveAnswers.push_back(target);
    action("FileSave1")->trigger();
    QCOMPARE(QString::fromStdString(TempDir::read(target + ".txt")),
             ListText(child<QListWidget>("View")).replace("\n", "\r\n") + "\r\n");
  }

  void fontSettingChangesTheLogFont() {
    // The dialog starts from the font the log is drawn in.
    const QFontInfo drawn(child<QListWidget>("View")->font());
    dialogs_.fontAnswer = patchlore::FontChoice{"DejaVu Sans Mono", 14, false, true};
    action("FontSet")->trigger();
    QCOMPARE(dialogs_.fontsOffered.at(0), (patchlore::FontChoice{drawn.family().toStdString(), 10, true, false}));
    const QFont font = child<QListWidget>("View")->font();
    QCOMPARE(font.family(), QString("DejaVu Sans Mono"));
    QCOMPARE(font.pointSize(), 14);
    QVERIFY(!font.bold());
    QVERIFY(font.italic());

    dialogs_.fontAnswer.reset();  // cancelled: the font stays
    action("FontSet")->trigger();
    QCOMPARE(child<QListWidget>("View")->font().pointSize(), 14);
  }

  void headerClickSelectsEveryRowWithoutSorting() {
    open(smallestPcg("b.pcg"));
    open(smallestPcg("a.pcg"));
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QHeaderView* header = openList()->header();
    const QPoint fileNameSection(header->sectionViewportPosition(1) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, fileNameSection);
    QCOMPARE(SelectedRows(openList()), (QList<int>{0, 1}));
    QCOMPARE(TableRowTexts(openList(), 0).at(1), QString("b.pcg"));
  }

  void doubleClickRequestsOneCataloguePerSelectedRow() {
    for (const char* name : {"a.pcg", "b.pcg", "c.pcg"}) open(smallestPcg(name));
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QSignalSpy requests(form_.get(), &MainWindow::catalogueRequested);
    SelectTableRows(openList(), {2, 0});

    QWidget* viewport = openList()->viewport();
    const QPoint onRow = RowCenter(openList(), 2);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, onRow, viewport->mapToGlobal(onRow),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &doubleClick);
    QCOMPARE(requests.size(), 2);
    QCOMPARE(requests[0], (QList<QVariant>{0, 0}));  // rows in list order
    QCOMPARE(requests[1], (QList<QVariant>{2, 1}));

    // A right-click on the header does the same; the counter keeps growing.
    SelectTableRows(openList(), {1});
    QHeaderView* header = openList()->header();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5),
                                 header->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(header->viewport(), &rightClick);
    QCOMPARE(requests.size(), 3);
    QCOMPARE(requests[2], (QList<QVariant>{1, 2}));
  }

  void aboutShowsTheAboutBoxModally() {
    QString title;
    QString product;
    bool productBold = false;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<AboutBox*>(QApplication::activeModalWidget());
      if (!box) return;
      title = box->windowTitle();
      product = box->findChild<QLabel*>("ProductName")->text();
      productBold = box->findChild<QLabel*>("ProductName")->font().bold();
      box->findChild<QPushButton*>("OKButton")->click();
    });
    action("HelpAbout1")->trigger();
    QCOMPARE(title, QString("About"));
    QCOMPARE(product, QString("Patchlore"));
    QVERIFY(productBold);
    QVERIFY(!form_->findChild<AboutBox*>()->isVisible());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
