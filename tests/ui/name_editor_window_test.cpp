// The name editor reached from a viewer: a row's "Edit name..." opens the
// editor on the row's patch, Write renames it, and the viewer's next Show
// lists the new name.
#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTreeView>

#include "main_window/ui/main_window.hpp"
#include "banks/ui/name_editor_window.hpp"
#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"
#include "viewer/ui/object_browser_window.hpp"
#include "viewer/ui/viewer_window.hpp"
#include "ui_support.hpp"

using patchlore::test::Bytes;

class NameEditorWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void aViewerRowOpensTheEditorWhoseWriteTheNextShowLists() {
    patchlore::test::FakeDialogs dialogs;
    patchlore::test::TempDir dir;
    MainWindow form(dialogs);
    const Bytes pcg = patchlore::test::PcgBuilder()
                          .programBank(0x00000001, 3)
                          .editPatches([](const auto&, int, Bytes& record) {
                            std::fill(record.begin() + 24, record.end(), 0);  // no zone rows
                          })
                          .build();
    OpenFile(form, dialogs, dir.write("A.PCG", pcg));
    ViewerWindow* viewer = ViewerOfRows(form, 0, {0});

    auto* list = Child<QTableView>(viewer, "ListView1");
    auto* editName = Child<QAction>(viewer, "EditName1");
    QVERIFY(list->actions().contains(editName));  // the row's context menu
    list->setCurrentIndex(list->model()->index(1, 0));
    QApplication::setActiveWindow(viewer);
    QVERIFY(QTest::qWaitForWindowActive(viewer));
    list->setFocus();
    QVERIFY(list->hasFocus());
    QTest::keyClick(list, Qt::Key_F2);

    auto* editor = Child<NameEditorWindow>(&form, "TFormEdit");
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->windowTitle(), QString("Edit Prog I-B001"));
    QCOMPARE(Child<QLineEdit>(editor, "EditName")->text(), QString("Prog I-B 001").leftJustified(24));
    // The text reaches the core as typed, so Write names what Windows-1251 cannot hold.
    Child<QLineEdit>(editor, "EditName")->setText(QString("Bells ") + QChar(0x2713));
    Child<QPushButton>(editor, "Write")->click();
    QVERIFY(Child<QLabel>(editor, "BankInfo")->text().contains("U+2713"));
    Child<QLineEdit>(editor, "EditName")->setText("Bright Piano");
    Child<QPushButton>(editor, "Write")->click();
    QVERIFY(Child<QLabel>(editor, "BankInfo")->text().startsWith("I-B001; I-B; 1; sumEdit="));

    Child<QPushButton>(viewer, "Show")->click();
    // the NUL bytes that pad a written name are not shown
    QCOMPARE(TableRowTexts(list, 1).value(2), QString("Bright Piano"));
  }
};

QTEST_MAIN(NameEditorWindowTest)
#include "name_editor_window_test.moc"
