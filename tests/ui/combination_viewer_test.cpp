// A combination bank viewed through the main window: the timbre rows, and a
// column check box that takes effect at the next Show.
#include <QtTest>

#include <QGroupBox>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTreeView>

#include "main_window/ui/main_window.hpp"
#include "formats/model_layout.hpp"
#include "support/combination_builder.hpp"
#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"
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
};

QTEST_MAIN(CombinationViewerTest)
#include "combination_viewer_test.moc"
