// The song viewer on the whole road: an SNG opened in the main window, its
// songs viewed from the catalogue, listed by song and then by program.
#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTreeView>

#include "main_window/ui/main_window.hpp"
#include "support/fakes.hpp"
#include "support/sng_builder.hpp"
#include "support/temp_dir.hpp"
#include "viewer/ui/object_browser_window.hpp"
#include "viewer/ui/viewer_window.hpp"
#include "ui_support.hpp"

using patchlore::test::FakeDialogs;
using patchlore::test::TempDir;

class SongViewerTest : public QObject {
  Q_OBJECT

 private:
  FakeDialogs dialogs_;
  TempDir dir_;

  // The viewer of every song of the file, opened from its catalogue.
  static ViewerWindow* viewAllSongs(MainWindow& form) { return ViewerOfRows(form, 0, {0, 1}); }

 private slots:
  void songsAreListedBySongAndThenByProgram() {
    patchlore::test::TrackPlan piano;
    piano.name = "Piano";
    piano.bank = 6;  // GM
    const auto sng = patchlore::test::SngBuilder().song("Verse", 1).track(piano).song("Chorus", 2).track(piano).build();
    MainWindow form(dialogs_);
    OpenFile(form, dialogs_, dir_.write("S.SNG", sng));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    ViewerWindow* viewer = viewAllSongs(form);
    auto* list = Child<QTableView>(viewer, "ListView1");

    QCOMPARE(Child<QLabel>(viewer, "Msg")->text(), QString("Songs :2; Lines:32; All Progs: 2; Selected: 0"));
    QCOMPARE(Child<QCheckBox>(viewer, "SW1")->text(), QString("SW1: by Song"));
    QVERIFY(!Child<QAction>(viewer, "EditName1")->isVisible());  // songs have no names to edit
    QCOMPARE(TableHeaders(list), (QStringList{"Song", "S.Name", "Track", "Channel", "T.Name", "Prog"}));
    QCOMPARE(TableRowTexts(list, 16), (QStringList{"Song S002", "Chorus", "MT01", "01", "Piano", "GM001"}));
    QCOMPARE(ListLines(Child<QListWidget>(viewer, "SngByProg")),
             (QStringList{"GM001=S001 - S002", "I-A000=S001 - S002"}));
    auto* trackGroup = Child<QGroupBox>(viewer, "groupTrackParameter");
    QVERIFY(trackGroup->isVisible());
    QCOMPARE(trackGroup->title(), QString("Track Parameter"));
    QVERIFY(!Child<QGroupBox>(viewer, "groupOSCBasic")->isVisible());

    Child<QCheckBox>(viewer, "SW1")->click();
    Child<QCheckBox>(viewer, "TPName")->click();
    Child<QPushButton>(viewer, "Show")->click();
    QCOMPARE(TableHeaders(list), (QStringList{"Prog", "P.Name", "Song"}));
    QCOMPARE(TableRowTexts(list, 0), (QStringList{"GM001", "Acoustic Piano", "S001---S002"}));
    QCOMPARE(Child<QLabel>(viewer, "Info")->text(), QString("Processing...I-A000"));
  }
};

QTEST_MAIN(SongViewerTest)
#include "song_viewer_test.moc"
