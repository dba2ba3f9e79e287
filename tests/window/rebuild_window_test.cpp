// The update button through the real window: reload on success, nothing lost on refusal.
#include <QDir>
#include <QPushButton>
#include <QTest>

#include "support/FaultyFileOps.h"
#include "update/store/DataFolderLock.h"
#include "update/Rebuild.h"
#include "window/ExtentList.h"
#include "window/WindowTest.h"

namespace mirabo {

namespace {

// Four rows; the third one is `third` when given.
QByteArray SmallNationalFile(const QByteArray& third = {}) {
  return KenAllLine("0600000", "北海道", "札幌市中央区", "以下に掲載がない場合") +
         KenAllLine("0640941", "北海道", "札幌市中央区", "旭ケ丘") +
         (third.isEmpty() ? KenAllLine("0400000", "北海道", "函館市", "以下に掲載がない場合") : third) +
         KenAllLine("1000001", "東京都", "千代田区", "千代田");
}

}  // namespace

class RebuildWindowTest : public WindowTest {
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
  WriteDataFiles(Folder().Path(), GridEntries(47, 3, 2));
  WriteSavedSelection(Folder().Path(), 5, 2);
  WriteBytes(Folder().File("KEN_ALL.CSV"), SmallNationalFile());
  frmMirabo& window = OpenWindow();
  const QSize startSize = window.size();
  QVERIFY(ShowWindow());
  window.move(40, 30);
  window.resize(startSize.width() + 20, startSize.height() + 150);
  QTRY_COMPARE(window.height(), startSize.height() + 150);
  QCOMPARE(Prefectures()->FirstSelectedRow(), 5);

  Control<QPushButton>("Command3")->click();
  // 47 x 3 x 2 grid entries, each its own code, all gone; four new codes.
  QCOMPARE(Platform().Messages(),
           QStringList({"更新しました。追加 4 件、廃止 282 件、変更 0 件（郵便番号 4 件が新設、282 件が廃止）"}));
  QCOMPARE(Lines(Prefectures()), QStringList({"北海道  ", "東京都  "}));
  QCOMPARE(Prefectures()->FirstSelectedRow(), 0);
  QCOMPARE(Lines(Cities()), QStringList({"札幌市中央区", "函館市"}));
  QCOMPARE(Cities()->FirstSelectedRow(), 0);
  QCOMPARE(Lines(Towns()),
           QStringList({"0600000　札幌市中央区　以下に掲載がない場合", "0640941　札幌市中央区　旭ケ丘"}));
  QCOMPARE(window.Data.IndexCount, 4);
  QTRY_COMPARE(window.pos(), QPoint(0, 0));
  QTRY_COMPARE(window.size(), startSize);
  QCOMPARE(Platform().calls.filter("busy|"), QStringList({"busy|1", "busy|0"}));
}

void RebuildWindowTest::missingFileKeepsDataAndWindow() {
  WriteDataFiles(Folder().Path(), GridEntries(3, 3, 2));
  const QList<QByteArray> before = DataFileBytes(Folder());
  const frmMirabo& window = OpenWindow();
  Prefectures()->setCurrentRow(2);
  Cities()->setCurrentRow(1);
  const QStringList towns = Lines(Towns());

  Control<QPushButton>("Command3")->click();
  QCOMPARE(Platform().Messages().size(), 1);
  QVERIFY(Platform().calls.filter("message|").first().startsWith("message|郵便番号ファイル更新|"));
  QVERIFY(Platform().Messages().first().contains("KEN_ALL.CSV"));
  QVERIFY(Platform().Messages().first().contains(QDir::toNativeSeparators(QDir(Folder().Path()).absolutePath())));
  QCOMPARE(DataFileBytes(Folder()), before);
  QCOMPARE(Prefectures()->FirstSelectedRow(), 2);
  QCOMPARE(Cities()->FirstSelectedRow(), 1);
  QCOMPARE(Lines(Towns()), towns);
  QCOMPARE(window.Data.EntryCount, 18);
  Cities()->setCurrentRow(0);  // still browsing the old data
  QCOMPARE(Towns()->item(0)->text(), QString("0301001　市3の1　町1"));
}

void RebuildWindowTest::malformedFileKeepsDataAndWindow() {
  WriteDataFiles(Folder().Path(), GridEntries(3, 3, 2));
  const QList<QByteArray> before = DataFileBytes(Folder());
  QByteArray third = KenAllLine("0400000", "北海道", "函館市", "以下に掲載がない場合");
  third.replace(",0,0,0,0,0,0\r\n", ",0,0,0,0,0\r\n");  // the third row loses a value
  WriteBytes(Folder().File("KEN_ALL.CSV"), SmallNationalFile(third));
  OpenWindow();

  Control<QPushButton>("Command3")->click();
  QCOMPARE(Platform().Messages().size(), 1);
  QVERIFY2(Platform().Messages().first().contains("3 行目"), qPrintable(Platform().Messages().first()));
  QCOMPARE(DataFileBytes(Folder()), before);
  QCOMPARE(Prefectures()->count(), 3);
}

void RebuildWindowTest::secondClickDuringARebuildIsIgnored() {
  WriteBytes(Folder().File("KEN_ALL.CSV"), SmallNationalFile());
  Platform().forwardEvents = true;
  QVERIFY(ShowWindow());
  bool poked = false;
  Platform().onEvents = [&] {
    if (poked) return;
    poked = true;
    Control<QPushButton>("Command3")->click();
    QTest::mouseClick(Control<QPushButton>("Command3"), Qt::LeftButton);
  };
  Control<QPushButton>("Command3")->click();
  QVERIFY(poked);
  QCOMPARE(Platform().calls.filter("busy|"), QStringList({"busy|1", "busy|0"}));
  QCOMPARE(Prefectures()->count(), 2);
}

void RebuildWindowTest::rebuildRunningElsewhereIsRefused() {
  WriteDataFiles(Folder().Path(), GridEntries(3, 3, 2));
  WriteBytes(Folder().File("KEN_ALL.CSV"), SmallNationalFile());
  const QList<QByteArray> before = DataFileBytes(Folder());
  const frmMirabo& window = OpenWindow();
  const DataFolderLock other(QFile::encodeName(Folder().File("mirabo.lock")).toStdString(), SystemFileOps());
  QVERIFY(other.Held());

  Control<QPushButton>("Command3")->click();
  QCOMPARE(Platform().Messages(),
           QStringList({QStringLiteral("別の郵便番号ファイル更新が実行中です（フォルダ: %1）。データは変更していません。")
                            .arg(QDir::toNativeSeparators(QDir(Folder().Path()).absolutePath()))}));
  QCOMPARE(DataFileBytes(Folder()), before);
  QCOMPARE(Prefectures()->count(), 3);
  QCOMPARE(window.Data.EntryCount, 18);
}

void RebuildWindowTest::startAfterAKilledSwapShowsTheOldData() {
  WriteDataFiles(Folder().Path(), GridEntries(3, 3, 2));
  const QList<QByteArray> before = DataFileBytes(Folder());
  WriteBytes(Folder().File("KEN_ALL.CSV"), SmallNationalFile());
  FaultyFileOps ops;
  ops.KillAtStep(10);  // two data files are new, one of them moved aside
  QVERIFY_THROWS_EXCEPTION(ProcessKilled,
                           RebuildDataFiles(Folder().Path(), Folder().File("KEN_ALL.CSV"), {.files = &ops}));
  QVERIFY(DataFileBytes(Folder()) != before);

  const frmMirabo& window = OpenWindow();
  QCOMPARE(DataFileBytes(Folder()), before);
  QVERIFY(!QFile::exists(Folder().File("mirabo.journal")));
  QCOMPARE(Prefectures()->count(), 3);
  QCOMPARE(window.Data.EntryCount, 18);
}

}  // namespace mirabo

QTEST_MAIN(mirabo::RebuildWindowTest)
#include "rebuild_window_test.moc"
