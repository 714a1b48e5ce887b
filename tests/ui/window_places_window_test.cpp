// Windows that open ready: a viewer showing its columns and about twenty
// rows inside the screen, each new window a step from the last, catalogues
// and tool windows that the main window can come in front of, viewers on top
// until the Window menu says otherwise; and the
// sizes, places, log height and log font of one run back in the next.
#include <QtTest>

#include <QAction>
#include <QHeaderView>
#include <QListWidget>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QTableView>

#include "banks/ui/bank_manager_window.hpp"
#include "main_window/ui/main_window.hpp"
#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"
#include "ui_support.hpp"

using patchlore::test::Bytes;

namespace {

// One bank of 128 programs, one table row each (no zone rows).
Bytes ProgramBank() {
  return patchlore::test::PcgBuilder()
      .programBank(0x00000000)
      .editPatches([](const auto&, int, Bytes& record) { std::fill(record.begin() + 24, record.end(), 0); })
      .build();
}

bool OnTop(const QWidget* window) { return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

}  // namespace

class WindowPlacesWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void newWindowsOpenReadyEachAStepFromTheLast() {
    patchlore::test::TempDir dir;
    patchlore::test::FakeDialogs dialogs;
    MainWindow form(dialogs);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    OpenFile(form, dialogs, dir.write("A.PCG", ProgramBank()));
    ObjectBrowserWindow* catalogue = OpenCatalogueOfRow(form, 0);
    ViewerWindow* first = ViewRows(catalogue, {0}).value(0);
    ViewerWindow* second = ViewRows(catalogue, {0}).value(0);
    QVERIFY(first && second);
    QVERIFY(QTest::qWaitForWindowExposed(second));

    const QRect screen = form.screen()->availableGeometry();
    auto* table = Child<QTableView>(first, "ListView1");
    QVERIFY(screen.contains(first->frameGeometry()) && screen.contains(second->frameGeometry()));
    QVERIFY(table->horizontalHeader()->length() <= table->viewport()->width());
    const int lastRowShown = table->rowAt(table->viewport()->height() - 1);
    QVERIFY2(lastRowShown >= 19 || first->frameGeometry().height() == screen.height(),
             qPrintable(QString("rows shown: %1").arg(lastRowShown + 1)));
    QVERIFY(second->pos() != first->pos() && second->pos() != catalogue->pos());

    // A catalogue of many rows opens showing forty of them, or as tall as the screen.
    Bytes pairs;
    for (int k = 0; k < 60; ++k) pairs.insert(pairs.end(), {0xF0, 0xF7});
    dialogs.openAnswers.push_back(dir.write("PAIRS.SYX", pairs));
    Child<QAction>(&form, "FileOpenAsSysEx1")->trigger();
    ObjectBrowserWindow* messages = OpenCatalogueOfRow(form, 1);
    QVERIFY(QTest::qWaitForWindowExposed(messages));
    auto* rows = Child<QTableView>(messages, "ListView1");
    QVERIFY(screen.contains(messages->frameGeometry()));
    QVERIFY(rows->rowAt(rows->viewport()->height() - 1) >= 39 || messages->frameGeometry().height() == screen.height());

    // Only the viewers stay on top, and the Window menu lets them go behind.
    Child<QAction>(&form, "BankManager")->trigger();
    QWidget* bankManager = TopLevel<BankManagerWindow>().value(0);
    QVERIFY(!OnTop(bankManager) && !bankManager->parentWidget());
    QVERIFY(OnTop(first));
    auto* viewersOnTop = Child<QAction>(&form, "ViewersStayOnTop");
    QVERIFY(viewersOnTop->isChecked());
    viewersOnTop->trigger();
    ViewerWindow* third = ViewRows(catalogue, {0}).value(0);
    QVERIFY(!OnTop(first) && !OnTop(second) && !OnTop(third) && first->isVisible());
    viewersOnTop->trigger();
    QVERIFY(OnTop(first) && OnTop(third));
  }

  void sizesPlacesAndTheLogComeBackInTheNextRun() {
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName("Patchlore window tests");
    QSettings().clear();
    patchlore::test::FakeDialogs dialogs;
    dialogs.fontAnswer = patchlore::FontChoice{"DejaVu Sans Mono", 13, false, true};
    QRect bankManagerPlace;
    {
      MainWindow form(dialogs);
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      form.setGeometry(40, 60, 700, 520);
      Child<QSplitter>(&form, "ViewSplitter")->setSizes({150, 300});
      Child<QAction>(&form, "FontSet")->trigger();
      Child<QAction>(&form, "BankManager")->trigger();
      QWidget* bankManager = TopLevel<BankManagerWindow>().value(0);
      bankManager->setGeometry(100, 120, 640, 400);
      bankManagerPlace = bankManager->geometry();
      form.close();
    }
    MainWindow form(dialogs);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.geometry(), QRect(40, 60, 700, 520));
    QCOMPARE(Child<QSplitter>(&form, "ViewSplitter")->sizes().value(0), 150);
    const QFont logFont = Child<QListWidget>(&form, "View")->font();
    QCOMPARE(logFont.pointSize(), 13);
    QVERIFY(logFont.italic() && !logFont.bold());
    Child<QAction>(&form, "BankManager")->trigger();
    QCOMPARE(TopLevel<BankManagerWindow>().value(0)->geometry(), bankManagerPlace);

    QSettings().clear();
    QCoreApplication::setOrganizationName(QString());
  }
};

QTEST_MAIN(WindowPlacesWindowTest)
#include "window_places_window_test.moc"
