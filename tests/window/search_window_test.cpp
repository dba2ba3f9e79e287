// Both searches through the real main window: result lines, limit, beeps, focus, busy input.
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include "WindowFixture.h"
#include "window/ExtentList.h"

namespace {

QList<PrefSpec> TokyoAndOsaka() {
  return {{"東京都", {{"千代田区", {{"1000001", "千代田"}, {"1000005", "丸の内"}}}, {"港区", {{"1050011", "芝公園"}}}}},
          {"大阪府", {{"大阪市北区", {{"5300001", "梅田"}, {"1000005", "同じ番号"}}}}}};
}

}  // namespace

class SearchWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void codeTypedWithHyphenInEitherWidth_data();
  void codeTypedWithHyphenInEitherWidth();
  void rejectedCharacterIsRemovedWithABeep();
  void nothingFoundLeavesOnlyTheCountLine();
  void emptyBoxBeepsAndChangesNothing();
  void textCleanedToNothingStopsWithOneBeep();
  void singleDigitStopsAtTheLimit();
  void addressSearchListsInRecordOrder();
  void focusReturnsToTheSearchBox();
  void clicksDuringASearchAreIgnored();
};

void SearchWindowTest::codeTypedWithHyphenInEitherWidth_data() {
  QTest::addColumn<QString>("typed");
  QTest::newRow("half-width") << "100-0005";
  QTest::newRow("full-width") << "１００－０００５";
}

void SearchWindowTest::codeTypedWithHyphenInEitherWidth() {
  QFETCH(QString, typed);
  TempFolder folder;
  WriteDataFiles(folder.Path(), EntriesOf(TokyoAndOsaka()));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  window.Text1->setText(typed);
  QTest::mouseClick(window.Command2, Qt::LeftButton);

  const QString pad80 = QString(90 - 6, u' ');
  QCOMPARE(Lines(window.List3),
           QStringList({"1000005　東京都　千代田区　丸の内" + pad80 + "2",
                        "1000005　大阪府　大阪市北区　同じ番号" + QString(90 - 8, u' ') + "5",
                        "    ＊＊＊＊  2 件 見つかりました　＊＊＊＊"}));
  QVERIFY(window.FromSearch);
  QVERIFY(window.Text1->text().isEmpty());
  QCOMPARE(platform.Count("beep"), 0);  // the hyphen goes without a beep
  // Widest text: 大阪府 + 大阪市北区 + 同じ番号 = 12 characters; (12 + 7) * 225 / 15.
  QCOMPARE(window.List3->HorizontalExtent(), 285);
  QCOMPARE(platform.calls.count("busy|1"), 1);
  QCOMPARE(platform.calls.filter("busy|").last(), QString("busy|0"));
}

void SearchWindowTest::rejectedCharacterIsRemovedWithABeep() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), EntriesOf(TokyoAndOsaka()));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  window.Text1->setText("105ー0011");  // the long-vowel mark is no hyphen
  QTest::mouseClick(window.Command2, Qt::LeftButton);
  QCOMPARE(platform.Count("beep"), 1);
  QCOMPARE(window.List3->count(), 2);
  QVERIFY(window.List3->item(0)->text().startsWith("1050011　東京都　港区　芝公園"));
  QVERIFY(window.Text1->text().isEmpty());
}

void SearchWindowTest::nothingFoundLeavesOnlyTheCountLine() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), EntriesOf(TokyoAndOsaka()));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  window.Text1->setText("1000001.");  // a full stop stays in the key
  QTest::mouseClick(window.Command2, Qt::LeftButton);
  QCOMPARE(Lines(window.List3), QStringList({"    ＊＊＊＊  0 件 見つかりました　＊＊＊＊"}));
  QCOMPARE(platform.Count("beep"), 1);
  QCOMPARE(window.List3->HorizontalExtent(), 105);  // (0 + 7) * 225 / 15
  QVERIFY(window.Text1->text().isEmpty());
}

void SearchWindowTest::emptyBoxBeepsAndChangesNothing() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), EntriesOf(TokyoAndOsaka()));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  const QStringList before = Lines(window.List3);
  QTest::mouseClick(window.Command2, Qt::LeftButton);
  window.Text1->setText("   ");
  QTest::mouseClick(window.Command4, Qt::LeftButton);
  QCOMPARE(platform.Count("beep"), 2);
  QCOMPARE(Lines(window.List3), before);
  QVERIFY(!window.FromSearch);
  QCOMPARE(platform.calls.count("busy|1"), 0);
}

void SearchWindowTest::textCleanedToNothingStopsWithOneBeep() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), EntriesOf(TokyoAndOsaka()));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  const QStringList before = Lines(window.List3);
  window.Text1->setText("ａ");  // one rejected character, once mapped to half-width
  QTest::mouseClick(window.Command2, Qt::LeftButton);
  QCOMPARE(platform.Count("beep"), 1);
  QCOMPARE(Lines(window.List3), before);  // no listing of every code
  QVERIFY(window.Text1->text().isEmpty());
  QCOMPARE(platform.calls.count("busy|1"), 0);
}

void SearchWindowTest::singleDigitStopsAtTheLimit() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), GridEntries(1, 10, 250));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  window.Text1->setText("0");
  QTest::mouseClick(window.Command2, Qt::LeftButton);
  QCOMPARE(window.List3->count(), 2001);
  QCOMPARE(window.List3->item(2000)->text(), QString("    ＊＊＊＊  2000 件 見つかりました　＊＊＊＊"));
  QCOMPARE(platform.Messages(), QStringList({"件数が多いので絞り込んで再度検索して下さい。"}));
  // The list is scrolled to its end.
  QVERIFY(window.List3->verticalScrollBar()->value() == window.List3->verticalScrollBar()->maximum());
}

void SearchWindowTest::addressSearchListsInRecordOrder() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), EntriesOf(TokyoAndOsaka()));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  window.Text1->setText(" 区芝 ");  // spans the end of a city and the start of its town
  QTest::mouseClick(window.Command4, Qt::LeftButton);
  QCOMPARE(window.List3->count(), 2);
  QVERIFY(window.List3->item(0)->text().endsWith(" 3"));
  window.Text1->setText("区");
  QTest::mouseClick(window.Command4, Qt::LeftButton);
  QStringList numbers;
  for (int i = 0; i + 1 < window.List3->count(); ++i) numbers << window.List3->item(i)->text().section(u' ', -1);
  QCOMPARE(numbers, QStringList({"1", "2", "3", "4", "5"}));
  QCOMPARE(platform.Count("beep"), 0);
}

void SearchWindowTest::focusReturnsToTheSearchBox() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), EntriesOf(TokyoAndOsaka()));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  window.show();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  QTRY_VERIFY(window.Text1->hasFocus());

  window.List1->setFocus();
  QVERIFY(!window.Text1->hasFocus());
  QVERIFY(window.Timer1->isActive());
  QCOMPARE(window.Timer1->interval(), 500);
  QTest::qWait(300);
  QVERIFY(!window.Text1->hasFocus());
  QTRY_VERIFY_WITH_TIMEOUT(window.Text1->hasFocus(), 1000);
  QVERIFY(!window.Timer1->isActive());
}

void SearchWindowTest::clicksDuringASearchAreIgnored() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), GridEntries(2, 2, 30));
  RecordingPlatform platform;
  platform.forwardEvents = true;
  frmMirabo window(platform, folder.Path());
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  int pokes = 0;
  platform.onEvents = [&] {
    if (pokes++ != 3) return;
    QTest::mouseClick(window.Command4, Qt::LeftButton);
    QTest::mouseClick(window.Command3, Qt::LeftButton);
    QTest::mouseClick(window.List1->viewport(), Qt::LeftButton, {}, window.List1->visualItemRect(window.List1->item(1)).center());
    window.Command2->click();
  };
  window.Text1->setText("01");
  QTest::mouseClick(window.Command2, Qt::LeftButton);
  platform.onEvents = nullptr;

  QCOMPARE(platform.calls.count("busy|1"), 1);
  QCOMPARE(window.List3->count(), 61);
  QCOMPARE(window.List1->FirstSelectedRow(), 0);
  QVERIFY(!window.IsBusy());
  // Afterwards the window takes input again.
  window.Text1->setText("02");
  QTest::mouseClick(window.Command2, Qt::LeftButton);
  QCOMPARE(window.List3->count(), 61);
  QVERIFY(window.List3->item(0)->text().startsWith("02"));
}

QTEST_MAIN(SearchWindowTest)
#include "search_window_test.moc"
