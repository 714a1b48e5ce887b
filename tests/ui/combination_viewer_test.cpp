// A combination bank viewed through the main window: the timbre rows, and a
// column check box that takes effect at the next Show.
#include <QtTest>

#include <QGroupBox>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QFileInfo>
#include <QTreeView>

#include "main_window/ui/main_window.hpp"
#include "formats/model_layout.hpp"
#include "support/combination_builder.hpp"
#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"
#include "viewer/ui/keyboard_map_pane.hpp"
#include "viewer/ui/object_browser_window.hpp"
#include "viewer/ui/viewer_window.hpp"
#include "ui_support.hpp"

using patchlore::test::Bytes;

class CombinationViewerTest : public QObject {
  Q_OBJECT

 private slots:
  void timbreRowsAndTheirColumns() {
    patchlore::test::FakeDialogs dialogs;
    patchlore::test::TempDir dir;
    MainWindow form(dialogs);
    const Bytes pcg = patchlore::test::PcgBuilder()
                          .programBank(0, 1)
                          .combiBank(0, 1)
                          .editPatches([](const patchlore::test::BankPlan& bank, int, Bytes& r) {
                            if (bank.id != "CBK1") return;
                            patchlore::test::ClearCombinationBody(r);
                            for (int t = 0; t < 16; ++t)
                              patchlore::test::PutTimbre(r, patchlore::kKronosConstants, t, {.pan = 1 + t});
                          })
                          .build();
    OpenFile(form, dialogs, dir.write("C.PCG", pcg));
    form.show();
    ViewerWindow* viewer = ViewerOfRows(form, 0, {1});

    auto* list = Child<QTableView>(viewer, "ListView1");
    QCOMPARE(TableHeaders(list), (QStringList{"Combi Bank", "Index", "C.Name", "Timbre", "Channel", "Prog"}));
    QCOMPARE(list->model()->rowCount(), 16);
    QCOMPARE(TableRowTexts(list, 0), (QStringList{"I-A", "000", "Combi I-A 000", "T01", "01", " I-A000"}));
    QCOMPARE(TableRowTexts(list, 15), (QStringList{"", "", "", "T16", "01", " I-A000"}));
    QVERIFY(Child<QLabel>(viewer, "Msg")->text().startsWith("Combi Banks:1; Lines:16; Time: "));
    QCOMPARE(Child<QGroupBox>(viewer, "groupTrackParameter")->title(), QString("Timbre Parameter"));

    Child<QCheckBox>(viewer, "TPan")->click();
    Child<QPushButton>(viewer, "Show")->click();
    QCOMPARE(TableHeaders(list).last(), QString("Pan"));
    QCOMPARE(TableRowTexts(list, 15).last(), QString("L016"));
  }

  // The keyboard map beside the table follows the selected row to its
  // combination and bar; a click on a bar selects the bar's row; the
  // picture saves as SVG; the View menu hides the pane.
  void keyboardMapAndTableSelectEachOther() {
    patchlore::test::FakeDialogs dialogs;
    patchlore::test::TempDir dir;
    MainWindow form(dialogs);
    const Bytes pcg = patchlore::test::PcgBuilder()
                          .programBank(0, 1)
                          .combiBank(0, 2)
                          .editPatches([](const patchlore::test::BankPlan& bank, int, Bytes& r) {
                            if (bank.id != "CBK1") return;
                            patchlore::test::ClearCombinationBody(r);
                            const patchlore::ModelConstants& m = patchlore::kKronosConstants;
                            patchlore::test::PutTimbre(r, m, 0, {.keyZoneHigh = 59});
                            patchlore::test::PutTimbre(r, m, 1, {.keyZoneLow = 60});
                            for (int t = 2; t < 16; ++t) patchlore::test::PutTimbre(r, m, t, {.statusChannel = 0});
                          })
                          .build();
    OpenFile(form, dialogs, dir.write("C.PCG", pcg));
    form.show();
    ViewerWindow* viewer = ViewerOfRows(form, 0, {1});
    auto* list = Child<QTableView>(viewer, "ListView1");
    auto* pane = Child<KeyboardMapPane>(viewer, "KeyboardMap");
    QVERIFY(pane->isVisible());

    SelectTableRows(list, {17});
    QCOMPARE(pane->map()->title, std::string("I-A001 Combi I-A 001"));
    QCOMPARE(pane->highlightedBar(), std::optional<std::size_t>(1));

    const patchlore::MapLayout layout = patchlore::LayOutMap(*pane->map(), pane->width(), pane->height());
    const patchlore::MapRect& first = layout.bars.at(0);
    QTest::mouseClick(pane, Qt::LeftButton, {}, QPointF(first.x + first.width / 2, first.y + first.height / 2).toPoint());
    QCOMPARE(SelectedRows(list), QList<int>{16});
    QCOMPARE(pane->highlightedBar(), std::optional<std::size_t>(0));

    const std::string svg = (dir.path() / "map.svg").string();
    dialogs.saveAnswers.push_back(svg);
    Child<QAction>(viewer, "SaveKeyboardMap")->trigger();
    QVERIFY(QFileInfo(QString::fromStdString(svg)).size() > 0);

    Child<QAction>(viewer, "ShowKeyboardMap")->trigger();
    QVERIFY(!pane->isVisible());
  }
};

QTEST_MAIN(CombinationViewerTest)
#include "combination_viewer_test.moc"
