// Start-up and closing over data that is not what a rebuild of 47 prefectures leaves.
#include <QFile>
#include <QtTest>

#include <unistd.h>

#include "WindowFixture.h"
#include "window/ExtentList.h"

class DamagedDataTest : public QObject {
  Q_OBJECT

 private slots:
  void record48OfAFiftyThreePrefectureSetIsAPrefectureNotASelection();
  void hugeRecordCountShowsOneMessageAndEmptyLists();
  void readOnlyDataIsBrowsedAndClosingWritesNothing();
};

void DamagedDataTest::record48OfAFiftyThreePrefectureSetIsAPrefectureNotASelection() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), GridEntries(53, 2, 1));
  const QByteArray before = ReadBytes(folder.File("fuken.DAT"));
  // Record 48 is 県48 with cities 95 to 96, not positions.
  QCOMPARE(ToHex(before.mid(47 * 18, 18)),
           ToHex(Hex("8C A7 34 38 20 20 20 20 20 20  5F 00 00 00  60 00 00 00")));
  RecordingPlatform platform;
  {
    frmMirabo window(platform, folder.Path());
    QCOMPARE(window.List1->count(), 53);
    QCOMPARE(window.List1->FirstSelectedRow(), 0);
    QCOMPARE(window.List2->FirstSelectedRow(), 0);
    QCOMPARE(Lines(window.List3), QStringList({"0101001　市1の1　町1"}));
    window.List1->setCurrentRow(49);
    window.List2->setCurrentRow(1);
    window.close();
  }
  QCOMPARE(ToHex(ReadBytes(folder.File("fuken.DAT"))), ToHex(before));
  QVERIFY(platform.Messages().isEmpty());

  frmMirabo again(platform, folder.Path());
  QCOMPARE(again.List1->FirstSelectedRow(), 0);
  QCOMPARE(Lines(again.List2), QStringList({"市1の1", "市1の2"}));
}

void DamagedDataTest::hugeRecordCountShowsOneMessageAndEmptyLists() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), GridEntries(2, 1, 1));
  // 1,000,001 prefecture records: more than any rebuild writes. The file stays sparse.
  QVERIFY(QFile::resize(folder.File("fuken.DAT"), qint64(18) * 1000001));
  RecordingPlatform platform;
  {
    frmMirabo window(platform, folder.Path());
    QCOMPARE(platform.Messages(), QStringList({QStringLiteral(
                                      "データファイルが壊れています。郵便番号ファイル更新でデータを作り直してください。")}));
    QCOMPARE(window.List1->count(), 0);
    QCOMPARE(window.List2->count(), 0);
    QCOMPARE(window.List3->count(), 0);
    window.close();
  }
  QCOMPARE(QFile(folder.File("fuken.DAT")).size(), qint64(18) * 1000001);
  QCOMPARE(platform.Messages().size(), 1);
}

void DamagedDataTest::readOnlyDataIsBrowsedAndClosingWritesNothing() {
  if (::geteuid() == 0) QSKIP("root writes whatever the permissions say");
  TempFolder folder;
  WriteDataFiles(folder.Path(), GridEntries(47, 2, 1));
  for (const char* name : kDataFiles)
    QVERIFY(QFile::setPermissions(folder.File(name), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
  const QByteArray before = ReadBytes(folder.File("fuken.DAT"));
  RecordingPlatform platform;
  {
    frmMirabo window(platform, folder.Path());
    QCOMPARE(window.List1->count(), 47);
    window.List1->setCurrentRow(2);
    window.List2->setCurrentRow(1);
    QCOMPARE(Lines(window.List3), QStringList({"0302001　市3の2　町1"}));
    window.close();
  }
  QCOMPARE(ReadBytes(folder.File("fuken.DAT")), before);
  QVERIFY(platform.Messages().isEmpty());
}

QTEST_MAIN(DamagedDataTest)
#include "damaged_data_test.moc"
