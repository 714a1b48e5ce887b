// The MIDI ports window's wiring: its lists and buttons reach the core and
// the core's texts reach its labels; the main window's command shows it on
// the messages of a loaded SysEx file.
#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>

#include "main_window/ui/main_window.hpp"
#include "support/fake_midi_service.hpp"
#include "support/fakes.hpp"
#include "support/sysex_builder.hpp"
#include "support/temp_dir.hpp"
#include "sysex/ui/midi_ports_window.hpp"
#include "ui_support.hpp"

using patchlore::test::Bytes;

namespace {

QString LabelText(QWidget* window, const char* name) { return Child<QLabel>(window, name)->text(); }

}  // namespace

class MidiPortsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void clicksOpenTheOutputSelectAndSendAMessage() {
    patchlore::test::FakeMidiService midi;
    patchlore::test::FakeDialogs dialogs;
    midi.outputs = {"JACK: m1:in"};
    MidiPortsWindow window(midi, dialogs, {});
    Bytes image = patchlore::test::M1Message(0x21);
    const Bytes second = patchlore::test::M1Message(0x21);
    image.insert(image.end(), second.begin(), second.end());
    window.openWithSource(image);

    auto* outputs = Child<QListWidget>(&window, "ListMidi_Out");
    QCOMPARE(ListLines(outputs), (QStringList{"-1 : Default output (JACK: m1:in)", "0 : JACK: m1:in"}));
    QTest::mouseClick(outputs->viewport(), Qt::LeftButton, {}, outputs->visualItemRect(outputs->item(1)).center());
    QCOMPARE(midi.openedOutputs, std::vector<int>{0});
    QCOMPARE(LabelText(&window, "Info"), QString::fromStdString(window.core().state().info));
    QTest::mouseClick(outputs->viewport(), Qt::LeftButton, {}, QPoint(5, outputs->height() - 5));
    QCOMPARE(midi.openedOutputs.size(), std::size_t{1});  // beside the lines

    auto* messages = Child<QListView>(&window, "ListSysex");
    QCOMPARE(messages->model()->rowCount(), 2);
    QCOMPARE(messages->model()->index(1, 0).data().toString(),
             QString("offsetF0=6 offsetF7=11 length=6 KorgM1 Write completed"));
    QTest::mouseClick(messages->viewport(), Qt::LeftButton, {}, RowCenter(messages, 1));
    QCOMPARE(LabelText(&window, "SendLabel"), QString("sysexSend: length=6; ItemIndex=1"));
    Child<QPushButton>(&window, "SendSysex")->click();
    QCOMPARE(midi.sent, std::vector<std::vector<std::uint8_t>>{second});
    QCOMPARE(LabelText(&window, "SendLabel"), QString("The operation completed successfully."));
  }

  void receiveCollectsUntilStoppedThenHandsOverAndSaves() {
    patchlore::test::FakeMidiService midi;
    patchlore::test::FakeDialogs dialogs;
    patchlore::test::TempDir dir;
    midi.inputs = {"JACK: m1:out"};
    std::vector<std::pair<Bytes, std::string>> handed;
    MidiPortsWindow window(midi, dialogs, [&](patchlore::ByteBuffer bytes, const std::string& name) {
      handed.emplace_back(Bytes(bytes.bytes().begin(), bytes.bytes().end()), name);
    });
    window.openWithSource({});
    Child<QListWidget>(&window, "ListMidi_In")->setCurrentRow(0);
    auto* receive = Child<QPushButton>(&window, "ReceiveSysex");
    midi.arriving = {{0xF0, 0x42, 0xF7}};
    receive->click();
    QCOMPARE(receive->text(), QString("Stop"));
    QTRY_COMPARE_WITH_TIMEOUT(LabelText(&window, "ReceiveLabel"), QString("Receiving... Messages: 1; Bytes: 3"), 2000);
    receive->click();
    QCOMPARE(receive->text(), QString("Receive..."));
    QCOMPARE(handed.size(), std::size_t{1});
    QCOMPARE(handed[0].first, (Bytes{0xF0, 0x42, 0xF7}));
    QCOMPARE(handed[0].second, std::string("Received.syx"));

    const std::string path = (dir.path() / "Dump.syx").string();
    dialogs.saveAnswers.push_back(path);
    Child<QPushButton>(&window, "SaveReceived")->click();
    QCOMPARE(patchlore::test::TempDir::read(path), std::string("\xF0\x42\xF7"));
  }

  void theDeviceListsAreReadAgainWhenShownAndByRefresh() {
    patchlore::test::FakeMidiService midi;
    patchlore::test::FakeDialogs dialogs;
    MidiPortsWindow window(midi, dialogs, {});
    window.openWithSource({});
    auto* inputs = Child<QListWidget>(&window, "ListMidi_In");
    QCOMPARE(ListLines(inputs), QStringList());
    midi.inputs = {"JACK: m1:out"};
    Child<QPushButton>(&window, "RefreshPorts")->click();
    QCOMPARE(ListLines(inputs), QStringList({"0 : JACK: m1:out"}));
    window.hide();
    midi.inputs.clear();
    window.show();
    QCOMPARE(ListLines(inputs), QStringList());
  }

  void theMenuCommandListsTheSelectedSysexFileElseTheLastOne() {
    patchlore::test::FakeDialogs dialogs;
    patchlore::test::TempDir dir;
    MainWindow form(dialogs);
    dialogs.openAnswers.push_back(dir.write("ONE.SYX", patchlore::test::M1Message(0x21)));
    form.findChild<QAction*>("FileOpenAsSysEx1")->trigger();
    const Bytes one = patchlore::test::M1Message(0x21);
    Bytes two = one;
    two.insert(two.end(), one.begin(), one.end());
    dialogs.openAnswers.push_back(dir.write("TWO.SYX", two));
    form.findChild<QAction*>("FileOpenAsSysEx1")->trigger();
    auto* menuItem = form.findChild<QMenu*>("Options1")->actions().last();
    QCOMPARE(menuItem->text(), QString("&MIDI Ports..."));

    menuItem->trigger();
    auto* window = TopLevel<MidiPortsWindow>().value(0);
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(Child<QListView>(window, "ListSysex")->model()->rowCount(), 2);
    SelectTableRows(form.findChild<QTreeView*>("OpenList"), {0});
    menuItem->trigger();
    QCOMPARE(Child<QListView>(window, "ListSysex")->model()->rowCount(), 1);
  }
};

QTEST_MAIN(MidiPortsWindowTest)
#include "midi_ports_window_test.moc"
