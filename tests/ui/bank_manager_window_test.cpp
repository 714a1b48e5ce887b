// The Bank Manager command of the main window and the clicks of its window.
#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "main_window/ui/main_window.hpp"
#include "banks/ui/bank_manager_window.hpp"
#include "formats/bank_layout.hpp"
#include "formats/checksums.hpp"
#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "support/sng_builder.hpp"
#include "support/temp_dir.hpp"
#include "ui_support.hpp"

using patchlore::test::PcgBuilder;

class BankManagerWindowTest : public QObject {
  Q_OBJECT

 private:
  static void click(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
  }

 private slots:
  void theCommandOpensTheWindowAndWriteCopiesTheBank() {
    patchlore::test::FakeDialogs dialogs;
    patchlore::test::TempDir dir;
    MainWindow main(dialogs);
    const auto pcg = PcgBuilder().programBank(0, 2, 40).programBank(1, 2, 40).withIni().build();
    dialogs.openAnswers = {dir.write("A.PCG", pcg), dir.write("B.SNG", patchlore::test::SngBuilder().build()),
                           dir.write("C.PCG", pcg)};
    for (int i = 0; i < 3; ++i) main.findChild<QAction*>("FileOpen1")->trigger();
    main.findChild<QAction*>("BankManager")->trigger();

    auto* window = TopLevel<BankManagerWindow>().value(0);
    QVERIFY(window && window->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto* fromBox = Child<QListWidget>(window, "FromBox");
    QCOMPARE(ListLines(fromBox), QStringList({"0:A.PCG", "2:C.PCG"}));
    QCOMPARE(ListLines(Child<QListWidget>(window, "ToBox")), ListLines(fromBox));
    auto* write = Child<QPushButton>(window, "WriteBank");
    QVERIFY(!write->isEnabled());

    click(fromBox, 0);
    click(Child<QListWidget>(window, "ToBox"), 1);
    click(Child<QListWidget>(window, "FromBanks"), 0);
    click(Child<QListWidget>(window, "ToBanks"), 1);
    QVERIFY(write->isEnabled());
    QTest::mouseClick(write, Qt::LeftButton);

    const auto image = main.core().registry().image(2);
    const std::int64_t to = window->core().state().to.header.offset;
    QCOMPARE(image[to + patchlore::bank_layout::kChecksum], patchlore::CheckBytes(image, to));
    QVERIFY(Child<QLabel>(window, "checkSum_Info")->text().contains("; 0-->1; checkSum="));
    QCOMPARE(Child<QLabel>(window, "MoveSize")->text(), QString("patchSize=28 (hex); 40 (dec)"));
  }
};

QTEST_MAIN(BankManagerWindowTest)
#include "bank_manager_window_test.moc"
