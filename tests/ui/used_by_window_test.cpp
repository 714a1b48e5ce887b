// "Used by..." on a program row of a viewer opens the table of what uses
// that program.
#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTreeView>

#include "main_window/ui/main_window.hpp"
#include "library/ui/used_by_window.hpp"
#include "support/combination_builder.hpp"
#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"
#include "viewer/ui/object_browser_window.hpp"
#include "viewer/ui/viewer_window.hpp"
#include "ui_support.hpp"

using patchlore::test::Bytes;

class UsedByWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void aProgramRowOpensTheTableOfItsUses() {
    patchlore::test::FakeDialogs dialogs;
    patchlore::test::TempDir dir;
    MainWindow form(dialogs);
    const Bytes pcg = patchlore::test::PcgBuilder()
                          .programBank(0x20000, 3)
                          .combiBank(0, 1)
                          .editPatches([](const patchlore::test::BankPlan& bank, int, Bytes& record) {
                            std::fill(record.begin() + 24, record.end(), 0);  // no zone rows, every timbre OFF
                            if (bank.id == "CBK1")
                              patchlore::test::PutTimbre(record, patchlore::kKronosConstants, 2,
                                                         {.programNumber = 1, .programBank = 0x11});
                          })
                          .build();
    OpenFile(form, dialogs, dir.write("A.PCG", pcg));
    ViewerWindow* viewer = ViewerOfRows(form, 0, {0});

    auto* list = Child<QTableView>(viewer, "ListView1");
    auto* usedBy = Child<QAction>(viewer, "UsedBy1");
    QVERIFY(list->actions().contains(usedBy));  // the row's context menu
    list->setCurrentIndex(list->model()->index(1, 0));
    usedBy->trigger();

    UsedByWindow* window = TopLevel<UsedByWindow>().value(0);
    QVERIFY(window);
    QCOMPARE(Child<QLabel>(window, "Msg")->text(), QString("Uses:1"));
    auto* uses = Child<QTableView>(window, "UsedByList");
    QCOMPARE(uses->model()->rowCount(), 1);
    QCOMPARE(TableRowTexts(uses, 0), (QStringList{"Combi", "I-A000", "T03", "Combi I-A 000", "A.PCG"}));
  }
};

QTEST_MAIN(UsedByWindowTest)
#include "used_by_window_test.moc"
