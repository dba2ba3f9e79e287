// The window as people use it on a desktop: focus beside other programs, clicking the
// chosen line again, Enter and the arrow keys in the search box, codes as people write them.
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTest>

#include "window/ExtentList.h"
#include "window/WindowTest.h"

namespace mirabo {

namespace {

QList<PrefData> TwoPrefectures() {
  return {{"東京都", {{"千代田区", {{"1000001", "千代田"}, {"1000005", "丸の内"}}}, {"港区", {{"1050011", "芝公園"}}}}},
          {"大阪府", {{"大阪市北区", {{"5300001", "梅田"}, {"5300002", "曽根崎"}}}}}};
}

const QString kPad(90, u' ');
QString SearchLine(const QString& head, int headTownLength, int record) {
  return head + kPad.left(90 - 2 * headTownLength) + QString::number(record);
}

void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
  QTest::keyClick(widget, key, modifiers);
}

}  // namespace

class DesktopUseTest : public WindowTest {
  Q_OBJECT

 private slots:
  void leavingForAnotherProgramStartsNoTimerAndTakesNothingBack();
  void timerRunningWhenTheWindowIsLeftWaitsForTheReturn();
  void clickingTheSelectedCityBrowsesItAgain();
  void clickingTheSelectedPrefectureListsItsCitiesAgain();
  void aListFilledAgainShowsItsFirstLine();
  void enterSearchesAsTheMatchingButton_data();
  void enterSearchesAsTheMatchingButton();
  void enterInAnEmptyBoxDoesNothing();
  void enterConfirmingACompositionDoesNotSearch();
  void arrowKeysMoveTheResultSelectionAndCopy();
  void codesAsPeopleWriteThem_data();
  void codesAsPeopleWriteThem();
  void theIconThemesIconFollowsTheFirstPaint();

 private:
  // Two prefectures, unless a test writes its own data before it opens the window.
  void Prepare() override { WriteDataFiles(Folder().Path(), EntriesOf(TwoPrefectures())); }
  // Shows the window and waits until it is the active one.
  bool Activate();
  QTimer* Timer() const { return Control<QTimer>("Timer1"); }
};

bool DesktopUseTest::Activate() {
  Window().show();
  Window().activateWindow();
  return QTest::qWaitForWindowActive(&Window());
}

// Another program's window stands in for an editor the user switches to.
void DesktopUseTest::leavingForAnotherProgramStartsNoTimerAndTakesNothingBack() {
  OpenWindow();
  QVERIFY(Activate());
  QTRY_VERIFY(SearchBox()->hasFocus());

  QWidget other;
  other.setFocusPolicy(Qt::StrongFocus);
  other.show();
  other.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&other));
  QVERIFY(!Timer()->isActive());
  QTest::qWait(1200);  // more than two ticks' worth
  QCOMPARE(QApplication::activeWindow(), &other);
  QVERIFY(!Timer()->isActive());

  QVERIFY(Activate());
  QTRY_VERIFY(SearchBox()->hasFocus());
  QVERIFY(!Timer()->isActive());
}

// Focus in a list, then the user leaves: the ticks do nothing until the window is back,
// and then the search box gets the focus.
void DesktopUseTest::timerRunningWhenTheWindowIsLeftWaitsForTheReturn() {
  OpenWindow();
  QVERIFY(Activate());
  Prefectures()->setFocus(Qt::MouseFocusReason);
  QVERIFY(Timer()->isActive());

  QWidget other;
  other.show();
  other.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&other));
  QTest::qWait(1200);
  QCOMPARE(QApplication::activeWindow(), &other);
  QVERIFY(!SearchBox()->hasFocus());

  QVERIFY(Activate());
  QTRY_VERIFY_WITH_TIMEOUT(SearchBox()->hasFocus(), 1000);
  QVERIFY(!Timer()->isActive());
}

void DesktopUseTest::clickingTheSelectedCityBrowsesItAgain() {
  QVERIFY(ShowWindow());
  ExtentList* cities = Cities();
  ClickRow(cities, 1);  // 港区
  SearchBox()->setText("千代田");
  QTest::mouseClick(Control<QPushButton>("Command4"), Qt::LeftButton);
  QVERIFY(Window().Browsing.FromSearch);
  QCOMPARE(cities->FirstSelectedRow(), 1);

  ClickRow(cities, 1);
  QVERIFY(!Window().Browsing.FromSearch);
  QCOMPARE(Lines(Towns()), QStringList({"1050011　港区　芝公園"}));
  QCOMPARE(Window().Browsing.ShownFirstEntry, 3);
  // The first line of the city's towns copies that town's code.
  ClickRow(Towns(), 0);
  QCOMPARE(Platform().clipboard, QString("105-0011"));
}

// A search leaves the result list scrolled to its count line; the city's towns listed
// in its place begin at their first line, as a list cleared and filled anew does.
void DesktopUseTest::aListFilledAgainShowsItsFirstLine() {
  QList<TownData> towns;
  for (int i = 0; i < 20; ++i) towns.append({QStringLiteral("10000%1").arg(i, 2, 10, QChar(u'0')), QStringLiteral("町")});
  WriteDataFiles(Folder().Path(), EntriesOf({{"東京都", {{"千代田区", towns}}}}));
  QVERIFY(ShowWindow());
  SearchBox()->setText("千代田");
  QTest::mouseClick(Control<QPushButton>("Command4"), Qt::LeftButton);
  QTRY_VERIFY(Towns()->verticalScrollBar()->value() > 0);

  ClickRow(Cities(), 0);
  QVERIFY(!Window().Browsing.FromSearch);
  QCOMPARE(Towns()->count(), 20);
  QCOMPARE(Towns()->verticalScrollBar()->value(), 0);
  QTest::qWait(50);  // and still there once the list has been laid out
  QCOMPARE(Towns()->verticalScrollBar()->value(), 0);
  QCOMPARE(Towns()->indexAt(QPoint(2, 2)).row(), 0);
}

void DesktopUseTest::clickingTheSelectedPrefectureListsItsCitiesAgain() {
  QVERIFY(ShowWindow());
  ExtentList* prefectures = Prefectures();
  ExtentList* cities = Cities();
  QCOMPARE(prefectures->FirstSelectedRow(), 0);
  QCOMPARE(cities->FirstSelectedRow(), 0);

  ClickRow(prefectures, 0);
  // The prefecture's cities are listed afresh, without a chosen city.
  QCOMPARE(Lines(cities), QStringList({"千代田区", "港区"}));
  QCOMPARE(cities->FirstSelectedRow(), -1);
  ClickRow(cities, 0);
  QCOMPARE(Towns()->count(), 2);
  QVERIFY(!Window().Browsing.FromSearch);
}

void DesktopUseTest::enterSearchesAsTheMatchingButton_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("button");
  QTest::addColumn<Qt::Key>("key");
  QTest::newRow("code, Return") << "530" << "Command2" << Qt::Key_Return;
  QTest::newRow("code with postal mark and spaces, keypad Enter") << "〒 530-0001 " << "Command2" << Qt::Key_Enter;
  QTest::newRow("full-width code") << "〒５３０－０００１" << "Command2" << Qt::Key_Return;
  QTest::newRow("place name") << "北区" << "Command4" << Qt::Key_Return;
  QTest::newRow("digits and a letter go to the address search") << "530a" << "Command4" << Qt::Key_Return;
}

// Enter gives the same lines, beeps and cleared box as the button would.
void DesktopUseTest::enterSearchesAsTheMatchingButton() {
  QFETCH(QString, typed);
  QFETCH(QString, button);
  QFETCH(Qt::Key, key);
  RecordingPlatform byButton;
  frmMirabo clicked(byButton, Folder().Path());
  FindControl<QLineEdit>(clicked, "Text1")->setText(typed);
  QTest::mouseClick(FindControl<QPushButton>(clicked, qPrintable(button)), Qt::LeftButton);

  const frmMirabo& entered = OpenWindow();
  SearchBox()->setText(typed);
  PressKey(SearchBox(), key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);

  QVERIFY(entered.Browsing.FromSearch);
  QCOMPARE(Lines(Towns()), Lines(FindControl<ExtentList>(clicked, "List3")));
  QCOMPARE(Platform().calls, byButton.calls);
  QVERIFY(SearchBox()->text().isEmpty());
}

void DesktopUseTest::enterInAnEmptyBoxDoesNothing() {
  OpenWindow();
  const QStringList before = Lines(Towns());
  const QStringList callsBefore = Platform().calls;
  PressKey(SearchBox(), Qt::Key_Return);
  PressKey(SearchBox(), Qt::Key_Enter, Qt::KeypadModifier);
  QCOMPARE(Lines(Towns()), before);
  QVERIFY(!Window().Browsing.FromSearch);
  QCOMPARE(Platform().calls, callsBefore);  // not even a beep
}

// An input method confirms its composition with Enter; Qt passes that on as an
// input-method event, which must not search.
void DesktopUseTest::enterConfirmingACompositionDoesNotSearch() {
  OpenWindow();
  const QStringList before = Lines(Towns());
  const QStringList callsBefore = Platform().calls;
  QInputMethodEvent composing(QStringLiteral("きたく"), {});
  QCoreApplication::sendEvent(SearchBox(), &composing);
  QInputMethodEvent committed;
  committed.setCommitString(QStringLiteral("北区"));
  QCoreApplication::sendEvent(SearchBox(), &committed);

  QCOMPARE(SearchBox()->text(), QString("北区"));
  QCOMPARE(Lines(Towns()), before);
  QVERIFY(!Window().Browsing.FromSearch);
  QCOMPARE(Platform().calls, callsBefore);
}

// Type, Enter, Down: the first result is selected and copied; the keys move on from there.
void DesktopUseTest::arrowKeysMoveTheResultSelectionAndCopy() {
  WriteDataFiles(Folder().Path(), GridEntries(1, 1, 40));
  QVERIFY(ShowWindow());
  QLineEdit* box = SearchBox();
  ExtentList* results = Towns();
  QTest::keyClicks(box, "0101");
  PressKey(box, Qt::Key_Return);
  QCOMPARE(results->count(), 41);  // 40 lines and the count line

  PressKey(box, Qt::Key_Down);
  QCOMPARE(results->FirstSelectedRow(), 0);
  QCOMPARE(Platform().clipboard, QString("010-1001"));
  PressKey(box, Qt::Key_Down);
  QCOMPARE(Platform().clipboard, QString("010-1002"));
  PressKey(box, Qt::Key_Up);
  QCOMPARE(Platform().clipboard, QString("010-1001"));
  PressKey(box, Qt::Key_Up);  // already at the top: nothing moves, nothing copies again
  QCOMPARE(results->FirstSelectedRow(), 0);
  QCOMPARE(Platform().calls.filter("clipboard|").size(), 3);

  PressKey(box, Qt::Key_PageDown);
  const int page = results->FirstSelectedRow();
  QVERIFY2(page > 1 && page < 40, qPrintable(QString::number(page)));
  QCOMPARE(Platform().clipboard, QString("010-1%1").arg(page + 1, 3, 10, QChar(u'0')));
  PressKey(box, Qt::Key_PageUp);
  QCOMPARE(results->FirstSelectedRow(), 0);
  QCOMPARE(Platform().clipboard, QString("010-1001"));
  QVERIFY(box->hasFocus() || !Window().isActiveWindow());  // the keys never moved the focus
}

void DesktopUseTest::codesAsPeopleWriteThem_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<int>("beeps");
  QTest::newRow("postal mark") << "〒530-0001" << 1;
  QTest::newRow("leading space") << " 530-0001" << 1;
  QTest::newRow("full-width with postal mark") << "〒５３０－０００１" << 1;
  QTest::newRow("leading hyphen") << "-5300001" << 0;
  QTest::newRow("spaces all through") << "530 - 0001 " << 1;
}

void DesktopUseTest::codesAsPeopleWriteThem() {
  QFETCH(QString, typed);
  QFETCH(int, beeps);
  OpenWindow();
  SearchBox()->setText(typed);
  QTest::mouseClick(Control<QPushButton>("Command2"), Qt::LeftButton);
  QCOMPARE(Lines(Towns()), QStringList({SearchLine("5300001　大阪府　大阪市北区　梅田", 2, 4),
                                          "    ＊＊＊＊  1 件 見つかりました　＊＊＊＊"}));
  QCOMPARE(Platform().Count("beep"), beeps);
}

// An icon theme that has the program's icon gives the window its icon once the window
// has been painted; until then the window has the one it draws itself.
void DesktopUseTest::theIconThemesIconFollowsTheFirstPaint() {
  const QString theme = Folder().Path() + QStringLiteral("icons/mirabo-test/");
  QVERIFY(QDir().mkpath(theme + QStringLiteral("48x48/apps")));
  QFile index(theme + QStringLiteral("index.theme"));
  QVERIFY(index.open(QIODevice::WriteOnly));
  index.write("[Icon Theme]\nName=mirabo-test\nDirectories=48x48/apps\n\n[48x48/apps]\nSize=48\nType=Fixed\n");
  index.close();
  QImage image(48, 48, QImage::Format_ARGB32);
  image.fill(Qt::blue);
  QVERIFY(image.save(theme + QStringLiteral("48x48/apps/org.mirabo.Mirabo.png")));
  const QStringList searchPaths = QIcon::themeSearchPaths();
  const QString themeName = QIcon::themeName();
  QIcon::setThemeSearchPaths({Folder().Path() + QStringLiteral("icons")});
  QIcon::setThemeName(QStringLiteral("mirabo-test"));

  OpenWindow();
  const bool drawnFirst = Window().windowIcon().name().isEmpty();
  QVERIFY(ShowWindow());
  const bool themeAfter = QTest::qWaitFor([&] { return Window().windowIcon().name() == u"org.mirabo.Mirabo"; });
  QIcon::setThemeSearchPaths(searchPaths);
  QIcon::setThemeName(themeName);
  QVERIFY(drawnFirst);
  QVERIFY(themeAfter);
}

}  // namespace mirabo

QTEST_MAIN(mirabo::DesktopUseTest)
#include "desktop_use_test.moc"
