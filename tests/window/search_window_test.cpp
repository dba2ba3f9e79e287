// Both searches through the real main window: result lines, limit, beeps, focus, busy input.
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTest>

#include "support/TestText.h"
#include "window/ExtentList.h"
#include "window/WindowTest.h"

namespace mirabo {

namespace {

QList<PrefData> TokyoAndOsaka() {
  return {{"東京都", {{"千代田区", {{"1000001", "千代田"}, {"1000005", "丸の内"}}}, {"港区", {{"1050011", "芝公園"}}}}},
          {"大阪府", {{"大阪市北区", {{"5300001", "梅田"}, {"1000005", "同じ番号"}}}}}};
}

}  // namespace

class SearchWindowTest : public WindowTest {
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
  void textNotFoundIsReadAsAnAddress();
  void readingShowsTheTopOfItsCandidates();
  void focusReturnsToTheSearchBox();
  void clicksDuringASearchAreIgnored();

 private:
  // Tokyo and Osaka, unless a test writes its own data before it opens the window.
  void Prepare() override { WriteDataFiles(Folder().Path(), EntriesOf(TokyoAndOsaka())); }
  // Types `text` and clicks the code search button (Command2) or the address one (Command4).
  void Search(const char* button, const QString& text) {
    SearchBox()->setText(text);
    QTest::mouseClick(Control<QPushButton>(button), Qt::LeftButton);
  }
};

void SearchWindowTest::codeTypedWithHyphenInEitherWidth_data() {
  QTest::addColumn<QString>("typed");
  QTest::newRow("half-width") << "100-0005";
  QTest::newRow("full-width") << "１００－０００５";
}

void SearchWindowTest::codeTypedWithHyphenInEitherWidth() {
  QFETCH(QString, typed);
  const frmMirabo& window = OpenWindow();
  Search("Command2", typed);

  const QString pad80 = QString(90 - 6, u' ');
  QCOMPARE(Lines(Towns()), QStringList({"1000005　東京都　千代田区　丸の内" + pad80 + "2",
                                          "1000005　大阪府　大阪市北区　同じ番号" + QString(90 - 8, u' ') + "5",
                                          "    ＊＊＊＊  2 件 見つかりました　＊＊＊＊"}));
  QVERIFY(window.Browsing.FromSearch);
  QVERIFY(SearchBox()->text().isEmpty());
  QCOMPARE(Platform().Count("beep"), 0);  // the hyphen goes without a beep
  // Widest text: 大阪府 + 大阪市北区 + 同じ番号 = 12 characters; (12 + 7) * 225 / 15.
  QCOMPARE(Towns()->HorizontalExtent(), 285);
  QCOMPARE(Platform().calls.count("busy|1"), 1);
  QCOMPARE(Platform().calls.filter("busy|").last(), QString("busy|0"));
}

void SearchWindowTest::rejectedCharacterIsRemovedWithABeep() {
  OpenWindow();
  Search("Command2", "105ー0011");  // the long-vowel mark is no hyphen
  QCOMPARE(Platform().Count("beep"), 1);
  QCOMPARE(Towns()->count(), 2);
  QVERIFY(Towns()->item(0)->text().startsWith("1050011　東京都　港区　芝公園"));
  QVERIFY(SearchBox()->text().isEmpty());
}

void SearchWindowTest::nothingFoundLeavesOnlyTheCountLine() {
  OpenWindow();
  Search("Command2", "1000001.");  // a full stop stays in the key
  QCOMPARE(Lines(Towns()), QStringList({"    ＊＊＊＊  0 件 見つかりました　＊＊＊＊"}));
  QCOMPARE(Platform().Count("beep"), 1);
  QCOMPARE(Towns()->HorizontalExtent(), 105);  // (0 + 7) * 225 / 15
  QVERIFY(SearchBox()->text().isEmpty());
}

void SearchWindowTest::emptyBoxBeepsAndChangesNothing() {
  const frmMirabo& window = OpenWindow();
  const QStringList before = Lines(Towns());
  Search("Command2", "");
  Search("Command4", "   ");
  QCOMPARE(Platform().Count("beep"), 2);
  QCOMPARE(Lines(Towns()), before);
  QVERIFY(!window.Browsing.FromSearch);
  QCOMPARE(Platform().calls.count("busy|1"), 0);
}

void SearchWindowTest::textCleanedToNothingStopsWithOneBeep() {
  OpenWindow();
  const QStringList before = Lines(Towns());
  Search("Command2", "ａ");  // one rejected character, once mapped to half-width
  QCOMPARE(Platform().Count("beep"), 1);
  QCOMPARE(Lines(Towns()), before);  // no listing of every code
  QVERIFY(SearchBox()->text().isEmpty());
  QCOMPARE(Platform().calls.count("busy|1"), 0);
}

void SearchWindowTest::singleDigitStopsAtTheLimit() {
  WriteDataFiles(Folder().Path(), GridEntries(1, 10, 250));
  OpenWindow();
  Search("Command2", "0");
  QCOMPARE(Towns()->count(), 2001);
  QCOMPARE(Towns()->item(2000)->text(), QString("    ＊＊＊＊  2000 件 見つかりました　＊＊＊＊"));
  QCOMPARE(Platform().Messages(), QStringList({"件数が多いので絞り込んで再度検索して下さい。"}));
  // The list is scrolled to its end.
  QVERIFY(Towns()->verticalScrollBar()->value() == Towns()->verticalScrollBar()->maximum());
}

void SearchWindowTest::addressSearchListsInRecordOrder() {
  OpenWindow();
  Search("Command4", " 区芝 ");  // spans the end of a city and the start of its town
  QCOMPARE(Towns()->count(), 2);
  QVERIFY(Towns()->item(0)->text().endsWith(" 3"));
  Search("Command4", "区");
  QStringList numbers;
  for (int i = 0; i + 1 < Towns()->count(); ++i) numbers << Towns()->item(i)->text().section(u' ', -1);
  QCOMPARE(numbers, QStringList({"1", "2", "3", "4", "5"}));
  QCOMPARE(Platform().Count("beep"), 0);
}

void SearchWindowTest::textNotFoundIsReadAsAnAddress() {
  OpenWindow();
  Search("Command4", U("東京都千代田区 丸の内１－９－１ 丸の内ビル3F"));
  QCOMPARE(Towns()->count(), 3);
  QVERIFY(Towns()->item(0)->text().startsWith(U("1000005　東京都　千代田区　丸の内")));
  QVERIFY(Towns()->item(0)->text().endsWith(" 2"));
  QCOMPARE(Lines(Towns()).mid(1), QStringList({U("住所として解釈しました"), U("    ＊＊＊＊  1 件 見つかりました　＊＊＊＊")}));
  Search("Command4", U("港区芝"));  // found as text: listed as before, without the note
  QCOMPARE(Towns()->count(), 2);
  QVERIFY(!Lines(Towns()).contains(U("住所として解釈しました")));
}

void SearchWindowTest::readingShowsTheTopOfItsCandidates() {
  WriteDataFiles(Folder().Path(), GridEntries(1, 30, 1));  // the town "町1" in 30 cities
  OpenWindow();
  Search("Command4", U("町 1"));
  QCOMPARE(Towns()->count(), 22);  // 20 candidates at most, the note and the count line
  QVERIFY(Towns()->item(0)->text().endsWith(" 1"));
  QCOMPARE(Towns()->item(21)->text(), U("    ＊＊＊＊  20 件 見つかりました　＊＊＊＊"));
  QVERIFY(Towns()->verticalScrollBar()->maximum() > 0);
  QCOMPARE(Towns()->verticalScrollBar()->value(), 0);
}

void SearchWindowTest::focusReturnsToTheSearchBox() {
  frmMirabo& window = OpenWindow();
  window.show();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  QTRY_VERIFY(SearchBox()->hasFocus());

  const QTimer* timer = Control<QTimer>("Timer1");
  Prefectures()->setFocus();
  QVERIFY(!SearchBox()->hasFocus());
  QVERIFY(timer->isActive());
  QCOMPARE(timer->interval(), 500);
  QTest::qWait(300);
  QVERIFY(!SearchBox()->hasFocus());
  QTRY_VERIFY_WITH_TIMEOUT(SearchBox()->hasFocus(), 1000);
  QVERIFY(!timer->isActive());
}

void SearchWindowTest::clicksDuringASearchAreIgnored() {
  WriteDataFiles(Folder().Path(), GridEntries(2, 2, 30));
  Platform().forwardEvents = true;
  QVERIFY(ShowWindow());
  ExtentList* prefectures = Prefectures();
  int pokes = 0;
  Platform().onEvents = [&] {
    if (pokes++ != 3) return;
    QTest::mouseClick(Control<QPushButton>("Command4"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>("Command3"), Qt::LeftButton);
    ClickRow(prefectures, 1);
    Control<QPushButton>("Command2")->click();
  };
  Search("Command2", "01");
  Platform().onEvents = nullptr;

  QCOMPARE(Platform().calls.count("busy|1"), 1);
  QCOMPARE(Towns()->count(), 61);
  QCOMPARE(prefectures->FirstSelectedRow(), 0);
  QVERIFY(!Window().IsBusy());
  // Afterwards the window takes input again.
  Search("Command2", "02");
  QCOMPARE(Towns()->count(), 61);
  QVERIFY(Towns()->item(0)->text().startsWith("02"));
}

}  // namespace mirabo

QTEST_MAIN(mirabo::SearchWindowTest)
#include "search_window_test.moc"
