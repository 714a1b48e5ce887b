// Changes in memory through the windows: the changed mark of the list of
// loaded files and the question before the program ends, Undo and Redo from
// the Edit menu and their keys, and the bank manager and a viewer following
// the image.
#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTreeView>

#include "banks/ui/bank_manager_window.hpp"
#include "main_window/ui/main_window.hpp"
#include "support/fakes.hpp"
#include "support/loaded_image.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"
#include "ui_support.hpp"

using patchlore::UnsavedChangesAnswer;
using patchlore::test::Bytes;
using patchlore::test::PcgBuilder;

namespace {

// 128 programs named after their bank, one table row each (no zone rows).
Bytes ProgramBank(std::uint32_t code) {
  return PcgBuilder()
      .programBank(code)
      .withIni()
      .editPatches([](const auto&, int, Bytes& record) { std::fill(record.begin() + 24, record.end(), 0); })
      .build();
}

QString NameOf(std::uint32_t code, int patch) {
  return QString::fromStdString(PcgBuilder::PatchName({"PBK1", code, 128, patchlore::test::kProgramSize}, patch));
}

void Click(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

}  // namespace

class ChangesInMemoryWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void endingWithChangedFilesAsksOnceAndFollowsTheAnswer() {
    patchlore::test::FakeDialogs dialogs;
    patchlore::test::TempDir dir;
    MainWindow form(dialogs);
    for (const char* name : {"A.PCG", "B.PCG"})
      OpenFile(form, dialogs, dir.write(name, patchlore::test::SmallestPcg()));
    auto* files = Child<QTreeView>(&form, "OpenList");
    const QStringList row = TableRowTexts(files, 1);
    patchlore::test::Poke(form.core().workspace(), 1, 40, 0x55);
    QCOMPARE(TableRowTexts(files, 1), row);
    QCOMPARE(files->model()->index(1, 3).data(Qt::ToolTipRole).toString(), QString("Changed in memory; not saved"));
    QVERIFY(!files->model()->index(1, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    QVERIFY(files->model()->index(0, 0).data(Qt::DecorationRole).isNull());

    auto* exit = Child<QAction>(&form, "FileExit1");
    form.show();
    dialogs.unsavedChangesAnswer = UnsavedChangesAnswer::Cancel;
    exit->trigger();
    QVERIFY(form.isVisible());
    dialogs.unsavedChangesAnswer = UnsavedChangesAnswer::Discard;
    exit->trigger();
    QVERIFY(!form.isVisible());
    QCOMPARE(dialogs.unsavedChangesQuestions.size(), std::size_t{2});
    QVERIFY(dialogs.saveProposals.empty());

    form.show();
    patchlore::test::Poke(form.core().workspace(), 0, 40, 0x55);
    dialogs.unsavedChangesAnswer = UnsavedChangesAnswer::Save;
    const std::string savedA = (dir.path() / "A2.PCG").string(), savedB = (dir.path() / "B2.PCG").string();
    dialogs.saveAnswers = {savedA, savedB};
    exit->trigger();
    QVERIFY(!form.isVisible());
    QCOMPARE(dialogs.unsavedChangesQuestions.size(), std::size_t{3});
    QCOMPARE(int{static_cast<unsigned char>(patchlore::test::TempDir::read(savedB).at(40))}, 0x55);
    QVERIFY(std::filesystem::exists(savedA));
    QVERIFY(files->model()->index(1, 3).data(Qt::ToolTipRole).isNull());
  }

  void undoAndRedoFromTheEditMenuAndTheirKeys() {
    patchlore::test::FakeDialogs dialogs;
    patchlore::test::TempDir dir;
    MainWindow form(dialogs);
    OpenFile(form, dialogs, dir.write("A.PCG", patchlore::test::SmallestPcg()));
    patchlore::MainWindowCore& core = form.core();
    auto* undo = Child<QAction>(&form, "EditUndo1");
    auto* redo = Child<QAction>(&form, "EditRedo1");
    QVERIFY(Child<QMenu>(&form, "Edit1")->actions().contains(undo));
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    patchlore::test::Poke(core.workspace(), 0, 40, 0x55);
    QVERIFY(undo->isEnabled());
    QCOMPARE(undo->text(), QString::fromStdString(core.undoCaption()));

    undo->trigger();
    QCOMPARE(int{core.registry().image(0)[40]}, 0);
    QCOMPARE(Child<QLabel>(&form, "ActionMsg")->text(), QString::fromStdString(core.state().actionMsg));
    QVERIFY(!undo->isEnabled() && redo->isEnabled());
    QCOMPARE(redo->text(), QString::fromStdString(core.redoCaption()));

    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(int{core.registry().image(0)[40]}, 0x55);
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(int{core.registry().image(0)[40]}, 0);
  }

  void theBankManagerAndAViewerFollowTheImage() {
    patchlore::test::FakeDialogs dialogs;
    patchlore::test::TempDir dir;
    MainWindow form(dialogs);
    OpenFile(form, dialogs, dir.write("A.PCG", ProgramBank(0)));
    OpenFile(form, dialogs, dir.write("B.PCG", ProgramBank(0x20000)));
    ViewerWindow* viewer = ViewerOfRows(form, 1, {0});
    auto* table = Child<QTableView>(viewer, "ListView1");
    QCOMPARE(table->model()->rowCount(), 128);
    SelectTableRows(table, {5, 6});
    table->selectionModel()->setCurrentIndex(table->model()->index(6, 2), QItemSelectionModel::NoUpdate);
    QVERIFY(table->verticalScrollBar()->maximum() > 20);
    table->verticalScrollBar()->setValue(20);

    Child<QAction>(&form, "BankManager")->trigger();
    auto* manager = Child<BankManagerWindow>(&form, "TFormBankManager");
    Click(Child<QListWidget>(manager, "FromBox"), 0);
    Click(Child<QListWidget>(manager, "ToBox"), 1);
    Click(Child<QListWidget>(manager, "FromBanks"), 0);
    Click(Child<QListWidget>(manager, "ToBanks"), 0);
    auto* toProgs = Child<QListWidget>(manager, "ToProgs");
    QCOMPARE(toProgs->item(6)->text(), "U-A006: " + NameOf(0x20000, 6));
    Child<QPushButton>(manager, "WriteBank")->click();

    QCOMPARE(toProgs->item(6)->text(), "U-A006: " + NameOf(0, 6));
    QCOMPARE(TableRowTexts(table, 6).value(2).trimmed(), NameOf(0, 6));
    QCOMPARE(SelectedRows(table), (QList<int>{5, 6}));
    QCOMPARE(table->currentIndex(), table->model()->index(6, 2));
    QCOMPARE(table->verticalScrollBar()->value(), 20);

    Child<QAction>(&form, "EditUndo1")->trigger();
    QCOMPARE(toProgs->item(6)->text(), "U-A006: " + NameOf(0x20000, 6));
    QCOMPARE(TableRowTexts(table, 6).value(2).trimmed(), NameOf(0x20000, 6));
    QCOMPARE(SelectedRows(table), (QList<int>{5, 6}));
  }
};

QTEST_MAIN(ChangesInMemoryWindowTest)
#include "changes_in_memory_window_test.moc"
