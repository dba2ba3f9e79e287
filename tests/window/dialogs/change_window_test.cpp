// The rebuild's closing message, the change window and the help menu item that opens it.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "window/dialogs/ChangeWindow.h"
#include "window/WindowTest.h"

namespace mirabo {

namespace {

const QByteArray kFirst = KenAllLine("0600000", "北海道", "札幌市", "以下に掲載がない場合") +
                          KenAllLine("0640941", "北海道", "札幌市", "旭ケ丘") +
                          KenAllLine("1000001", "東京都", "千代田区", "千代田") +
                          KenAllLine("1000005", "東京都", "千代田区", "丸の内");
// 旭ケ丘 renamed; 千代田 and its code gone; two new codes in Tokyo.
const QByteArray kSecond = KenAllLine("0600000", "北海道", "札幌市", "以下に掲載がない場合") +
                           KenAllLine("0640941", "北海道", "札幌市", "新旭ケ丘") +
                           KenAllLine("1000005", "東京都", "千代田区", "丸の内") +
                           KenAllLine("1000002", "東京都", "千代田区", "皇居外苑") +
                           KenAllLine("1000003", "東京都", "千代田区", "一ツ橋");

QStringList TableRows(const QTableView* table) {
  QStringList rows;
  const QAbstractItemModel* model = table->model();
  for (int r = 0; r < model->rowCount(); ++r) {
    QStringList fields;
    for (int c = 0; c < model->columnCount(); ++c) fields << model->index(r, c).data().toString();
    rows << fields.join(u'|');
  }
  return rows;
}

const QStringList kAllRows{"変更|064-0941|北海道|札幌市|旭ケ丘 → 新旭ケ丘", "廃止|100-0001|東京都|千代田区|千代田",
                           "追加|100-0002|東京都|千代田区|皇居外苑", "追加|100-0003|東京都|千代田区|一ツ橋"};

}  // namespace

class ChangeWindowTest : public WindowTest {
  Q_OBJECT

 private slots:
  void firstImportSaysSoWithoutAList();
  void rebuildWithChangesCountsThemAndOffersTheList();
  void listButtonOpensThePairedRows();
  void filtersAndCopyWorkOnTheShownRows();
  void menuItemOpensTheReportOfAnEarlierRebuild();

 private:
  QAction* ChangesItem() const { return Control<QAction>("mChanges"); }
  void Rebuild() { Control<QPushButton>("Command3")->click(); }
  // A window that has rebuilt from kFirst, over a folder whose national file is now kSecond.
  frmMirabo& RebuiltFromTheFirstEdition() {
    WriteBytes(Folder().File("KEN_ALL.CSV"), kFirst);
    frmMirabo& window = OpenWindow();
    Rebuild();
    WriteBytes(Folder().File("KEN_ALL.CSV"), kSecond);
    return window;
  }
};

void ChangeWindowTest::firstImportSaysSoWithoutAList() {
  WriteBytes(Folder().File("KEN_ALL.CSV"), kFirst);
  OpenWindow();
  QVERIFY(!ChangesItem()->isEnabled());
  QCOMPARE(ChangesItem()->text(), QString("前回の更新での変更(&R)"));
  QVERIFY(Control<QMenu>("mmhelp")->actions().contains(ChangesItem()));

  Rebuild();
  QCOMPARE(Platform().Messages(),
           QStringList({"更新しました。初めての取り込みです（比べる前回のデータがないため、変更一覧はありません）。"}));
  QCOMPARE(Platform().calls.filter("button|").size(), 0);
  QVERIFY(!ChangesItem()->isEnabled());
}

void ChangeWindowTest::rebuildWithChangesCountsThemAndOffersTheList() {
  frmMirabo& window = RebuiltFromTheFirstEdition();
  Platform().calls.clear();

  Rebuild();
  QCOMPARE(Platform().calls.filter(QRegularExpression("^(message|button)\\|")),
           QStringList({"message|郵便番号ファイル更新|更新しました。追加 2 件、廃止 1 件、変更 1 件（郵便番号 2 件が新設、1 件が廃止）",
                        "button|変更一覧を表示"}));
  QVERIFY(ChangesItem()->isEnabled());
  QVERIFY(!window.findChild<ChangeWindow*>());  // OK was chosen
  QCOMPARE(window.Data.EntryCount, 5);
}

void ChangeWindowTest::listButtonOpensThePairedRows() {
  frmMirabo& window = RebuiltFromTheFirstEdition();
  Platform().pressMessageButton = true;

  Rebuild();
  auto* changes = window.findChild<ChangeWindow*>();
  QVERIFY(changes);
  QVERIFY(changes->isVisible());
  QCOMPARE(TableRows(changes->Table), kAllRows);
  // The closing message counted those rows kind by kind.
  QVERIFY(Platform().Messages().last().contains("追加 2 件、廃止 1 件、変更 1 件"));
  QCOMPARE(changes->CountLabel->text(), QString("4 件を表示（全 4 件）"));
  QStringList headings;
  for (int c = 0; c < 5; ++c) headings << changes->Table->model()->headerData(c, Qt::Horizontal).toString();
  QCOMPARE(headings, QStringList({"区分", "郵便番号", "都道府県", "市区町村", "町域"}));
}

void ChangeWindowTest::filtersAndCopyWorkOnTheShownRows() {
  frmMirabo& window = RebuiltFromTheFirstEdition();
  Rebuild();
  ChangesItem()->trigger();
  auto* changes = window.findChild<ChangeWindow*>();
  QVERIFY(changes);

  QCOMPARE(changes->PrefFilter->count(), 3);
  QCOMPARE(changes->PrefFilter->itemText(0), QString("すべての都道府県"));
  changes->PrefFilter->setCurrentIndex(changes->PrefFilter->findText("東京都"));
  QCOMPARE(TableRows(changes->Table), kAllRows.mid(1));
  QTest::keyClicks(changes->TextFilter, "100000");
  QCOMPARE(TableRows(changes->Table), kAllRows.mid(1));
  QTest::keyClicks(changes->TextFilter, "2");
  QCOMPARE(TableRows(changes->Table), QStringList({kAllRows[2]}));
  QCOMPARE(changes->CountLabel->text(), QString("1 件を表示（全 4 件）"));

  QTest::mouseClick(changes->CopyButton, Qt::LeftButton);
  QCOMPARE(Platform().clipboard, QString("区分\t郵便番号\t都道府県\t市区町村\t町域\n追加\t100-0002\t東京都\t千代田区\t皇居外苑\n"));

  changes->TextFilter->clear();
  changes->PrefFilter->setCurrentIndex(0);
  QCOMPARE(TableRows(changes->Table), kAllRows);
  // Opening it again shows the report afresh, filters reset.
  changes->TextFilter->setText("旭");
  ChangesItem()->trigger();
  QCOMPARE(window.findChildren<ChangeWindow*>().size(), 1);
  QCOMPARE(changes->TextFilter->text(), QString());
  QCOMPARE(TableRows(changes->Table), kAllRows);
}

void ChangeWindowTest::menuItemOpensTheReportOfAnEarlierRebuild() {
  WriteDataFiles(Folder().Path(), GridEntries(1, 1, 1));
  WriteBytes(Folder().File("CHANGES.TSV"), "区分\t郵便番号\t都道府県\t市区町村\t町域\n廃止\t0101001\t県01\t市1の1\t町0\n"
                                         "追加\t0101001\t県01\t市1の1\t町1\n");
  frmMirabo& window = OpenWindow();
  QVERIFY(ChangesItem()->isEnabled());
  ChangesItem()->trigger();
  auto* changes = window.findChild<ChangeWindow*>();
  QVERIFY(changes);
  QCOMPARE(TableRows(changes->Table), QStringList({"変更|010-1001|県01|市1の1|町0 → 町1"}));

  // A damaged report says which line, and opens nothing new.
  WriteBytes(Folder().File("CHANGES.TSV"), "区分\n");
  changes->close();
  ChangesItem()->trigger();
  QCOMPARE(Platform().Messages(), QStringList({"「CHANGES.TSV」の 1 行目が読めません。"}));
  QVERIFY(!changes->isVisible());
  // A report removed meanwhile turns the item off when the menu opens.
  QFile::remove(Folder().File("CHANGES.TSV"));
  emit Control<QMenu>("mmhelp")->aboutToShow();
  QVERIFY(!ChangesItem()->isEnabled());
}

}  // namespace mirabo

QTEST_MAIN(mirabo::ChangeWindowTest)
#include "change_window_test.moc"
