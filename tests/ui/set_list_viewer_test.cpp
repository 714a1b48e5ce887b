// A set list bank viewed from the catalogue of a PCG opened in the main
// window: the viewer shows the set list columns and slots, without the
// column check boxes.
#include <QtTest>

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTreeView>

#include "main_window/ui/main_window.hpp"
#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"
#include "viewer/ui/object_browser_window.hpp"
#include "viewer/ui/viewer_window.hpp"
#include "ui_support.hpp"

using patchlore::test::FakeDialogs;
using patchlore::test::PcgBuilder;
using patchlore::test::TempDir;

class SetListViewerTest : public QObject {
  Q_OBJECT

 private slots:
  void setListBankRowOpensTheSetListViewer() {
    FakeDialogs dialogs;
    TempDir dir;
    MainWindow form(dialogs);
    OpenFile(form, dialogs, dir.write("SET.PCG", PcgBuilder().setLists(1, 40).build()));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    ViewerWindow* viewer = ViewerOfRows(form, 0, {0});

    QVERIFY(viewer->isVisible());
    QVERIFY(!Child<QGroupBox>(viewer, "Columns")->isVisible());
    auto* list = Child<QTableView>(viewer, "ListView1");
    QCOMPARE(TableHeaders(list), (QStringList{"Index", "SetList Name", "Slot", "Type", "Slot Name", "Volume",
                                              "Hold Time", "Comment"}));
    QCOMPARE(list->model()->rowCount(), 127);
    QCOMPARE(TableRowTexts(list, 1), (QStringList{"", "", "1", "Prog", QString("Slot 1").leftJustified(24),
                                                  "101", "1 sec.", "Comment 1 "}));
    QCOMPARE(Child<QLabel>(viewer, "Msg")->text(), QString("SetList:0; Lines:127"));
  }
};

QTEST_MAIN(SetListViewerTest)
#include "set_list_viewer_test.moc"
