// File > "Compare Patches...": two files chosen in the open dialog are
// loaded and compared patch by patch; a row opens the viewers of its two
// patches with each patch's row current.
#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QTableView>

#include "main_window/ui/main_window.hpp"
#include "library/ui/patch_comparison_window.hpp"
#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"
#include "viewer/ui/viewer_window.hpp"
#include "ui_support.hpp"

using patchlore::test::Bytes;

namespace {

Bytes Programs(const char* secondName) {
  return patchlore::test::PcgBuilder()
      .programBank(0x20000, 3)
      .editPatches([secondName](const patchlore::test::BankPlan&, int j, Bytes& record) {
        std::fill(record.begin() + 24, record.end(), 0);  // no zone rows
        if (j == 1) std::copy_n(secondName, 12, record.begin());
      })
      .build();
}

}  // namespace

class PatchComparisonWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void comparesTwoChosenFilesAndARowOpensBothViewers() {
    patchlore::test::FakeDialogs dialogs;
    patchlore::test::TempDir dir;
    MainWindow form(dialogs);
    dialogs.openAnswers.push_back(dir.write("A.PCG", Programs("Prog U-A 001")));
    dialogs.openAnswers.push_back(dir.write("B.PCG", Programs("Bright Piano")));
    Child<QAction>(&form, "ComparePatchesItem")->trigger();

    PatchComparisonWindow* window = TopLevel<PatchComparisonWindow>().value(0);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QString("Compare Patches A.PCG - B.PCG"));
    QCOMPARE(Child<QLabel>(window, "Msg")->text(),
             QString("Summary: same=2 renamed=1 changed=0 moved=0 added=0 removed=0"));
    auto* list = Child<QTableView>(window, "PatchDiffList");
    QCOMPARE(TableRowTexts(list, 0),
             (QStringList{"renamed", "P", "U-A001", "U-A001", "Prog U-A 001", "Bright Piano"}));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCenter(list, 0));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, RowCenter(list, 0));
    const QList<ViewerWindow*> viewers = TopLevel<ViewerWindow>();
    QCOMPARE(viewers.size(), 2);
    QStringList shown;
    for (ViewerWindow* viewer : viewers) {
      const QModelIndex current = Child<QTableView>(viewer, "ListView1")->currentIndex();
      shown << viewer->windowTitle().section(' ', -1) + " " + current.siblingAtColumn(2).data().toString().trimmed();
    }
    shown.sort();
    QCOMPARE(shown, (QStringList{"\\A.PCG Prog U-A 001", "\\B.PCG Bright Piano"}));
  }
};

QTEST_MAIN(PatchComparisonWindowTest)
#include "patch_comparison_window_test.moc"
