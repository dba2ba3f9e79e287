// The window as people use it on a desktop: focus beside other programs, clicking the
// chosen line again, Enter and the arrow keys in the search box, codes as people write them.
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "WindowFixture.h"
#include "window/ExtentList.h"

namespace {

QList<PrefSpec> TwoPrefectures() {
  return {{"東京都", {{"千代田区", {{"1000001", "千代田"}, {"1000005", "丸の内"}}}, {"港区", {{"1050011", "芝公園"}}}}},
          {"大阪府", {{"大阪市北区", {{"5300001", "梅田"}, {"5300002", "曽根崎"}}}}}};
}

const QString kPad(90, u' ');
QString SearchLine(const QString& head, int headTownLength, int record) {
  return head + kPad.left(90 - 2 * headTownLength) + QString::number(record);
}

void ClickRow(ExtentList* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
  QTest::keyClick(widget, key, modifiers);
}

}  // namespace

class DesktopUseTest : public QObject {
  Q_OBJECT

 private slots:
  void leavingForAnotherProgramStartsNoTimerAndTakesNothingBack();
  void timerRunningWhenTheWindowIsLeftWaitsForTheReturn();
  void clickingTheSelectedCityBrowsesItAgain();
  void clickingTheSelectedPrefectureListsItsCitiesAgain();
  void enterSearchesAsTheMatchingButton_data();
  void enterSearchesAsTheMatchingButton();
  void enterInAnEmptyBoxDoesNothing();
  void enterConfirmingACompositionDoesNotSearch();
  void arrowKeysMoveTheResultSelectionAndCopy();
  void codesAsPeopleWriteThem_data();
  void codesAsPeopleWriteThem();
};

// Another program's window stands in for an editor the user switches to.
void DesktopUseTest::leavingForAnotherProgramStartsNoTimerAndTakesNothingBack() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), EntriesOf(TwoPrefectures()));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  window.show();
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  QTRY_VERIFY(window.Text1->hasFocus());

  QWidget other;
  other.setFocusPolicy(Qt::StrongFocus);
  other.show();
  other.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&other));
  QVERIFY(!window.Timer1->isActive());
  QTest::qWait(1200);  // more than two ticks' worth
  QCOMPARE(QApplication::activeWindow(), &other);
  QVERIFY(!window.Timer1->isActive());

  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  QTRY_VERIFY(window.Text1->hasFocus());
  QVERIFY(!window.Timer1->isActive());
}

// Focus in a list, then the user leaves: the ticks do nothing until the window is back,
// and then the search box gets the focus.
void DesktopUseTest::timerRunningWhenTheWindowIsLeftWaitsForTheReturn() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), EntriesOf(TwoPrefectures()));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  window.show();
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  window.List1->setFocus(Qt::MouseFocusReason);
  QVERIFY(window.Timer1->isActive());

  QWidget other;
  other.show();
  other.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&other));
  QTest::qWait(1200);
  QCOMPARE(QApplication::activeWindow(), &other);
  QVERIFY(!window.Text1->hasFocus());

  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  QTRY_VERIFY_WITH_TIMEOUT(window.Text1->hasFocus(), 1000);
  QVERIFY(!window.Timer1->isActive());
}

void DesktopUseTest::clickingTheSelectedCityBrowsesItAgain() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), EntriesOf(TwoPrefectures()));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  ClickRow(window.List2, 1);  // 港区
  window.Text1->setText("千代田");
  QTest::mouseClick(window.Command4, Qt::LeftButton);
  QVERIFY(window.FromSearch);
  QCOMPARE(window.List2->FirstSelectedRow(), 1);

  ClickRow(window.List2, 1);
  QVERIFY(!window.FromSearch);
  QCOMPARE(Lines(window.List3), QStringList({"1050011　港区　芝公園"}));
  QCOMPARE(window.ShownFirstEntry, 3);
  // The first line of the city's towns copies that town's code.
  ClickRow(window.List3, 0);
  QCOMPARE(platform.clipboard, QString("105-0011"));
}

void DesktopUseTest::clickingTheSelectedPrefectureListsItsCitiesAgain() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), EntriesOf(TwoPrefectures()));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCOMPARE(window.List1->FirstSelectedRow(), 0);
  QCOMPARE(window.List2->FirstSelectedRow(), 0);

  ClickRow(window.List1, 0);
  // The prefecture's cities are listed afresh, without a chosen city.
  QCOMPARE(Lines(window.List2), QStringList({"千代田区", "港区"}));
  QCOMPARE(window.List2->FirstSelectedRow(), -1);
  ClickRow(window.List2, 0);
  QCOMPARE(window.List3->count(), 2);
  QVERIFY(!window.FromSearch);
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
  TempFolder folder;
  WriteDataFiles(folder.Path(), EntriesOf(TwoPrefectures()));

  RecordingPlatform byButton;
  frmMirabo clicked(byButton, folder.Path());
  clicked.Text1->setText(typed);
  QTest::mouseClick(clicked.findChild<QPushButton*>(button), Qt::LeftButton);

  RecordingPlatform byKey;
  frmMirabo entered(byKey, folder.Path());
  entered.Text1->setText(typed);
  PressKey(entered.Text1, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);

  QVERIFY(entered.FromSearch);
  QCOMPARE(Lines(entered.List3), Lines(clicked.List3));
  QCOMPARE(byKey.calls, byButton.calls);
  QVERIFY(entered.Text1->text().isEmpty());
}

void DesktopUseTest::enterInAnEmptyBoxDoesNothing() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), EntriesOf(TwoPrefectures()));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  const QStringList before = Lines(window.List3);
  const QStringList callsBefore = platform.calls;
  PressKey(window.Text1, Qt::Key_Return);
  PressKey(window.Text1, Qt::Key_Enter, Qt::KeypadModifier);
  QCOMPARE(Lines(window.List3), before);
  QVERIFY(!window.FromSearch);
  QCOMPARE(platform.calls, callsBefore);  // not even a beep
}

// An input method confirms its composition with Enter; Qt passes that on as an
// input-method event, which must not search.
void DesktopUseTest::enterConfirmingACompositionDoesNotSearch() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), EntriesOf(TwoPrefectures()));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  const QStringList before = Lines(window.List3);
  const QStringList callsBefore = platform.calls;
  QInputMethodEvent composing(QStringLiteral("きたく"), {});
  QCoreApplication::sendEvent(window.Text1, &composing);
  QInputMethodEvent committed;
  committed.setCommitString(QStringLiteral("北区"));
  QCoreApplication::sendEvent(window.Text1, &committed);

  QCOMPARE(window.Text1->text(), QString("北区"));
  QCOMPARE(Lines(window.List3), before);
  QVERIFY(!window.FromSearch);
  QCOMPARE(platform.calls, callsBefore);
}

// Type, Enter, Down: the first result is selected and copied; the keys move on from there.
void DesktopUseTest::arrowKeysMoveTheResultSelectionAndCopy() {
  TempFolder folder;
  WriteDataFiles(folder.Path(), GridEntries(1, 1, 40));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QTest::keyClicks(window.Text1, "0101");
  PressKey(window.Text1, Qt::Key_Return);
  QCOMPARE(window.List3->count(), 41);  // 40 lines and the count line

  PressKey(window.Text1, Qt::Key_Down);
  QCOMPARE(window.List3->FirstSelectedRow(), 0);
  QCOMPARE(platform.clipboard, QString("010-1001"));
  PressKey(window.Text1, Qt::Key_Down);
  QCOMPARE(platform.clipboard, QString("010-1002"));
  PressKey(window.Text1, Qt::Key_Up);
  QCOMPARE(platform.clipboard, QString("010-1001"));
  PressKey(window.Text1, Qt::Key_Up);  // already at the top: nothing moves, nothing copies again
  QCOMPARE(window.List3->FirstSelectedRow(), 0);
  QCOMPARE(platform.calls.filter("clipboard|").size(), 3);

  PressKey(window.Text1, Qt::Key_PageDown);
  const int page = window.List3->FirstSelectedRow();
  QVERIFY2(page > 1 && page < 40, qPrintable(QString::number(page)));
  QCOMPARE(platform.clipboard, QString("010-1%1").arg(page + 1, 3, 10, QChar(u'0')));
  PressKey(window.Text1, Qt::Key_PageUp);
  QCOMPARE(window.List3->FirstSelectedRow(), 0);
  QCOMPARE(platform.clipboard, QString("010-1001"));
  QVERIFY(window.Text1->hasFocus() || !window.isActiveWindow());  // the keys never moved the focus
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
  TempFolder folder;
  WriteDataFiles(folder.Path(), EntriesOf(TwoPrefectures()));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  window.Text1->setText(typed);
  QTest::mouseClick(window.Command2, Qt::LeftButton);
  QCOMPARE(Lines(window.List3), QStringList({SearchLine("5300001　大阪府　大阪市北区　梅田", 2, 4),
                                             "    ＊＊＊＊  1 件 見つかりました　＊＊＊＊"}));
  QCOMPARE(platform.Count("beep"), beeps);
}

QTEST_MAIN(DesktopUseTest)
#include "desktop_use_test.moc"
