// The small pieces between the core and Qt: text conversion, file dialog
// filters, fonts, and the places of arranged windows.
#include <QtTest>

#include <QFontDatabase>
#include <QFontInfo>

#include "ui/design_font.hpp"
#include "ui/font_conversion.hpp"
#include "main_window/ui/qt_dialogs.hpp"
#include "ui/qt_text.hpp"
#include "main_window/ui/window_arrangement.hpp"

class UiHelpersTest : public QObject {
  Q_OBJECT

 private slots:
  void textsAreWindows1251WithVisibleControlBytes() {
    QCOMPARE(toQString("Patchlore "), QString("Patchlore "));
    // The Cyrillic label of the SNG listing as stored: "Песня" in Windows-1251.
    QCOMPARE(toQString("\xCF\xE5\xF1\xED\xFF"), QString::fromUtf8("Песня"));
    // A file header: NUL bytes must neither end the text nor vanish.
    const std::string header("KORG\x68\0\0\x01", 8);
    QCOMPARE(toQString(header), QString::fromUtf8("KORGh···"));
    QCOMPARE(toQString("a\tb\x1F"), QString::fromUtf8("a·b·"));
    QCOMPARE(toQString("\x7F\xB7"), QString::fromUtf8("\x7F·"));
  }

  void fileFiltersBecomeQtFilters() {
    QCOMPARE(QtNameFilter("All files (*.*)|*.*"), QString("All files (*)"));
    QCOMPARE(QtNameFilter("PCG files|*.PCG;*.pcg|All files (*.*)|*.*"),
             QString("PCG files (*.PCG *.pcg);;All files (*)"));
    QCOMPARE(QtNameFilter(""), QString());
  }

  void fontsCrossBothWays() {
    const patchlore::FontChoice expected{"Courier New", 10, true, false};
    const QFont font = toQFont(expected, QFont::TypeWriter);
    QCOMPARE(font.family(), QString("Courier New"));
    QCOMPARE(font.pointSize(), 10);
    QVERIFY(font.bold());
    QVERIFY(!font.italic());
    QCOMPARE(font.styleHint(), QFont::TypeWriter);
    QCOMPARE(toFontChoice(font), expected);
  }

  void aMissingDesignFontFallsBackToOneOfTheSameSizeWeightAndPitch() {
    const QFont proportional = DesignFont("No Such Family", 8, true);
    const QFont fixed = DesignFont("No Such Family", 10, false, QFont::TypeWriter);
    for (const QFont& font : {proportional, fixed}) {
      QVERIFY(QFontDatabase::hasFamily(font.family()));
      QCOMPARE(QFontInfo(font).family(), font.family());
    }
    QCOMPARE(QFontInfo(proportional).pointSize(), 8);
    QVERIFY(QFontInfo(proportional).bold());
    QCOMPARE(QFontInfo(fixed).pointSize(), 10);
    QVERIFY(!QFontInfo(fixed).bold());
    QVERIFY(QFontInfo(fixed).fixedPitch());
  }

  void cascadeStepsDownAndStartsAgainAtTheCorner() {
    const QRect area(100, 50, 300, 150);
    const QList<QRect> places = CascadePlaces(area, 6);
    QCOMPARE(places.size(), 6);
    QCOMPARE(places[0], QRect(100, 50, 200, 100));
    QCOMPARE(places[1].topLeft(), QPoint(124, 74));
    QCOMPARE(places[2].topLeft(), QPoint(148, 98));
    for (const QRect& place : places) QVERIFY(area.contains(place));
    QCOMPARE(places[3].topLeft(), area.topLeft());  // 172,122 would leave the area
    QVERIFY(CascadePlaces(area, 0).isEmpty());
  }

  void tilesCoverTheAreaWithoutGaps() {
    const QRect area(0, 20, 100, 101);
    const QList<QRect> strips = TilePlaces(area, 3, Qt::Horizontal);
    QCOMPARE(strips.size(), 3);
    int top = area.top();
    for (const QRect& strip : strips) {
      QCOMPARE(strip.left(), area.left());
      QCOMPARE(strip.width(), area.width());
      QCOMPARE(strip.top(), top);
      top = strip.bottom() + 1;
    }
    QCOMPARE(top, area.bottom() + 1);

    const QList<QRect> columns = TilePlaces(area, 2, Qt::Vertical);
    QCOMPARE(columns[0], QRect(0, 20, 50, 101));
    QCOMPARE(columns[1], QRect(50, 20, 50, 101));
    QVERIFY(TilePlaces(area, 0, Qt::Vertical).isEmpty());
  }

  void tilesTooNarrowForTheWindowsWrapIntoRows() {
    const QRect area(0, 0, 1000, 600);
    const QList<QRect> places = TilePlaces(area, 5, Qt::Vertical, QSize(300, 200));
    QCOMPARE(places, (QList<QRect>{QRect(0, 0, 333, 300), QRect(333, 0, 333, 300), QRect(666, 0, 334, 300),
                                   QRect(0, 300, 500, 300), QRect(500, 300, 500, 300)}));
  }

  void theAreaBesideAWindowIsTheLargestFreeStrip() {
    const QRect screen(0, 0, 1600, 1000);
    QCOMPARE(AreaBeside(screen, QRect(0, 0, 512, 256)), QRect(0, 256, 1600, 744));
    QCOMPARE(AreaBeside(screen, QRect(0, 0, 512, 900)), QRect(512, 0, 1088, 1000));
    QCOMPARE(AreaBeside(screen, QRect(2000, 0, 100, 100)), screen);  // not on this screen
  }

  void lineUpPlacesWindowsInRowsAtTheirSizes() {
    const QList<QRect> places = LineUpPlaces(QRect(10, 20, 500, 400), {QSize(200, 100), QSize(250, 150), QSize(100, 50)});
    QCOMPARE(places, (QList<QRect>{QRect(10, 20, 200, 100), QRect(210, 20, 250, 150), QRect(10, 170, 100, 50)}));
  }
};

QTEST_MAIN(UiHelpersTest)
#include "ui_helpers_test.moc"
