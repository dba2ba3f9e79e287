// The update button through the real window: reload on success, nothing lost on refusal.
#include <QDir>
#include <QPushButton>
#include <QtTest>

#include "WindowFixture.h"
#include "support/FaultyFileOps.h"
#include "update/DataFolderLock.h"
#include "update/Rebuild.h"
#include "window/ExtentList.h"

namespace {

QByteArray SmallNationalFile() {
  return KenAllLine("0600000", "北海道", "札幌市中央区", "以下に掲載がない場合") + KenAllLine("0640941", "北海道", "札幌市中央区", "旭ケ丘") +
         KenAllLine("0400000", "北海道", "函館市", "以下に掲載がない場合") + KenAllLine("1000001", "東京都", "千代田区", "千代田");
}

}  // namespace

class RebuildWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void updateButtonReloadsTheWindow();
  void missingFileKeepsDataAndWindow();
  void malformedFileKeepsDataAndWindow();
  void secondClickDuringARebuildIsIgnored();
  void rebuildRunningElsewhereIsRefused();
  void startAfterAKilledSwapShowsTheOldData();
};

void RebuildWindowTest::updateButtonReloadsTheWindow() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), GridEntries(47, 3, 2));
  WriteSavedSelection(folder.Path(), 5, 2);
  WriteBytes(folder.File("KEN_ALL.CSV"), SmallNationalFile());
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  const QSize startSize = window.size();
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  window.move(40, 30);
  window.resize(startSize.width() + 20, startSize.height() + 150);
  QTRY_COMPARE(window.height(), startSize.height() + 150);
  QCOMPARE(window.List1->FirstSelectedRow(), 5);

  window.Command3->click();
  // 47 x 3 x 2 grid entries, each its own code, all gone; four new codes.
  QCOMPARE(platform.Messages(),
           QStringList({"更新しました。追加 4 件、廃止 282 件（郵便番号 4 件が新設、282 件が廃止）"}));
  QCOMPARE(Lines(window.List1), QStringList({"北海道  ", "東京都  "}));
  QCOMPARE(window.List1->FirstSelectedRow(), 0);
  QCOMPARE(Lines(window.List2), QStringList({"札幌市中央区", "函館市"}));
  QCOMPARE(window.List2->FirstSelectedRow(), 0);
  QCOMPARE(Lines(window.List3),
           QStringList({"0600000　札幌市中央区　以下に掲載がない場合", "0640941　札幌市中央区　旭ケ丘"}));
  QCOMPARE(window.Data.IndexCount, 4);
  QTRY_COMPARE(window.pos(), QPoint(0, 0));
  QTRY_COMPARE(window.size(), startSize);
  QCOMPARE(platform.calls.filter("busy|"), QStringList({"busy|1", "busy|0"}));
}

void RebuildWindowTest::missingFileKeepsDataAndWindow() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), GridEntries(3, 3, 2));
  const QList<QByteArray> before = DataFileBytes(folder.Path());
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  window.List1->setCurrentRow(2);
  window.List2->setCurrentRow(1);
  const QStringList towns = Lines(window.List3);

  window.Command3->click();
  QCOMPARE(platform.Messages().size(), 1);
  QVERIFY(platform.calls.filter("message|").first().startsWith("message|郵便番号ファイル更新|"));
  QVERIFY(platform.Messages().first().contains("KEN_ALL.CSV"));
  QVERIFY(platform.Messages().first().contains(QDir::toNativeSeparators(QDir(folder.Path()).absolutePath())));
  QCOMPARE(DataFileBytes(folder.Path()), before);
  QCOMPARE(window.List1->FirstSelectedRow(), 2);
  QCOMPARE(window.List2->FirstSelectedRow(), 1);
  QCOMPARE(Lines(window.List3), towns);
  QCOMPARE(window.Data.EntryCount, 18);
  window.List2->setCurrentRow(0);  // still browsing the old data
  QCOMPARE(window.List3->item(0)->text(), QString("0301001　市3の1　町1"));
}

void RebuildWindowTest::malformedFileKeepsDataAndWindow() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), GridEntries(3, 3, 2));
  const QList<QByteArray> before = DataFileBytes(folder.Path());
  QByteArray third = KenAllLine("0400000", "北海道", "函館市", "以下に掲載がない場合");
  third.replace(",0,0,0,0,0,0\r\n", ",0,0,0,0,0\r\n");  // the third row loses a value
  const QByteArray csv = KenAllLine("0600000", "北海道", "札幌市中央区", "以下に掲載がない場合") +
                         KenAllLine("0640941", "北海道", "札幌市中央区", "旭ケ丘") + third + KenAllLine("1000001", "東京都", "千代田区", "千代田");
  WriteBytes(folder.File("KEN_ALL.CSV"), csv);
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());

  window.Command3->click();
  QCOMPARE(platform.Messages().size(), 1);
  QVERIFY2(platform.Messages().first().contains("3 行目"), qPrintable(platform.Messages().first()));
  QCOMPARE(DataFileBytes(folder.Path()), before);
  QCOMPARE(window.List1->count(), 3);
}

void RebuildWindowTest::secondClickDuringARebuildIsIgnored() {
  TempFolder folder;
  WriteBytes(folder.File("KEN_ALL.CSV"), SmallNationalFile());
  RecordingPlatform platform;
  platform.forwardEvents = true;
  frmMirabo window(platform, folder.Path());
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  bool poked = false;
  platform.onEvents = [&] {
    if (poked) return;
    poked = true;
    window.Command3->click();
    QTest::mouseClick(window.Command3, Qt::LeftButton);
  };
  window.Command3->click();
  QVERIFY(poked);
  QCOMPARE(platform.calls.filter("busy|"), QStringList({"busy|1", "busy|0"}));
  QCOMPARE(window.List1->count(), 2);
}

void RebuildWindowTest::rebuildRunningElsewhereIsRefused() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), GridEntries(3, 3, 2));
  WriteBytes(folder.File("KEN_ALL.CSV"), SmallNationalFile());
  const QList<QByteArray> before = DataFileBytes(folder.Path());
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  const DataFolderLock other(QFile::encodeName(folder.File("mirabo.lock")).toStdString(), SystemFileOps());
  QVERIFY(other.Held());

  window.Command3->click();
  QCOMPARE(platform.Messages(),
           QStringList({QStringLiteral("別の郵便番号ファイル更新が実行中です（フォルダ: %1）。データは変更していません。")
                            .arg(QDir::toNativeSeparators(QDir(folder.Path()).absolutePath()))}));
  QCOMPARE(DataFileBytes(folder.Path()), before);
  QCOMPARE(window.List1->count(), 3);
  QCOMPARE(window.Data.EntryCount, 18);
}

void RebuildWindowTest::startAfterAKilledSwapShowsTheOldData() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), GridEntries(3, 3, 2));
  const QList<QByteArray> before = DataFileBytes(folder.Path());
  WriteBytes(folder.File("KEN_ALL.CSV"), SmallNationalFile());
  FaultyFileOps ops;
  ops.KillAtStep(10);  // two data files are new, one of them moved aside
  RecordingPlatform platform;
  QVERIFY_THROWS_EXCEPTION(ProcessKilled,
                           RebuildDataFiles(folder.Path(), folder.File("KEN_ALL.CSV"), platform, {}, ops));
  QVERIFY(DataFileBytes(folder.Path()) != before);

  frmMirabo window(platform, folder.Path());
  QCOMPARE(DataFileBytes(folder.Path()), before);
  QVERIFY(!QFile::exists(folder.File("mirabo.journal")));
  QCOMPARE(window.List1->count(), 3);
  QCOMPARE(window.Data.EntryCount, 18);
}

QTEST_MAIN(RebuildWindowTest)
#include "rebuild_window_test.moc"
