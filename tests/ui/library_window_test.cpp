// Options > Library...: a folder added, a patch found as the name is typed,
// and a double-click opening its file's catalogue at the patch's bank.
#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "main_window/ui/main_window.hpp"
#include "library/ui/library_window.hpp"
#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"
#include "viewer/ui/object_browser_window.hpp"
#include "ui_support.hpp"

class LibraryWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void findsATypedNameAndOpensItsBank() {
    patchlore::test::TempDir dir;
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir.path().string()));
    const std::string pcg = dir.write("A.PCG", patchlore::test::PcgBuilder()
                                                   .programBank(0x00000000, 1)
                                                   .programBank(0x00020000, 2)
                                                   .build());
    patchlore::test::FakeDialogs dialogs;
    dialogs.folderAnswers.push_back(dir.path().string());
    MainWindow form(dialogs);
    form.findChild<QAction*>("LibraryItem")->trigger();
    auto* library = TopLevel<LibraryWindow>().value(0);
    QVERIFY(library);
    Child<QPushButton>(library, "AddFolder")->click();
    QVERIFY(QFile::exists(QString::fromStdString((dir.path() / "patchlore" / "library.sqlite").string())));

    Child<QLineEdit>(library, "SearchText")->setText("u-a 001");
    auto* results = Child<QTableView>(library, "LibraryResults");
    QCOMPARE(results->model()->rowCount(), 1);
    QCOMPARE(TableRowTexts(results, 0).mid(0, 4), (QStringList{"Prog U-A 001", "Program", "U-A001", "A.PCG"}));
    QCOMPARE(Child<QLabel>(library, "LibraryStatus")->text(), QString("Found: 1"));

    emit results->doubleClicked(results->model()->index(0, 0));
    ObjectBrowserWindow* browser = TopLevel<ObjectBrowserWindow>().value(0);
    QVERIFY(browser);
    QCOMPARE(browser->selectedRows(), (std::vector<int>{1}));  // the second program bank
  }
};

QTEST_MAIN(LibraryWindowTest)
#include "library_window_test.moc"
