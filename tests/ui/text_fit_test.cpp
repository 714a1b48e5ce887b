// Every window at its designed size shows each label, button and group title
// whole; status texts longer than their room are cut with the whole text in
// a tooltip and leave their window's width alone, and so are table cells.
// Run at several scale factors (QT_SCALE_FACTOR).
#include <QtTest>

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTableView>
#include <QToolButton>
#include <QToolTip>

#include "banks/ui/bank_manager_window.hpp"
#include "banks/ui/name_editor_window.hpp"
#include "library/ui/library_window.hpp"
#include "library/ui/patch_comparison_window.hpp"
#include "library/ui/used_by_window.hpp"
#include "main_window/ui/about_box.hpp"
#include "main_window/ui/chunk_listing_window.hpp"
#include "support/fake_midi_service.hpp"
#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "support/sng_builder.hpp"
#include "support/sysex_builder.hpp"
#include "support/temp_dir.hpp"
#include "sysex/ui/midi_ports_window.hpp"
#include "ui/eliding_label.hpp"
#include "ui_support.hpp"

using patchlore::test::PcgBuilder;

namespace {

QString Where(const QWidget* window, const QWidget* widget, const QString& text) {
  return window->objectName() + "/" + widget->objectName() + " \"" + text + "\" " +
         QString::number(widget->width()) + "px";
}

bool LabelFits(const QLabel* label) {
  if (label->text().isEmpty() || qobject_cast<const ElidingLabel*>(label)) return true;
  if (label->wordWrap()) return label->height() >= label->heightForWidth(label->width());
  const int room = label->contentsRect().width() - 2 * label->margin();
  return room >= label->fontMetrics().boundingRect(QRect(), Qt::TextShowMnemonic, label->text()).width();
}

// A push button draws its caption inside its frame.
bool ButtonFits(const QAbstractButton* button) {
  if (button->text().isEmpty()) return true;
  if (qobject_cast<const QCheckBox*>(button) || qobject_cast<const QRadioButton*>(button) ||
      qobject_cast<const QToolButton*>(button))
    return button->width() >= button->sizeHint().width();
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
  return room.width() >= button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width();
}

bool TitleFits(const QGroupBox* group) {
  if (group->title().isEmpty()) return true;
  QStyleOptionGroupBox option;
  option.initFrom(group);
  option.text = group->title();
  option.textAlignment = group->alignment();
  option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
  return title.right() <= group->rect().right();
}

// The texts of the window's visible components that are cut, one a line.
QString CutTexts(QWidget* window) {
  window->show();
  if (!QTest::qWaitForWindowExposed(window)) return window->objectName() + " not shown";
  QCoreApplication::processEvents();
  QStringList cut;
  for (const QWidget* widget : window->findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(window)) continue;
    if (const auto* label = qobject_cast<const QLabel*>(widget); label && !LabelFits(label))
      cut << Where(window, label, label->text());
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget); button && !ButtonFits(button))
      cut << Where(window, button, button->text());
    if (const auto* group = qobject_cast<const QGroupBox*>(widget); group && !TitleFits(group))
      cut << Where(window, group, group->title());
  }
  return cut.join('\n');
}

// The window must hold its designed size: a layout that needs more would
// have made it larger.
QString CutTextsAt(QWidget* window, QSize designed) {
  window->resize(designed);
  const QString cut = CutTexts(window);
  if (window->size() != designed)
    return cut + window->objectName() + QString(" is %1 x %2").arg(window->width()).arg(window->height());
  return cut;
}

QString ToolTipAt(QWidget* widget, QPoint point) {
  QToolTip::hideText();
  if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); })) return "a tooltip that stays";
  QHelpEvent help(QEvent::ToolTip, point, widget->mapToGlobal(point));
  QCoreApplication::sendEvent(widget, &help);
  return QToolTip::isVisible() ? QToolTip::text() : QString();
}

void ClickItem(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

}  // namespace

class TextFitTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir_.path().string())); }

  void theMainWindowTheCatalogueAndEveryViewer() {
    patchlore::test::FakeDialogs dialogs;
    MainWindow form(dialogs);
    OpenFile(form, dialogs,
             dir_.write("ALL.PCG", PcgBuilder()
                                       .programBank(0, 2)
                                       .combiBank(0, 2)
                                       .drumKitBank(0, 2, 3000)
                                       .waveSequenceBank(0, 2, 3000)
                                       .setLists(1, 40)
                                       .withIni()
                                       .build()));
    OpenFile(form, dialogs, dir_.write("S.SNG", patchlore::test::SngBuilder().song("Song", 0).build()));
    dialogs.openAnswers.push_back(dir_.write("M1.SYX", patchlore::test::M1Message(0x21)));
    Child<QAction>(&form, "FileOpenAsSysEx1")->trigger();
    QCOMPARE(form.core().registry().count(), 3);
    QCOMPARE(CutTexts(&form), QString());

    for (int file = 0; file < 3; ++file) {
      ObjectBrowserWindow* catalogue = OpenCatalogueOfRow(form, file);
      QCOMPARE(CutTexts(catalogue), QString());
      std::vector<int> rows(static_cast<std::size_t>(Child<QTableView>(catalogue, "ListView1")->model()->rowCount()));
      std::iota(rows.begin(), rows.end(), 0);
      for (ViewerWindow* viewer : ViewRows(catalogue, rows)) {
        for (const char* area : {"Exel1", "Filters1", "Names1"}) Child<QAction>(viewer, area)->trigger();
        QCOMPARE(CutTextsAt(viewer, {ViewerWindow::kDesignWidth, ViewerWindow::kDesignHeight}), QString());
      }
    }
  }

  void theToolWindows() {
    patchlore::test::FakeDialogs dialogs;
    MainWindow form(dialogs);
    const auto pcg = PcgBuilder().programBank(0, 2).programBank(0x20000, 2).withIni().build();
    OpenFile(form, dialogs, dir_.write("A.PCG", pcg));
    OpenFile(form, dialogs, dir_.write("B.PCG", pcg));

    Child<QAction>(&form, "BankManager")->trigger();
    auto* banks = TopLevel<BankManagerWindow>().value(0);
    for (const char* list : {"FromBox", "ToBox", "FromBanks", "ToBanks", "FromProgs", "ToProgs"})
      ClickItem(Child<QListWidget>(banks, list), 0);
    QCOMPARE(CutTextsAt(banks, {751, 422}), QString());

    ViewerWindow* viewer = ViewerOfRows(form, 0, {0});
    Child<QTableView>(viewer, "ListView1")->setCurrentIndex(Child<QTableView>(viewer, "ListView1")->model()->index(0, 0));
    Child<QAction>(viewer, "EditName1")->trigger();
    Child<QAction>(viewer, "UsedBy1")->trigger();
    QCOMPARE(CutTextsAt(form.findChild<NameEditorWindow*>(),
                        {NameEditorWindow::kDesignWidth, NameEditorWindow::kDesignHeight}),
             QString());
    QCOMPARE(CutTexts(TopLevel<UsedByWindow>().value(0)), QString());

    dialogs.openAnswers = {dir_.write("C.PCG", pcg), dir_.write("D.PCG", PcgBuilder().programBank(0, 3).build())};
    Child<QAction>(&form, "ComparePatchesItem")->trigger();
    QCOMPARE(CutTexts(TopLevel<PatchComparisonWindow>().value(0)), QString());
    dialogs.openAnswers = {dir_.path().string() + "/A.PCG", dir_.path().string() + "/D.PCG"};
    Child<QAction>(&form, "CompareFilesItem")->trigger();
    QCOMPARE(CutTexts(TopLevel<ObjectBrowserWindow>().value(0)), QString());
    dialogs.openAnswers = {dir_.path().string() + "/A.PCG"};
    Child<QAction>(&form, "FileNewItem")->trigger();
    QCOMPARE(CutTexts(TopLevel<ChunkListingWindow>().value(0)), QString());
    Child<QAction>(&form, "LibraryItem")->trigger();
    QCOMPARE(CutTexts(TopLevel<LibraryWindow>().value(0)), QString());
    QCOMPARE(CutTexts(form.findChild<AboutBox*>()), QString());

    patchlore::test::FakeMidiService midi;
    midi.inputs = {"JACK: keyboard out"};
    midi.outputs = {"JACK: m1:in"};
    MidiPortsWindow ports(midi, dialogs, {});
    const patchlore::test::Bytes messages = patchlore::test::M1Message(0x21);  // the window reads them
    ports.openWithSource(messages);
    QCOMPARE(CutTextsAt(&ports, {MidiPortsWindow::kDesignWidth, MidiPortsWindow::kDesignHeight}), QString());
  }

  void aLongStatusTextIsCutWithATooltipAndTheWindowKeepsItsWidth() {
    patchlore::test::FakeDialogs dialogs;
    MainWindow form(dialogs);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const int width = form.width();
    const QString name = QString("A long file name ").repeated(12) + ".PCG";
    OpenFile(form, dialogs, dir_.write(name.toStdString(), PcgBuilder().programBank(0, 2).build()));
    QCoreApplication::processEvents();
    QCOMPARE(form.width(), width);
    auto* status = Child<ElidingLabel>(&form, "ActionMsg");
    QCOMPARE(status->text(), "PCG KORG KRONOS load from file<" + name + ">");
    QVERIFY(status->elided());
    QCOMPARE(ToolTipAt(status, status->rect().center()), status->text());
    form.resize(4000, form.height());
    QVERIFY(!status->elided());
    QCOMPARE(ToolTipAt(status, status->rect().center()), QString());
  }

  void aCutCellShowsItsWholeTextInATooltip() {
    patchlore::test::FakeDialogs dialogs;
    MainWindow form(dialogs);
    OpenFile(form, dialogs, dir_.write("A.PCG", PcgBuilder().programBank(0, 2).build()));
    ObjectBrowserWindow* catalogue = OpenCatalogueOfRow(form, 0);
    auto* list = Child<QTableView>(catalogue, "ListView1");
    const QModelIndex cell = list->model()->index(0, 0);
    const QString text = cell.data().toString();
    const QPoint point = list->visualRect(cell).center();
    QCOMPARE(ToolTipAt(list->viewport(), point), QString());
    list->horizontalHeader()->resizeSection(0, list->fontMetrics().horizontalAdvance(text) / 2);
    QCOMPARE(ToolTipAt(list->viewport(), list->visualRect(cell).center()), text);
  }

 private:
  patchlore::test::TempDir dir_;
};

QTEST_MAIN(TextFitTest)
#include "text_fit_test.moc"
