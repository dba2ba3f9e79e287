// Start-up, browsing and the saved selection, through the real main window.
#include <QFile>
#include <QScrollBar>
#include <QTest>

#include "window/ExtentList.h"
#include "window/WindowTest.h"

namespace mirabo {

class BrowseTest : public WindowTest {
  Q_OBJECT

 private slots:
  void listsShowPrefecturesCitiesAndTowns();
  void choosingAPrefectureFillsCitiesWithoutSelection();
  void savedSelectionIsRestored();
  void savedCityBeyondTheListSelectsNoCity();
  void extentsFollowTheWidestLine();
  void longLinesScrollSidewaysOverTheExtent();
  void firstStartWithoutDataFiles();
  void closingSavesBothPositions();
  void closingNeverGrowsAShortPrefectureFile();

};

void BrowseTest::listsShowPrefecturesCitiesAndTowns() {
  WriteDataFiles(Folder().Path(),
                 EntriesOf({{"北海道", {{"札幌市中央区", {{"0600000", "以下に掲載がない場合"}, {"0640941", "旭ケ丘"}}}}},
                            {"神奈川県", {{"横浜市", {{"2200000", "みなとみらい"}}}, {"川崎市", {{"2100001", "本町"}}}}}}));
  const frmMirabo& window = OpenWindow();

  // A three-kanji name is 6 bytes and gets two spaces; a four-kanji name fills the 8 bytes.
  QCOMPARE(Lines(Prefectures()), QStringList({"北海道  ", "神奈川県"}));
  // Fewer than 48 records: the saved selection reads as zero bytes, so the first ones are chosen.
  QCOMPARE(Prefectures()->FirstSelectedRow(), 0);
  QCOMPARE(Lines(Cities()), QStringList({"札幌市中央区"}));
  QCOMPARE(Cities()->FirstSelectedRow(), 0);
  QCOMPARE(Lines(Towns()), QStringList({"0600000　札幌市中央区　以下に掲載がない場合", "0640941　札幌市中央区　旭ケ丘"}));
  QCOMPARE(window.Browsing.ShownFirstEntry, 1);
  QCOMPARE(window.Browsing.ShownLastEntry, 2);
  QVERIFY(!window.Browsing.FromSearch);

  Prefectures()->setCurrentRow(1);
  QCOMPARE(Lines(Cities()), QStringList({"横浜市", "川崎市"}));
  Cities()->setCurrentRow(1);
  QCOMPARE(Lines(Towns()), QStringList({"2100001　川崎市　本町"}));
  QCOMPARE(window.Browsing.ShownFirstEntry, 4);
  QCOMPARE(window.Browsing.CityRecNo, 3);
  QVERIFY(Platform().Messages().isEmpty());
}

void BrowseTest::choosingAPrefectureFillsCitiesWithoutSelection() {
  WriteDataFiles(Folder().Path(), GridEntries(3, 4, 2));
  const frmMirabo& window = OpenWindow();
  const QStringList townsBefore = Lines(Towns());

  Prefectures()->setCurrentRow(2);
  QCOMPARE(window.Browsing.PrefIndex, 3);
  QCOMPARE(Lines(Cities()), QStringList({"市3の1", "市3の2", "市3の3", "市3の4"}));
  QCOMPARE(Cities()->FirstSelectedRow(), -1);
  QCOMPARE(Lines(Towns()), townsBefore);  // the town list waits for a city
  QCOMPARE(window.Browsing.CityIndex, 1);
}

void BrowseTest::savedSelectionIsRestored() {
  WriteDataFiles(Folder().Path(), GridEntries(47, 12, 2));
  WriteSavedSelection(Folder().Path(), 3, 10);
  const frmMirabo& window = OpenWindow();

  QCOMPARE(Prefectures()->FirstSelectedRow(), 3);
  QCOMPARE(window.Browsing.PrefIndex, 4);
  QCOMPARE(Cities()->count(), 12);
  QCOMPARE(Cities()->FirstSelectedRow(), 10);
  QCOMPARE(window.Browsing.CityIndex, 11);
  // The eleventh city of the fourth prefecture is city record 3 * 12 + 11 = 47.
  QCOMPARE(window.Browsing.CityRecNo, 47);
  QCOMPARE(Lines(Towns()), QStringList({"0411001　市4の11　町1", "0411002　市4の11　町2"}));
}

void BrowseTest::savedCityBeyondTheListSelectsNoCity() {
  WriteDataFiles(Folder().Path(), GridEntries(47, 12, 2));
  WriteSavedSelection(Folder().Path(), 3, 12);
  OpenWindow();

  QCOMPARE(Prefectures()->FirstSelectedRow(), 3);
  QCOMPARE(Cities()->count(), 12);
  QCOMPARE(Cities()->FirstSelectedRow(), -1);
  QCOMPARE(Towns()->count(), 0);
}

void BrowseTest::extentsFollowTheWidestLine() {
  WriteDataFiles(Folder().Path(),
                 EntriesOf({{"東京都", {{"千代田区", {{"1000001", "千代田"}}}, {"あいうえお", {{"1000002", "x"}}}}}}));
  QCOMPARE(OpenWindow().TwipsPerPixel(), 15);
  // Longest city name 5 characters: (5 * 225 + 120) / 15.
  QCOMPARE(Cities()->HorizontalExtent(), 83);
  // One entry, city and town 4 + 3 characters: (7 + 6) * 225 / 15.
  QCOMPARE(Towns()->HorizontalExtent(), 195);
}

void BrowseTest::longLinesScrollSidewaysOverTheExtent() {
  const QString town = QString(26, QChar(0x753A));  // 26 full-width characters
  WriteDataFiles(Folder().Path(), EntriesOf({{"東京都", {{"千代田区", {{"1000001", town}, {"1000002", "短い"}}}}}}));
  QVERIFY(ShowWindow());
  // (4 + 26 + 6) * 225 / 15 = 540 pixels of line width to scroll over.
  QCOMPARE(Towns()->HorizontalExtent(), 540);
  QTRY_COMPARE(Towns()->horizontalScrollBar()->maximum(), 540 - Towns()->viewport()->width());
  // No vertical scrolling is needed for two lines, and none sideways in the short city list.
  QCOMPARE(Cities()->horizontalScrollBar()->maximum(), 0);
}

void BrowseTest::firstStartWithoutDataFiles() {
  frmMirabo& window = OpenWindow();
  for (const char* name : kDataFiles) {
    QVERIFY2(QFile::exists(Folder().File(name)), name);
    QCOMPARE(QFile(Folder().File(name)).size(), 0);
  }
  QCOMPARE(Prefectures()->count(), 0);
  QCOMPARE(Cities()->count(), 0);
  QCOMPARE(Towns()->count(), 0);
  QCOMPARE(window.Data.PrefCount, 0);
  window.close();
  DestroyWindow();
  QVERIFY(Platform().Messages().isEmpty());
  QCOMPARE(QFile(Folder().File("fuken.DAT")).size(), 0);  // no empty prefectures are made up
}

void BrowseTest::closingSavesBothPositions() {
  WriteDataFiles(Folder().Path(), GridEntries(47, 8, 1));
  OpenWindow();
  Prefectures()->setCurrentRow(2);  // prefecture A
  Cities()->setCurrentRow(5);       // its sixth city
  Prefectures()->setCurrentRow(7);  // prefecture B, no city chosen
  Window().close();
  QCOMPARE(Platform().calls.last(), QString("help-close|" + Folder().Path() + "MIRABO.HLP"));
  DestroyWindow();
  const QByteArray bytes = ReadBytes(Folder().File("fuken.DAT"));
  QCOMPARE(bytes.size(), 48 * 18);
  // Record 48 keeps the sentinel's name and holds the 0-based positions 7 and 5.
  QCOMPARE(ToHex(bytes.mid(47 * 18)), ToHex(Hex("81 40 81 40 81 40 81 40 20 20  07 00 00 00  05 00 00 00")));

  OpenWindow();
  QCOMPARE(Prefectures()->FirstSelectedRow(), 7);
  QCOMPARE(Cities()->FirstSelectedRow(), 5);
  QCOMPARE(Lines(Towns()), QStringList({"0806001　市8の6　町1"}));
}

void BrowseTest::closingNeverGrowsAShortPrefectureFile() {
  WriteDataFiles(Folder().Path(), GridEntries(3, 2, 1));
  const QByteArray before = ReadBytes(Folder().File("fuken.DAT"));
  QCOMPARE(before.size(), 4 * 18);
  OpenWindow();
  Prefectures()->setCurrentRow(1);
  Window().close();
  DestroyWindow();
  QCOMPARE(ReadBytes(Folder().File("fuken.DAT")), before);
}

}  // namespace mirabo

QTEST_MAIN(mirabo::BrowseTest)
#include "browse_test.moc"
