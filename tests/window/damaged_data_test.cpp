// Start-up and closing over data that is not what a rebuild of 47 prefectures leaves.
#include <QDir>
#include <QFile>
#include <QTest>

#include <unistd.h>

#include "window/ExtentList.h"
#include "window/WindowTest.h"

namespace mirabo {

class DamagedDataTest : public WindowTest {
  Q_OBJECT

 private slots:
  void record48OfAFiftyThreePrefectureSetIsAPrefectureNotASelection();
  void hugeRecordCountShowsOneMessageAndEmptyLists();
  void readOnlyDataIsBrowsedAndClosingWritesNothing();
  void swapThatCannotBeSettledOpensNothingAndSaysWhy();

 private:
  // Closes the window, as the user does, and lets it go.
  void Close() {
    Window().close();
    DestroyWindow();
  }
};

void DamagedDataTest::record48OfAFiftyThreePrefectureSetIsAPrefectureNotASelection() {
  WriteDataFiles(Folder().Path(), GridEntries(53, 2, 1));
  const QByteArray before = ReadBytes(Folder().File("fuken.DAT"));
  // Record 48 is 県48 with cities 95 to 96, not positions.
  QCOMPARE(ToHex(before.mid(47 * 18, 18)),
           ToHex(Hex("8C A7 34 38 20 20 20 20 20 20  5F 00 00 00  60 00 00 00")));
  OpenWindow();
  QCOMPARE(Prefectures()->count(), 53);
  QCOMPARE(Prefectures()->FirstSelectedRow(), 0);
  QCOMPARE(Cities()->FirstSelectedRow(), 0);
  QCOMPARE(Lines(Towns()), QStringList({"0101001　市1の1　町1"}));
  Prefectures()->setCurrentRow(49);
  Cities()->setCurrentRow(1);
  Close();
  QCOMPARE(ToHex(ReadBytes(Folder().File("fuken.DAT"))), ToHex(before));
  QVERIFY(Platform().Messages().isEmpty());

  OpenWindow();
  QCOMPARE(Prefectures()->FirstSelectedRow(), 0);
  QCOMPARE(Lines(Cities()), QStringList({"市1の1", "市1の2"}));
}

void DamagedDataTest::hugeRecordCountShowsOneMessageAndEmptyLists() {
  WriteDataFiles(Folder().Path(), GridEntries(2, 1, 1));
  // 1,000,001 prefecture records: more than any rebuild writes. The file stays sparse.
  QVERIFY(QFile::resize(Folder().File("fuken.DAT"), qint64(18) * 1000001));
  OpenWindow();
  QCOMPARE(Platform().Messages(),
           QStringList({QStringLiteral("データファイルが壊れています。郵便番号ファイル更新でデータを作り直してください。")}));
  QCOMPARE(Prefectures()->count(), 0);
  QCOMPARE(Cities()->count(), 0);
  QCOMPARE(Towns()->count(), 0);
  Close();
  QCOMPARE(QFile(Folder().File("fuken.DAT")).size(), qint64(18) * 1000001);
  QCOMPARE(Platform().Messages().size(), 1);
}

void DamagedDataTest::readOnlyDataIsBrowsedAndClosingWritesNothing() {
  if (::geteuid() == 0) QSKIP("root writes whatever the permissions say");
  WriteDataFiles(Folder().Path(), GridEntries(47, 2, 1));
  for (const char* name : kDataFiles)
    QVERIFY(QFile::setPermissions(Folder().File(name), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
  const QByteArray before = ReadBytes(Folder().File("fuken.DAT"));
  OpenWindow();
  QCOMPARE(Prefectures()->count(), 47);
  Prefectures()->setCurrentRow(2);
  Cities()->setCurrentRow(1);
  QCOMPARE(Lines(Towns()), QStringList({"0302001　市3の2　町1"}));
  Close();
  QCOMPARE(ReadBytes(Folder().File("fuken.DAT")), before);
  QVERIFY(Platform().Messages().isEmpty());
}

// A journal crafted by another account would have the recovery remove data files:
// the window changes nothing, opens nothing and says why.
void DamagedDataTest::swapThatCannotBeSettledOpensNothingAndSaysWhy() {
  WriteDataFiles(Folder().Path(), GridEntries(3, 1, 1));
  const QList<QByteArray> before = DataFileBytes(Folder().Path());
  WriteBytes(Folder().File("mirabo.journal"),
             "mirabo data-file swap 1\nfuken.DAT none\ncity.DAT none\nubinno.dat none\nubinind.dat none\nend\n");
  WriteBytes(Folder().File("city.DAT.new"), "stray");
  OpenWindow();
  QCOMPARE(Platform().Messages(),
           QStringList({QStringLiteral("データの更新が途中で止まっています（フォルダ: %1、理由: 残っているファイルでは"
                                       "一組のデータにそろいません）。データファイルは開きません。")
                            .arg(QDir::toNativeSeparators(QDir(Folder().Path()).absolutePath()))}));
  QCOMPARE(Prefectures()->count(), 0);
  QCOMPARE(Window().Data.EntryCount, 0);
  Close();
  QCOMPARE(DataFileBytes(Folder().Path()), before);
  QVERIFY(QFile::exists(Folder().File("mirabo.journal")));
}

}  // namespace mirabo

QTEST_MAIN(mirabo::DamagedDataTest)
#include "damaged_data_test.moc"
