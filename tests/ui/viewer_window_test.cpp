// The viewer window on the whole road: a synthetic PCG opened in the main
// window, its catalogue, the program bank rows viewed, filtered, shown again
// and saved as ".CVS".
#include <QtTest>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableView>
#include <QThread>
#include <QTreeView>

#include "main_window/ui/main_window.hpp"
#include "common/bytes.hpp"
#include "formats/program_layout.hpp"
#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"
#include "viewer/ui/object_browser_window.hpp"
#include "viewer/ui/viewer_window.hpp"
#include "ui_support.hpp"

using patchlore::test::Bytes;
using patchlore::test::FakeDialogs;
using patchlore::test::PcgBuilder;
using patchlore::test::TempDir;

namespace {

// OSC1 transpose of a program of system version 0200, by model.
const int kTransposeKronos = static_cast<int>(
    patchlore::ProgramLayoutFor(patchlore::kKronosConstants, patchlore::kShortZoneConstants, false).osc1Transpose());
const int kTransposeOasys = static_cast<int>(
    patchlore::ProgramLayoutFor(patchlore::kOasysConstants, patchlore::kShortZoneConstants, true).osc1Transpose());

// Every program: a Single HD-1 program whose OSC1 transpose is its number + 1.
PcgBuilder Programs(std::uint8_t model, int transposeAt) {
  return PcgBuilder(model).editPatches([transposeAt](const auto&, int patch, Bytes& record) {
    if (record.size() <= static_cast<std::size_t>(transposeAt)) return;  // not a program
    std::fill(record.begin() + 24, record.end(), 0);
    record[static_cast<std::size_t>(transposeAt)] = static_cast<std::uint8_t>(patch + 1);
  });
}

QString Text(QWidget* window, const char* name) { return Child<QLabel>(window, name)->text(); }

QStringList Lines(QWidget* window, const char* name) { return ListLines(Child<QListWidget>(window, name)); }

QTableView* List(QWidget* viewer) { return Child<QTableView>(viewer, "ListView1"); }

QStringList Row(QWidget* viewer, int row) { return TableRowTexts(List(viewer), row); }

QStringList Headers(QWidget* viewer) { return TableHeaders(List(viewer)); }

int RowCount(QWidget* viewer) { return List(viewer)->model()->rowCount(); }

void ClickLine(QWidget* window, const char* name, int line) {
  auto* list = Child<QListWidget>(window, name);
  const QRect rect = list->visualItemRect(list->item(line));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

QString Name(const char* bank, int patch) {
  return QString("Prog %1 %2").arg(bank).arg(patch, 3, 10, QChar('0')).leftJustified(24);
}

QString Hex8(std::int64_t v) { return QString::fromStdString(patchlore::Hex8(v)); }

// The first fault of layout under root: two shown sibling widgets that cover
// each other, or a label or button narrower than its text; empty when none.
QString LayoutFault(const QWidget* root) {
  QList<const QWidget*> shown;
  for (const QObject* child : root->children())
    if (const auto* widget = qobject_cast<const QWidget*>(child); widget && !widget->isHidden())
      shown << widget;
  for (qsizetype i = 0; i < shown.size(); ++i) {
    const QWidget* widget = shown[i];
    const int needed = widget->minimumSizeHint().width();
    if ((qobject_cast<const QLabel*>(widget) || qobject_cast<const QAbstractButton*>(widget)) &&
        widget->width() < needed && widget->maximumWidth() >= needed)
      return widget->objectName() + " cut";
    for (qsizetype j = i + 1; j < shown.size(); ++j)
      if (widget->geometry().intersects(shown[j]->geometry()))
        return widget->objectName() + " over " + shown[j]->objectName();
    if (const QString below = LayoutFault(widget); !below.isEmpty()) return below;
  }
  return {};
}

// A status text that ends in the start and end times of a Show.
bool IsTimed(const QString& text, const QString& head) {
  const QString time = R"(\d\d:\d\d:\d\d)";
  return QRegularExpression("^" + QRegularExpression::escape(head) + "; Time: " + time + " - " + time + "$")
      .match(text)
      .hasMatch();
}

// The text of a PDF, its pages ended by form feeds, as pdftotext reads it;
// empty when pdftotext (poppler-utils, which `scripts/setup test` installs)
// is missing or fails.
QString PdfText(const std::string& path) {
  QProcess pdftotext;
  pdftotext.start("pdftotext", {"-layout", QString::fromStdString(path), "-"});
  if (!pdftotext.waitForFinished() || pdftotext.exitStatus() != QProcess::NormalExit || pdftotext.exitCode() != 0)
    return {};
  return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// A viewer whose Show lets events in while it lists rows; the first time two
// rows are on screen, the user selects them.
class SlowViewer : public ViewerWindow {
 public:
  using ViewerWindow::ViewerWindow;
  int rowsWhenSelected = 0;

  void pump() override {
    QThread::msleep(1);
    ViewerWindow::pump();
    auto* list = Child<QTableView>(this, "ListView1");
    if (rowsWhenSelected > 0 || list->model()->rowCount() < 2) return;
    rowsWhenSelected = list->model()->rowCount();
    SelectTableRows(list, {0, 1});
  }
};

}  // namespace

class ViewerWindowTest : public QObject {
  Q_OBJECT

 private:
  FakeDialogs dialogs_;
  std::unique_ptr<TempDir> dir_;
  std::unique_ptr<MainWindow> form_;
  Bytes kronos_ = Programs(patchlore::test::kKronos, kTransposeKronos)
                      .programBank(0x00000000, 3, patchlore::test::kProgramSize)
                      .programBank(0x00000001, 2, patchlore::test::kProgramSize)
                      .combiBank(0x00020000, 1, 40)
                      .build();
  Bytes oasys_ = Programs(patchlore::test::kOasys, kTransposeOasys)
                     .programBank(0x00020001, 2, patchlore::test::kProgramSize)
                     .build();

  void open(const std::string& name, const Bytes& bytes) { OpenFile(*form_, dialogs_, dir_->write(name, bytes)); }
  ObjectBrowserWindow* catalogueOfRow(int row) { return OpenCatalogueOfRow(*form_, row); }
  ViewerWindow* kronosPrograms() { return ViewerOfRows(*form_, 0, {0, 1}); }

  std::int64_t bankOffset(ObjectBrowserWindow* browser, int row) const {
    return browser->catalogue().objectOffsets[static_cast<std::size_t>(row)];
  }

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
    QCOMPARE(TopLevel<ViewerWindow>().size(), 0);  // the main window takes its viewers with it
  }

  void kronosProgramBanksAreListed() {
    ObjectBrowserWindow* browser = catalogueOfRow(0);
    const std::int64_t bankA = bankOffset(browser, 0), bankB = bankOffset(browser, 1);
    const QList<ViewerWindow*> viewers = ViewRows(browser, {0, 1});
    QCOMPARE(viewers.size(), 1);
    ViewerWindow* viewer = viewers.front();

    QCOMPARE(viewer->windowTitle(),
             QString("Prog 0:PCG KORG KRONOS (bytes:%1) \\KRONOS.PCG").arg(kronos_.size()));
    QVERIFY(viewer->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(viewer->isVisible());
    QVERIFY(IsTimed(Text(viewer, "Msg"), "Prog Banks:2; Lines:5"));
    QVERIFY(Child<QLabel>(viewer, "Msg")->font().bold());
    QCOMPARE(Text(viewer, "LinkMsg"), QString("0:KRONOS.PCG"));
    QCOMPARE(Text(viewer, "Info"), QString("Processing...Prog I-B001"));
    QCOMPARE(Child<QCheckBox>(viewer, "SW1")->text(), QString("SW1: by Prog"));
    QCOMPARE(Child<QCheckBox>(viewer, "SW2")->text(), QString("SW2: Bank onse"));
    QVERIFY(Child<QPushButton>(viewer, "Show")->isEnabled());

    QCOMPARE(Headers(viewer), (QStringList{"Prog Bank", "Index", "P.Name", "OSC Mode", "Transpose"}));
    QCOMPARE(RowCount(viewer), 5);
    QCOMPARE(Row(viewer, 0), (QStringList{"I-A; [HD-1]", "000", Name("I-A", 0), "Single", " OSC1:+01"}));
    QCOMPARE(Row(viewer, 2), (QStringList{"", "002", Name("I-A", 2), "Single", " OSC1:+03"}));
    QCOMPARE(Row(viewer, 3), (QStringList{"I-B; [HD-1]", "000", Name("I-B", 0), "Single", " OSC1:+01"}));
    QTableView* list = List(viewer);
    QVERIFY(list->font().bold());
    QVERIFY(list->showGrid());
    QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);

    // The hidden lists: descriptor lines, the listed programs' offsets, and
    // the names of the PCG the viewer linked itself to.
    QCOMPARE(Lines(viewer, "offsetBox"), (QStringList{QString::fromStdString(browser->catalogue().offsetBox[0]),
                                                      QString::fromStdString(browser->catalogue().offsetBox[1])}));
    QCOMPARE(Lines(viewer, "offsetLines"),
             (QStringList{"I-A000=" + Hex8(bankA + 24), "I-A001=" + Hex8(bankA + 24 + 4960),
                          "I-A002=" + Hex8(bankA + 24 + 2 * 4960), "I-B000=" + Hex8(bankB + 24),
                          "I-B001=" + Hex8(bankB + 24 + 4960)}));
    QCOMPARE(Lines(viewer, "Pcg"), (QStringList{"0:KRONOS.PCG", "I-A000=Prog I-A 000", "I-A001=Prog I-A 001",
                                                "I-A002=Prog I-A 002", "I-B000=Prog I-B 000",
                                                "I-B001=Prog I-B 001"}));

    // The program view shows only the groups of its own columns.
    for (const char* hidden : {"groupTrackParameter", "GroupMixer", "GroupZones"})
      QVERIFY2(!Child<QGroupBox>(viewer, hidden)->isVisible(), hidden);
    for (const char* shown : {"groupOSCBasic", "groupProgramBasic"})
      QVERIFY2(Child<QGroupBox>(viewer, shown)->isVisible(), shown);
    QVERIFY(!Child<QGroupBox>(viewer, "GroupSetting")->isVisible());
  }

  void filtersTakeEffectAtTheNextShowAndTheTableIsSaved() {
    ViewerWindow* viewer = kronosPrograms();
    QPushButton* show = Child<QPushButton>(viewer, "Show");

    Child<QAction>(viewer, "Filters1")->trigger();
    QVERIFY(Child<QGroupBox>(viewer, "GroupSetting")->isVisible());
    QVERIFY(Child<QGroupBox>(viewer, "GroupBankProgFilter")->isVisible());
    QVERIFY(!Child<QGroupBox>(viewer, "GroupExel")->isVisible());
    QCOMPARE(Lines(viewer, "BoxExist"), (QStringList{"I-A000=", "I-A001=", "I-A002=", "I-B000=", "I-B001="}));
    QCOMPARE(Text(viewer, "CountExist"), QString("All Progs: 5"));
    QCOMPARE(Text(viewer, "CountSelect"), QString("Selected: 0"));

    ClickLine(viewer, "BoxExist", 1);
    ClickLine(viewer, "BoxExist", 1);  // added once
    QCOMPARE(Lines(viewer, "BoxSelect"), QStringList{"I-A001="});
    QCOMPARE(Text(viewer, "CountSelect"), QString("Selected: 1"));
    QCOMPARE(RowCount(viewer), 5);  // nothing is refiltered on a click
    show->click();
    QCOMPARE(RowCount(viewer), 4);  // "Dis" hides the selected program
    QCOMPARE(Row(viewer, 1), (QStringList{"", "002", Name("I-A", 2), "Single", " OSC1:+03"}));
    QTest::mouseClick(Child<QRadioButton>(viewer, "EnaProg"), Qt::LeftButton);
    show->click();
    QCOMPARE(RowCount(viewer), 1);  // "Ena" keeps only it
    QCOMPARE(Row(viewer, 0), (QStringList{"I-A; [HD-1]", "001", Name("I-A", 1), "Single", " OSC1:+02"}));
    ClickLine(viewer, "BoxSelect", 0);
    QCOMPARE(Lines(viewer, "BoxSelect"), QStringList{});
    QTest::mouseClick(Child<QRadioButton>(viewer, "DisProg"), Qt::LeftButton);

    Child<QAction>(viewer, "Names1")->trigger();
    QVERIFY(Child<QGroupBox>(viewer, "GroupProgNameFilter")->isVisible());
    QCOMPARE(Child<QLineEdit>(viewer, "ChainStr")->text(), QString("*"));
    QVERIFY(Child<QRadioButton>(viewer, "EnaName")->isChecked());
    auto* memo = Child<QPlainTextEdit>(viewer, "MemoSubstr");
    memo->setFocus();
    QTest::keyClicks(memo, "i-b*01");
    QCOMPARE(Text(viewer, "CountSubstr"), QString("Substrings: 1"));
    show->click();
    QCOMPARE(RowCount(viewer), 1);
    QCOMPARE(Row(viewer, 0), (QStringList{"I-B; [HD-1]", "001", Name("I-B", 1), "Single", " OSC1:+02"}));
    QTest::mouseClick(Child<QRadioButton>(viewer, "DisName"), Qt::LeftButton);
    show->click();
    QCOMPARE(RowCount(viewer), 4);
    QVERIFY(IsTimed(Text(viewer, "Msg"), "Prog Banks:2; Lines:4"));

    // Comma, then the table in that separator.
    Child<QAction>(viewer, "Exel1")->trigger();
    QVERIFY(Child<QGroupBox>(viewer, "GroupExel")->isVisible());
    Child<QSpinBox>(viewer, "EditSeparator")->setValue(2);
    QCOMPARE(Text(viewer, "ASCII_Code"), QString("ASCII ( $44 )"));
    QCOMPARE(Text(viewer, "ASCII_Char"), QString("','"));
    const std::string chosen = (dir_->path() / "programs.txt").string();
    dialogs_.saveAnswers.push_back(chosen);
    Child<QAction>(viewer, "SaveAs1")->trigger();
    QCOMPARE(dialogs_.saveProposals.size(), std::size_t{1});
    QVERIFY(QRegularExpression("^KRONOS\\.PCG\\.Prog Banks_2_ Lines_4_ Time_ \\d\\d_\\d\\d_\\d\\d - "
                               "\\d\\d_\\d\\d_\\d\\d\\.CVS$")
                .match(QString::fromStdString(dialogs_.saveProposals[0]))
                .hasMatch());
    QCOMPARE(Text(viewer, "Info"), QString::fromStdString("ListView1.Columns.Count=5; ListView1.Items.Count=4; ; "
                                                          "Sep=', '; saved as " +
                                                          (dir_->path() / "programs.CVS").string()));
    const std::string row = "I-A; [HD-1], 000, " + Name("I-A", 0).toStdString() + ", Single,  OSC1:+01, \r\n";
    QCOMPARE(TempDir::read((dir_->path() / "programs.CVS").string()),
             "Sep=, \r\n"
             "Prog Bank, Index, P.Name, OSC Mode, Transpose, \r\n" +
                 row +
                 ", 001, " + Name("I-A", 1).toStdString() + ", Single,  OSC1:+02, \r\n"
                 ", 002, " + Name("I-A", 2).toStdString() + ", Single,  OSC1:+03, \r\n"
                 "I-B; [HD-1], 000, " + Name("I-B", 0).toStdString() + ", Single,  OSC1:+01, \r\n");
    dialogs_.saveAnswers.push_back((dir_->path() / "programs").string());
    Child<QAction>(viewer, "SaveAsCsv")->trigger();
    const std::string csv = (dir_->path() / "programs.csv").string();
    QCOMPARE(Text(viewer, "Info"), QString::fromStdString("Saved as " + csv));
    QVERIFY(TempDir::read(csv).starts_with("\xEF\xBB\xBFProg Bank,Index,P.Name,OSC Mode,Transpose\r\n"));

    Child<QPushButton>(viewer, "CloseSet")->click();
    for (const char* group : {"GroupSetting", "GroupExel", "GroupBankProgFilter", "GroupProgNameFilter"})
      QVERIFY2(!Child<QGroupBox>(viewer, group)->isVisible(), group);
  }

  // Export PDF: every page is headed by the file's name, the caption, the
  // date and its number, and every row of the table is on a page.
  void exportPdfHeadsEveryPageAndHoldsEveryRow() {
    open("BIG.PCG", Programs(patchlore::test::kKronos, kTransposeKronos)
                        .programBank(0x00000000, 128, patchlore::test::kProgramSize)
                        .programBank(0x00000001, 72, patchlore::test::kProgramSize)
                        .build());
    ViewerWindow* viewer = ViewerOfRows(*form_, 2, {0, 1});
    QCOMPARE(RowCount(viewer), 200);
    dialogs_.saveAnswers.push_back((dir_->path() / "sheet").string());
    Child<QAction>(viewer, "ExportPdf")->trigger();
    QVERIFY(QRegularExpression(R"(^BIG\.PCG\.Prog Banks_2_ Lines_200_ .*\.pdf$)")
                .match(QString::fromStdString(dialogs_.saveProposals.back()))
                .hasMatch());
    const std::string pdf = (dir_->path() / "sheet.pdf").string();
    QCOMPARE(Text(viewer, "Info"), QString::fromStdString("Saved as " + pdf));

    const QString text = PdfText(pdf);
    QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils) is missing or cannot read the PDF");
    QStringList pages = text.split('\f');
    pages.removeLast();  // after the last page's form feed
    QVERIFY(pages.size() >= 3);
    const QString date = QString::fromStdString(patchlore::LocalDateText());
    for (int page = 0; page < pages.size(); ++page) {
      const QStringList lines = pages[page].split('\n');
      QVERIFY(lines.size() > 3);
      QCOMPARE(lines[0].trimmed(), QString("BIG.PCG"));
      QCOMPARE(lines[1].trimmed(), viewer->windowTitle());
      QCOMPARE(lines[2].simplified(), date + QString(" Page %1 of %2").arg(page + 1).arg(pages.size()));
      QCOMPARE(pages[page].count(viewer->windowTitle()), 1);
    }
    for (int patch = 0; patch < 200; ++patch)
      QCOMPARE(text.count(Name(patch < 128 ? "I-A" : "I-B", patch % 128).trimmed()), 1);
  }

  void oasysProgramsLinkTheirOwnPcg() {
    kronosPrograms();  // links KRONOS.PCG first
    ObjectBrowserWindow* browser = catalogueOfRow(1);
    const QList<ViewerWindow*> viewers = ViewRows(browser, {0});
    QCOMPARE(viewers.size(), 1);
    ViewerWindow* viewer = viewers.front();
    QCOMPARE(viewer->windowTitle(), QString("Prog 1:PCG KORG OASYS (bytes:%1) \\OASYS.PCG").arg(oasys_.size()));
    QCOMPARE(Text(viewer, "LinkMsg"), QString("1:OASYS.PCG"));
    QVERIFY(IsTimed(Text(viewer, "Msg"), "Prog Banks:1; Lines:2"));
    QCOMPARE(RowCount(viewer), 2);
    QCOMPARE(Row(viewer, 0), (QStringList{"U-B; [HD-1]", "000", Name("U-B", 0), "Single", " OSC1:+01"}));
    QCOMPARE(Row(viewer, 1), (QStringList{"", "001", Name("U-B", 1), "Single", " OSC1:+02"}));
    QCOMPARE(Lines(viewer, "Pcg").front(), QString("1:OASYS.PCG"));

    // Link PCG lists the loaded files; a click links the one chosen.
    QVERIFY(!Child<QListWidget>(viewer, "LinkBox")->isVisible());
    Child<QPushButton>(viewer, "Link")->click();
    QVERIFY(Child<QListWidget>(viewer, "LinkBox")->isVisible());
    QCOMPARE(Lines(viewer, "LinkBox"), (QStringList{"KRONOS.PCG", "OASYS.PCG"}));
    ClickLine(viewer, "LinkBox", 0);
    QCOMPARE(Text(viewer, "LinkMsg"), QString("0:KRONOS.PCG"));
    QVERIFY(!Child<QListWidget>(viewer, "LinkBox")->isVisible());
  }

  void twoKindsOpenTwoViewers() {
    const QList<ViewerWindow*> viewers = ViewRows(catalogueOfRow(0), {2, 0});
    QCOMPARE(viewers.size(), 2);
    QStringList titles;
    for (ViewerWindow* viewer : viewers) titles << viewer->windowTitle().section(' ', 0, 0);
    titles.sort();
    QCOMPARE(titles, (QStringList{"Combi", "Prog"}));
  }

  void closingIsRefusedWhileAShowRunsAndCancelStopsIt() {
    const Bytes big = Programs(patchlore::test::kKronos, kTransposeKronos).programBank(0, 128).build();
    open("BIG.PCG", big);
    ViewerWindow* viewer = ViewRows(catalogueOfRow(2), {0}).front();
    QCOMPARE(RowCount(viewer), 128);
    QPointer<ViewerWindow> alive(viewer);

    bool closedDuringShow = true, showEnabledDuringShow = true, ran = false;
    QThread::msleep(20);  // the Show's first request for events is served
    QTimer::singleShot(0, viewer, [&] {
      ran = true;
      showEnabledDuringShow = Child<QPushButton>(viewer, "Show")->isEnabled();
      closedDuringShow = viewer->close();
      Child<QPushButton>(viewer, "Cancel")->click();
    });
    Child<QPushButton>(viewer, "Show")->click();
    QVERIFY(ran);
    QVERIFY(!closedDuringShow);
    QVERIFY(!showEnabledDuringShow);
    QVERIFY(alive);
    QVERIFY(RowCount(viewer) < 128);  // stopped at the next test
    QCOMPARE(Text(viewer, "Msg"), QString("Patch=Prog; PatchCode=P"));
    QVERIFY(Child<QPushButton>(viewer, "Show")->isEnabled());
    QVERIFY(!form_->viewerShared().showBusy());
    QVERIFY(!form_->viewerShared().cancelRequested);

    QVERIFY(viewer->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!alive);
  }

  void settingsAreaGrowsWithTheWindow() {
    ViewerWindow* viewer = kronosPrograms();
    viewer->core().openBankProgFilter();
    auto* settings = Child<QScrollArea>(viewer, "SettingsArea");
    QVERIFY(settings->isVisible());
    viewer->resize(682, 551);
    QCoreApplication::processEvents();
    const int designed = settings->height();
    viewer->resize(682, 900);
    QCoreApplication::processEvents();
    QVERIFY(settings->height() > designed);
    viewer->resize(682, 256);
    QCoreApplication::processEvents();
    QCOMPARE(settings->height(), 106);
  }

  void noComponentCoversAnotherOrCutsItsTextAtAnySize() {
    ViewerWindow* viewer = kronosPrograms();
    viewer->core().openExportSettings();
    viewer->core().openBankProgFilter();
    viewer->core().openNameFilter();
    // The first size, the designed one, and a short strip as tiling makes it.
    for (const QSize size : {QSize(256, 256), QSize(682, 551), QSize(682, 150)}) {
      viewer->resize(size);
      QCoreApplication::processEvents();
      const QString fault = LayoutFault(viewer);
      QVERIFY2(fault.isEmpty(), qPrintable(QString("%1x%2: %3").arg(size.width()).arg(size.height()).arg(fault)));
    }
  }

  void columnsFitTheirTextsAndKeepTheWidthsSetByHand() {
    ViewerWindow* viewer = kronosPrograms();
    QTableView* list = List(viewer);
    QHeaderView* header = list->horizontalHeader();
    const QFontMetrics metrics(list->font());
    for (int c = 0; c < list->model()->columnCount(); ++c) {
      QVERIFY(header->sectionSize(c) >= header->sectionSizeHint(c));
      for (int row = 0; row < RowCount(viewer); ++row)
        QVERIFY(header->sectionSize(c) > metrics.horizontalAdvance(Row(viewer, row).at(c)));
    }

    header->resizeSection(2, 31);
    Child<QPushButton>(viewer, "Show")->click();
    QCOMPARE(header->sectionSize(2), 31);
  }

  void rowsAppendedDuringAShowKeepTheSelection() {
    open("BIG.PCG", Programs(patchlore::test::kKronos, kTransposeKronos).programBank(0, 128).build());
    ObjectBrowserWindow* browser = catalogueOfRow(2);
    SlowViewer viewer(form_->core().workspace(), form_->viewerShared(), dialogs_);
    viewer.Open(patchlore::ViewerRequestsFor(browser->catalogue(), {0}).front());
    viewer.show();
    viewer.core().pressShow();
    QVERIFY(viewer.rowsWhenSelected >= 2 && viewer.rowsWhenSelected < 128);
    QCOMPARE(RowCount(&viewer), 128);
    QCOMPARE(SelectedRows(List(&viewer)), (QList<int>{0, 1}));
  }

  void channelStaysTickedAndOctaveCannotBeTicked() {
    ViewerWindow* viewer = kronosPrograms();
    auto* channel = Child<QCheckBox>(viewer, "TChannel");
    QVERIFY(channel->isChecked());
    channel->click();
    QVERIFY(channel->isChecked());
    QVERIFY(viewer->core().columnChecked("TChannel"));

    auto* octave = Child<QCheckBox>(viewer, "POctave");
    QVERIFY(!octave->isEnabled());
    QTest::mouseClick(octave, Qt::LeftButton);
    viewer->core().setColumnBox("POctave", true);
    QVERIFY(!octave->isChecked());

    // Any other box follows the click and decides its column.
    Child<QCheckBox>(viewer, "PVoiceMode")->click();
    Child<QPushButton>(viewer, "Show")->click();
    QCOMPARE(Headers(viewer),
             (QStringList{"Prog Bank", "Index", "P.Name", "OSC Mode", "Voice Mode", "Transpose"}));
  }
};

QTEST_MAIN(ViewerWindowTest)
#include "viewer_window_test.moc"
