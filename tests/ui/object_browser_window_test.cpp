// The object browser opened from the main window's list of loaded files, on
// synthetic PCG files of both models.
#include <QtTest>

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QToolButton>
#include <QTreeView>

#include "main_window/ui/main_window.hpp"
#include "common/bytes.hpp"
#include "formats/chunks.hpp"
#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"
#include "viewer/ui/object_browser_window.hpp"
#include "ui_support.hpp"
#include "ui/column_fit.hpp"
#include "ui/table_model.hpp"

using patchlore::test::FakeDialogs;
using patchlore::test::TempDir;

namespace {

QList<ObjectBrowserWindow*> Browsers() { return TopLevel<ObjectBrowserWindow>(); }
QStringList RowTexts(const QTableView* view, int row) { return TableRowTexts(view, row); }
QStringList Headers(const QTableView* view) { return TableHeaders(view); }
QStringList Lines(const QListView* list) {
  QStringList lines;
  for (int i = 0; i < list->model()->rowCount(); ++i) lines << list->model()->index(i, 0).data().toString();
  return lines;
}

QString Hex8(std::int64_t v) { return QString::fromStdString(patchlore::Hex8(v)); }

}  // namespace

class ObjectBrowserWindowTest : public QObject {
  Q_OBJECT

 private:
  FakeDialogs dialogs_;
  std::unique_ptr<TempDir> dir_;
  std::unique_ptr<MainWindow> form_;
  patchlore::test::Bytes kronos_ = patchlore::test::PcgBuilder(patchlore::test::kKronos)
                                      .setLists(1, 32)
                                      .programBank(0x00000000, 2, 30)
                                      .programBank(0x00008000, 1, 30, "MBK1")
                                      .combiBank(0x00020000, 2, 40)
                                      .drumKitBank(0x00000001, 1, 24)
                                      .waveSequenceBank(0x00020002, 3, 24)
                                      .build();
  patchlore::test::Bytes oasys_ = patchlore::test::PcgBuilder(patchlore::test::kOasys)
                                     .programBank(0x00020001, 128, 24)
                                     .combiBank(0x00000004, 1, 24)
                                     .build();

  void open(const std::string& name, const patchlore::test::Bytes& bytes) {
    OpenFile(*form_, dialogs_, dir_->write(name, bytes));
  }
  ObjectBrowserWindow* openCatalogueOfRow(int row) { return OpenCatalogueOfRow(*form_, row); }

  template <typename T>
  static T* child(QWidget* window, const char* name) { return Child<T>(window, name); }

  static void select(QTableView* view, std::initializer_list<int> rows) { SelectTableRows(view, rows); }

 private slots:
  void init() {
    dialogs_ = FakeDialogs();
    dir_ = std::make_unique<TempDir>();
    form_ = std::make_unique<MainWindow>(dialogs_);
    open("KRONOS.PCG", kronos_);
    open("OASYS.PCG", oasys_);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void cleanup() {
    form_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(Browsers().size(), 0);  // the main window takes its catalogues with it
  }

  void doubleClickOpensTheCatalogueOfAKronosPcg() {
    ObjectBrowserWindow* browser = openCatalogueOfRow(0);
    const patchlore::Image image(kronos_);
    const std::int64_t prg = patchlore::FindChunk("PRG1", image), cmb = patchlore::FindChunk("CMB1", image);
    const std::int64_t dkt = patchlore::FindChunk("DKT1", image), wsq = patchlore::FindChunk("WSQ1", image);
    const std::int64_t sls = patchlore::FindChunk("SLS1", image);

    QCOMPARE(browser->windowTitle(),
             QString("0:PCG KORG KRONOS (bytes:%1) \\KRONOS.PCG").arg(kronos_.size()));
    QVERIFY(!browser->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(browser->size(), QSize(488, 234));
    QCOMPARE(browser->pos(), QPoint(192, 114));
    QVERIFY(browser->isVisible());
    QCOMPARE(form_->findChild<QLabel*>("ActionMsg")->text(), QString("CreateFormOpen: iopen=0; iForm=0"));

    auto* view = child<QTableView>(browser, "ListView1");
    QCOMPARE(Headers(view), (QStringList{"Object", "Index", "Name", "Type", "Count"}));
    QCOMPARE(view->model()->rowCount(), 6);
    QCOMPARE(RowTexts(view, 0), (QStringList{"SetList Bank", "", "", "Size=$1018", "1"}));
    QCOMPARE(RowTexts(view, 1), (QStringList{"Prog Bank", "01", "I-A", "HD-1", "2"}));
    QCOMPARE(RowTexts(view, 2), (QStringList{"Prog Bank", "02", "I-F", "EXi", "1"}));
    QCOMPARE(RowTexts(view, 3), (QStringList{"Combi Bank", "01", "U-A", "", "2"}));
    QCOMPARE(RowTexts(view, 4), (QStringList{"Drum Kit Bank", "01", "I-B", "", "1"}));
    QCOMPARE(RowTexts(view, 5), (QStringList{"Wave Sequence Bank", "01", "U-C", "", "3"}));
    QVERIFY(view->horizontalHeader()->sectionSize(0) > view->fontMetrics().horizontalAdvance("Wave Sequence Bank"));
    QCOMPARE(Lines(child<QListView>(browser, "OffsetBox")),
             (QStringList{"SetList Bank=" + Hex8(sls), "Prog Bank I-A=" + Hex8(prg + 12),
                          "Prog Bank I-F=" + Hex8(prg + 12 + 24 + 60), "Combi Bank U-A=" + Hex8(cmb + 12),
                          "Drum Kit Bank I-B=" + Hex8(dkt + 12),
                          "Wave Sequence Bank U-C=" + Hex8(wsq + 12)}));
    QCOMPARE(child<QLabel>(browser, "Msg")->text(), QString("Lines:6"));
    QVERIFY(!child<QWidget>(browser, "Panel1")->isVisible());
    QVERIFY(child<QWidget>(browser, "Panel2")->isVisible());
    QCOMPARE(child<QPushButton>(browser, "ViewSelected")->text(), QString("View"));
    QVERIFY(child<QPushButton>(browser, "ViewSelected")->font().bold());
    QCOMPARE(child<QLabel>(browser, "Label1")->text(), QString("Select Objects then Click. "));
    QVERIFY(view->font().bold());
    QVERIFY(view->showGrid());
    QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(view->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
  }

  void aSysexCatalogueShowsEveryMessageFromTheImage() {
    patchlore::test::Bytes pairs;
    for (int k = 0; k < 100000; ++k) pairs.insert(pairs.end(), {0xF0, 0xF7});
    dialogs_.openAnswers.push_back(dir_->write("PAIRS.SYX", pairs));
    form_->findChild<QAction*>("FileOpenAsSysEx1")->trigger();
    ObjectBrowserWindow* browser = openCatalogueOfRow(2);
    auto* view = child<QTableView>(browser, "ListView1");
    QCOMPARE(view->model()->rowCount(), 100000);
    QCOMPARE(RowTexts(view, 99999), (QStringList{"Sysex F0F7", "100000", " Only F0F7 *error", "00030D3E", "2"}));
    auto* offsetBox = child<QListView>(browser, "OffsetBox");
    QCOMPARE(offsetBox->model()->index(99999, 0).data().toString(), QString("Sysex F0F7=00030D3E"));
    QCOMPARE(child<QLabel>(browser, "Msg")->text(), QString("Lines:100000"));
  }

  void compareFilesListsTheDifferencesInABrowserWindow() {
    QVERIFY(!child<QToolButton>(form_.get(), "ToolButton12")->isVisible());
    dialogs_.openAnswers.push_back(dir_->write("A.BIN", patchlore::test::Bytes{1, 2, 3}));
    dialogs_.openAnswers.push_back(dir_->write("B.BIN", patchlore::test::Bytes{1, 5, 3, 4}));
    form_->findChild<QAction*>("CompareFilesItem")->trigger();
    QCOMPARE(Browsers().size(), 1);
    ObjectBrowserWindow* browser = Browsers().front();
    QCOMPARE(browser->windowTitle(), QString("Compare1"));
    auto* view = child<QTableView>(browser, "ListView1");
    QCOMPARE(Headers(view), (QStringList{"FileName", "Index", "Offset", "Byte1", "Byte2"}));
    QCOMPARE(view->model()->rowCount(), 3);
    QCOMPARE(RowTexts(view, 1), (QStringList{"2: B.BIN", "", "", "", "Bytes:4"}));
    QCOMPARE(RowTexts(view, 2), (QStringList{"", "1: not EQ", "00000001", "02", "05"}));
    QCOMPARE(child<QLabel>(browser, "Msg")->text(), QString("Lines: 3; notEQ:1"));
    QVERIFY(form_->findChild<QAction*>("CompareFiles")->isEnabled());
    QVERIFY(!child<QPushButton>(browser, "ViewSelected")->isVisibleTo(browser));  // no viewer shows its rows
    QVERIFY(child<QProgressBar>(form_.get(), "Progress")->isHidden());
  }

  void theSecondCatalogueIsAnOasysPcgPlacedOneStepFurther() {
    openCatalogueOfRow(0);
    ObjectBrowserWindow* browser = openCatalogueOfRow(1);
    QCOMPARE(browser->windowTitle(),
             QString("1:PCG KORG OASYS (bytes:%1) \\OASYS.PCG").arg(oasys_.size()));
    QCOMPARE(browser->pos(), QPoint(192 + 16, 114 + 16));
    const std::int64_t prg = patchlore::FindChunk("PRG1", patchlore::Image(oasys_));
    const std::int64_t cmb = patchlore::FindChunk("CMB1", patchlore::Image(oasys_));
    auto* view = child<QTableView>(browser, "ListView1");
    QCOMPARE(view->model()->rowCount(), 2);
    QCOMPARE(RowTexts(view, 0), (QStringList{"Prog Bank", "01", "U-B", "HD-1", "128"}));
    QCOMPARE(RowTexts(view, 1), (QStringList{"Combi Bank", "01", "I-E", "", "1"}));
    QCOMPARE(Lines(child<QListView>(browser, "OffsetBox")),
             (QStringList{"Prog Bank U-B=" + Hex8(prg + 12), "Combi Bank I-E=" + Hex8(cmb + 12)}));
    QCOMPARE(child<QLabel>(browser, "Msg")->text(), QString("Lines:2"));
  }

  void headerClickSelectsEveryRow() {
    ObjectBrowserWindow* browser = openCatalogueOfRow(0);
    QVERIFY(QTest::qWaitForWindowExposed(browser));
    auto* view = child<QTableView>(browser, "ListView1");
    select(view, {2});
    QHeaderView* header = view->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionPosition(2) + 5, header->height() / 2));
    QCOMPARE(browser->selectedRows(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
  }

  void viewWithTwoKindsSelectedRequestsTwoViewers() {
    ObjectBrowserWindow* browser = openCatalogueOfRow(0);
    QVERIFY(QTest::qWaitForWindowExposed(browser));
    auto* view = child<QTableView>(browser, "ListView1");
    std::vector<std::vector<patchlore::ViewerRequest>> emitted;
    connect(browser, &ObjectBrowserWindow::viewersRequested, this,
            [&emitted](std::vector<patchlore::ViewerRequest> requests) { emitted.push_back(requests); });

    child<QPushButton>(browser, "ViewSelected")->click();  // nothing selected: nothing opens
    QCOMPARE(emitted.size(), std::size_t{0});

    select(view, {3, 1, 2});
    child<QPushButton>(browser, "ViewSelected")->click();
    QCOMPARE(emitted.size(), std::size_t{1});
    const auto& requests = emitted[0];
    QCOMPARE(requests.size(), std::size_t{2});
    const std::string caption = browser->catalogue().caption;
    QCOMPARE(requests[0].patchCode, 'P');
    QCOMPARE(requests[0].caption, "Prog " + caption);
    QCOMPARE(requests[0].descriptorLines,
             (std::vector<std::string>{browser->catalogue().offsetBox[1], browser->catalogue().offsetBox[2]}));
    QCOMPARE(requests[1].patchCode, 'C');
    QCOMPARE(requests[1].caption, "Combi " + caption);

    // A double-click on a row does the same for the row it selects.
    select(view, {0});
    view->scrollTo(view->model()->index(5, 0));
    const QPoint onRow = view->visualRect(view->model()->index(5, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, onRow);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, onRow);
    QCOMPARE(emitted.size(), std::size_t{2});
    QCOMPARE(emitted[1].size(), std::size_t{1});
    QCOMPARE(emitted[1][0].patchCode, 'W');
    QCOMPARE(emitted[1][0].caption, "Wave " + caption);
    QCOMPARE(emitted[1][0].descriptorLines, (std::vector<std::string>{browser->catalogue().offsetBox[5]}));
  }

  void enterOpensTheSelectedRowsAndTabMovesToView() {
    ObjectBrowserWindow* browser = openCatalogueOfRow(0);
    browser->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(browser));
    auto* view = child<QTableView>(browser, "ListView1");
    auto* viewButton = child<QPushButton>(browser, "ViewSelected");
    int emitted = 0;
    connect(browser, &ObjectBrowserWindow::viewersRequested, this, [&emitted] { ++emitted; });
    view->setFocus();
    select(view, {1, 2});

    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(emitted, 1);
    QTest::keyClick(view, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), viewButton);
    QCOMPARE(browser->selectedRows(), (std::vector<int>{1, 2}));  // Tab kept both rows
    QTest::keyClick(viewButton, Qt::Key_Space);
    QCOMPARE(emitted, 2);
  }

  void tableModelServesAMillionRowsFromTheTableTexts() {
    patchlore::Table table;
    table.columns = {{"Object", 80}, {"Index", 50}, {"Name", 100}};
    table.rows.assign(1000000, patchlore::TableRow{"Prog Bank", {"01"}});
    table.rows.back() = {"Song S999", {"7", std::string("Caf\xE9\x01", 5), "unshown"}};
    TableModel model;
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    model.show(&table);
    QCOMPARE(resets.size(), 1);
    QCOMPARE(model.rowCount(), 1000000);
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QString("Name"));
    QCOMPARE(model.index(0, 2).data().toString(), QString());  // a row with fewer cells
    QCOMPARE(model.index(999999, 0).data().toString(), QString("Song S999"));
    // Windows-1251 text, control bytes shown as a middle dot
    QCOMPARE(model.index(999999, 2).data().toString(), QString::fromUtf8("Caf\u0439\u00B7"));
    QVERIFY(!model.index(0, 0).data(Qt::EditRole).isValid());
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));

    // Widths are measured on the first rows only, so the last row's long
    // name does not widen its column.
    table.rows[999999].cells[1] = std::string(200, 'W');
    QTableView view;
    view.setModel(&model);
    new ColumnFit(&view, view.horizontalHeader(), &model);
    QCOMPARE(view.horizontalHeader()->sectionSize(2), 100);
  }
};

QTEST_MAIN(ObjectBrowserWindowTest)
#include "object_browser_window_test.moc"
