// Start-up, browsing and the saved selection, through the real main window.
#include <QFile>
#include <QScrollBar>
#include <QtTest>

#include "WindowFixture.h"
#include "window/ExtentList.h"

class BrowseTest : public QObject {
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
  TempFolder folder;
  WriteDataFiles(folder.Path(), EntriesOf({{"北海道", {{"札幌市中央区", {{"0600000", "以下に掲載がない場合"}, {"0640941", "旭ケ丘"}}}}},
                               {"神奈川県", {{"横浜市", {{"2200000", "みなとみらい"}}}, {"川崎市", {{"2100001", "本町"}}}}}}));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());

  // A three-kanji name is 6 bytes and gets two spaces; a four-kanji name fills the 8 bytes.
  QCOMPARE(Lines(window.List1), QStringList({"北海道  ", "神奈川県"}));
  // Fewer than 48 records: the saved selection reads as zero bytes, so the first ones are chosen.
  QCOMPARE(window.List1->FirstSelectedRow(), 0);
  QCOMPARE(Lines(window.List2), QStringList({"札幌市中央区"}));
  QCOMPARE(window.List2->FirstSelectedRow(), 0);
  QCOMPARE(Lines(window.List3),
           QStringList({"0600000　札幌市中央区　以下に掲載がない場合", "0640941　札幌市中央区　旭ケ丘"}));
  QCOMPARE(window.ShownFirstEntry, 1);
  QCOMPARE(window.ShownLastEntry, 2);
  QVERIFY(!window.FromSearch);

  window.List1->setCurrentRow(1);
  QCOMPARE(Lines(window.List2), QStringList({"横浜市", "川崎市"}));
  window.List2->setCurrentRow(1);
  QCOMPARE(Lines(window.List3), QStringList({"2100001　川崎市　本町"}));
  QCOMPARE(window.ShownFirstEntry, 4);
  QCOMPARE(window.CityRecNo, 3);
  QVERIFY(platform.Messages().isEmpty());
}

void BrowseTest::choosingAPrefectureFillsCitiesWithoutSelection() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), GridEntries(3, 4, 2));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  const QStringList townsBefore = Lines(window.List3);

  window.List1->setCurrentRow(2);
  QCOMPARE(window.PrefIndex, 3);
  QCOMPARE(Lines(window.List2), QStringList({"市3の1", "市3の2", "市3の3", "市3の4"}));
  QCOMPARE(window.List2->FirstSelectedRow(), -1);
  QCOMPARE(Lines(window.List3), townsBefore);  // the town list waits for a city
  QCOMPARE(window.CityIndex, 1);
}

void BrowseTest::savedSelectionIsRestored() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), GridEntries(47, 12, 2));
  WriteSavedSelection(folder.Path(), 3, 10);
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());

  QCOMPARE(window.List1->FirstSelectedRow(), 3);
  QCOMPARE(window.PrefIndex, 4);
  QCOMPARE(window.List2->count(), 12);
  QCOMPARE(window.List2->FirstSelectedRow(), 10);
  QCOMPARE(window.CityIndex, 11);
  // The eleventh city of the fourth prefecture is city record 3 * 12 + 11 = 47.
  QCOMPARE(window.CityRecNo, 47);
  QCOMPARE(Lines(window.List3), QStringList({"0411001　市4の11　町1", "0411002　市4の11　町2"}));
}

void BrowseTest::savedCityBeyondTheListSelectsNoCity() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), GridEntries(47, 12, 2));
  WriteSavedSelection(folder.Path(), 3, 12);
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());

  QCOMPARE(window.List1->FirstSelectedRow(), 3);
  QCOMPARE(window.List2->count(), 12);
  QCOMPARE(window.List2->FirstSelectedRow(), -1);
  QCOMPARE(window.List3->count(), 0);
}

void BrowseTest::extentsFollowTheWidestLine() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), EntriesOf({{"東京都", {{"千代田区", {{"1000001", "千代田"}}}, {"あいうえお", {{"1000002", "x"}}}}}}));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());

  QCOMPARE(window.TwipsPerPixel(), 15);
  // Longest city name 5 characters: (5 * 225 + 120) / 15.
  QCOMPARE(window.List2->HorizontalExtent(), 83);
  // One entry, city and town 4 + 3 characters: (7 + 6) * 225 / 15.
  QCOMPARE(window.List3->HorizontalExtent(), 195);
}

void BrowseTest::longLinesScrollSidewaysOverTheExtent() {
  TempFolder folder;
  const QString town = QString(26, QChar(0x753A));  // 26 full-width characters
  WriteDataFiles(folder.Path(), EntriesOf({{"東京都", {{"千代田区", {{"1000001", town}, {"1000002", "短い"}}}}}}));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  // (4 + 26 + 6) * 225 / 15 = 540 pixels of line width to scroll over.
  QCOMPARE(window.List3->HorizontalExtent(), 540);
  QTRY_COMPARE(window.List3->horizontalScrollBar()->maximum(), 540 - window.List3->viewport()->width());
  // No vertical scrolling is needed for two lines, and none sideways in the short city list.
  QCOMPARE(window.List2->horizontalScrollBar()->maximum(), 0);
}

void BrowseTest::firstStartWithoutDataFiles() {
  TempFolder folder;
  RecordingPlatform platform;
  {
    frmMirabo window(platform, folder.Path());
    for (const char* name : kDataFiles) {
      QVERIFY2(QFile::exists(folder.File(name)), name);
      QCOMPARE(QFile(folder.File(name)).size(), 0);
    }
    QCOMPARE(window.List1->count(), 0);
    QCOMPARE(window.List2->count(), 0);
    QCOMPARE(window.List3->count(), 0);
    QCOMPARE(window.Data.PrefCount, 0);
    window.close();
  }
  QVERIFY(platform.Messages().isEmpty());
  QCOMPARE(QFile(folder.File("fuken.DAT")).size(), 0);  // no empty prefectures are made up
}

void BrowseTest::closingSavesBothPositions() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), GridEntries(47, 8, 1));
  RecordingPlatform platform;
  {
    frmMirabo window(platform, folder.Path());
    window.List1->setCurrentRow(2);  // prefecture A
    window.List2->setCurrentRow(5);  // its sixth city
    window.List1->setCurrentRow(7);  // prefecture B, no city chosen
    window.close();
    QCOMPARE(platform.calls.last(), QString("help-close|" + folder.Path() + "MIRABO.HLP"));
  }
  const QByteArray bytes = ReadBytes(folder.File("fuken.DAT"));
  QCOMPARE(bytes.size(), 48 * 18);
  // Record 48 keeps the sentinel's name and holds the 0-based positions 7 and 5.
  QCOMPARE(ToHex(bytes.mid(47 * 18)), ToHex(Hex("81 40 81 40 81 40 81 40 20 20  07 00 00 00  05 00 00 00")));

  frmMirabo again(platform, folder.Path());
  QCOMPARE(again.List1->FirstSelectedRow(), 7);
  QCOMPARE(again.List2->FirstSelectedRow(), 5);
  QCOMPARE(Lines(again.List3), QStringList({"0806001　市8の6　町1"}));
}

void BrowseTest::closingNeverGrowsAShortPrefectureFile() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), GridEntries(3, 2, 1));
  const QByteArray before = ReadBytes(folder.File("fuken.DAT"));
  QCOMPARE(before.size(), 4 * 18);
  RecordingPlatform platform;
  {
    frmMirabo window(platform, folder.Path());
    window.List1->setCurrentRow(1);
    window.close();
  }
  QCOMPARE(ReadBytes(folder.File("fuken.DAT")), before);
}

QTEST_MAIN(BrowseTest)
#include "browse_test.moc"
