// Copying result lines to the clipboard through the real window, and the option panels.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include "window/ExtentList.h"
#include "window/WindowTest.h"

namespace mirabo {

namespace {

// One city of twelve entries, codes 1000001..1000012, in a second prefecture's list.
QList<PrefData> TwoPrefectures() {
  CityData chiyoda{"千代田区", {}};
  for (int i = 1; i <= 12; ++i) chiyoda.towns.push_back({QStringLiteral("10000%1").arg(i, 2, 10, QChar(u'0')), QStringLiteral("町%1").arg(i)});
  return {{"北海道", {{"札幌市", {{"0600000", "以下に掲載がない場合"}}}}},
          {"東京都", {chiyoda, {"港区", {{"105", "短い番号"}}}}}};
}

}  // namespace

// A right-click on line `row`, as the mouse gives it: press, release, then the menu event.
void RightClickRow(QListWidget* list, int row) {
  const QPoint at = list->visualItemRect(list->item(row)).center();
  QTest::mouseClick(list->viewport(), Qt::RightButton, {}, at);
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
  QCoreApplication::sendEvent(list->viewport(), &event);
}

class CopyWindowTest : public WindowTest {
  Q_OBJECT

 private slots:
  void clickOnABrowsedLineCopiesItsCode();
  void tenthBrowsedLineIsTheTenthEntry();
  void clickOnASearchLineCopiesTheEntryItNames();
  void doubleClickCopiesTheSameTextTwice();
  void copyButtonAndAltCCopyAgain();
  void noSelectionOrCountLineLeavesTheClipboardAlone();
  void shortCodeWithHyphenEndsWithTheHyphen();
  void addressOptionsShapeTheText();
  void modeSwitchesPanelsAndKeepsTheirChoices();
  void menuItemCopiesTheLineUnderTheMouse_data();
  void menuItemCopiesTheLineUnderTheMouse();
  void menuCodeAndAddressFollowTheirPanels();
  void menuKeyOpensTheSelectedLinesMenu();
  void ctrlCCopiesAsTheCopyButtonDoes();
  void noticeSaysWhatWasCopiedThenGoes();

 private:
  void Prepare() override;
};

void CopyWindowTest::Prepare() {
  WriteDataFiles(Folder().Path(), EntriesOf(TwoPrefectures()));
  QVERIFY(ShowWindow());
  Prefectures()->setCurrentRow(1);
  Cities()->setCurrentRow(0);
  QCOMPARE(Towns()->count(), 12);
  QVERIFY(!Platform().clipboardWritten);
}

void CopyWindowTest::clickOnABrowsedLineCopiesItsCode() {
  ClickRow(Towns(), 0);
  QCOMPARE(Platform().calls.filter("clipboard|"), QStringList({"clipboard|100-0001"}));
}

void CopyWindowTest::tenthBrowsedLineIsTheTenthEntry() {
  QCOMPARE(Window().Browsing.ShownFirstEntry, 2);
  ClickRow(Towns(), 9);
  QCOMPARE(Platform().clipboard, QString("100-0010"));  // entry ShownFirstEntry + 9 = 11
}

void CopyWindowTest::clickOnASearchLineCopiesTheEntryItNames() {
  SearchBox()->setText("1000003");
  Control<QPushButton>("Command2")->click();
  QCOMPARE(Towns()->count(), 2);
  QVERIFY(Towns()->item(0)->text().endsWith(" 4"));  // a one-digit record number
  ClickRow(Towns(), 0);
  QCOMPARE(Platform().clipboard, QString("100-0003"));
  QCOMPARE(Window().Browsing.ShownFirstEntry, 1);
}

void CopyWindowTest::doubleClickCopiesTheSameTextTwice() {
  ExtentList* list = Towns();
  const QPoint centre = list->visualItemRect(list->item(4)).center();
  // As a real double-click arrives: press, release, double-click, release.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centre);
  QCOMPARE(Platform().calls.filter("clipboard|"), QStringList({"clipboard|100-0005", "clipboard|100-0005"}));
}

void CopyWindowTest::copyButtonAndAltCCopyAgain() {
  ClickRow(Towns(), 2);
  Control<QRadioButton>("Option3")->setChecked(true);  // full width: takes effect at the next copy
  QCOMPARE(Platform().clipboard, QString("100-0003"));
  QTest::mouseClick(Control<QPushButton>("Command1"), Qt::LeftButton);
  QCOMPARE(Platform().clipboard, QString("１００－０００３"));
  Control<QRadioButton>("Option5")->setChecked(true);
  Window().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&Window()));
  QTest::keyClick(Window().windowHandle(), Qt::Key_C, Qt::AltModifier);  // through the shortcut map
  QTRY_COMPARE(Platform().clipboard, QString("１０００００３"));  // the button is pressed with a short animation
  QCOMPARE(Platform().calls.filter("clipboard|").size(), 3);
}

void CopyWindowTest::noSelectionOrCountLineLeavesTheClipboardAlone() {
  Control<QPushButton>("Command1")->click();  // a browsed list with nothing picked
  QVERIFY(!Platform().clipboardWritten);
  SearchBox()->setText("100");
  Control<QPushButton>("Command2")->click();
  QCOMPARE(Towns()->count(), 13);
  ClickRow(Towns(), 12);  // the count line
  QVERIFY(!Platform().clipboardWritten);
  Towns()->clearSelection();
  Control<QPushButton>("Command1")->click();
  QVERIFY(!Platform().clipboardWritten);
}

void CopyWindowTest::shortCodeWithHyphenEndsWithTheHyphen() {
  Cities()->setCurrentRow(1);
  ClickRow(Towns(), 0);
  QCOMPARE(Platform().clipboard, QString("105-"));
}

void CopyWindowTest::addressOptionsShapeTheText() {
  Control<QRadioButton>("Option2")->setChecked(true);
  ClickRow(Towns(), 0);
  QCOMPARE(Platform().clipboard, QString("千代田区 町1"));
  Control<QRadioButton>("Option7")->setChecked(true);
  Control<QPushButton>("Command1")->click();
  QCOMPARE(Platform().clipboard, QString("東京都 千代田区 町1"));
  Control<QRadioButton>("Option10")->setChecked(true);
  Control<QPushButton>("Command1")->click();
  QCOMPARE(Platform().clipboard, QString("東京都千代田区町1"));
  Control<QRadioButton>("Option8")->setChecked(true);
  Control<QPushButton>("Command1")->click();
  QCOMPARE(Platform().clipboard, QString("千代田区町1"));
}

void CopyWindowTest::modeSwitchesPanelsAndKeepsTheirChoices() {
  const QRect place = Control<QGroupBox>("Frame2")->geometry();
  Control<QRadioButton>("Option3")->setChecked(true);
  Control<QRadioButton>("Option2")->setChecked(true);
  QVERIFY(Control<QGroupBox>("Frame2")->isHidden());
  QVERIFY(!Control<QGroupBox>("Frame5")->isHidden());
  QCOMPARE(Control<QGroupBox>("Frame5")->geometry(), place);
  Control<QRadioButton>("Option7")->setChecked(true);
  Control<QRadioButton>("Option1")->setChecked(true);
  QVERIFY(!Control<QGroupBox>("Frame2")->isHidden());
  QVERIFY(Control<QGroupBox>("Frame5")->isHidden());
  QCOMPARE(Control<QGroupBox>("Frame2")->geometry(), place);
  QVERIFY(Control<QRadioButton>("Option3")->isChecked());
  QVERIFY(Control<QRadioButton>("Option7")->isChecked());
  QVERIFY(!Platform().clipboardWritten);  // switching copies nothing
}

void CopyWindowTest::menuItemCopiesTheLineUnderTheMouse_data() {
  QTest::addColumn<QString>("item");
  QTest::addColumn<QString>("expected");
  QTest::newRow("code") << "mCopyCode" << "100-0005";
  QTest::newRow("address") << "mCopyAddress" << "千代田区 町5";
  QTest::newRow("envelope") << "mCopyEnvelope" << "〒100-0005　東京都千代田区町5";
  QTest::newRow("envelope on two lines") << "mCopyEnvelopeLines" << "〒100-0005\r\n東京都千代田区町5";
}

void CopyWindowTest::menuItemCopiesTheLineUnderTheMouse() {
  QFETCH(QString, item);
  QFETCH(QString, expected);
  ClickRow(Towns(), 1);
  Platform().calls.clear();
  RightClickRow(Towns(), 4);
  auto* menu = Control<QMenu>("List3Menu");
  QTRY_VERIFY(menu->isVisible());
  QCOMPARE(Towns()->FirstSelectedRow(), 1);  // the right-click chose and copied nothing
  QVERIFY(Platform().calls.isEmpty());
  QAction* action = Control<QAction>(item.toLatin1().constData());
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
  QCOMPARE(Platform().calls.filter("clipboard|"), QStringList({"clipboard|" + expected}));
}

// Whatever the mode, the menu's code and address take the formats of their own panels;
// the count line has no menu.
void CopyWindowTest::menuCodeAndAddressFollowTheirPanels() {
  Control<QRadioButton>("Option3")->setChecked(true);   // full-width digits
  Control<QRadioButton>("Option10")->setChecked(true);  // no spaces
  Control<QRadioButton>("Option2")->setChecked(true);   // the mode: address
  RightClickRow(Towns(), 0);
  Control<QAction>("mCopyCode")->trigger();
  QCOMPARE(Platform().clipboard, QString("１００－０００１"));
  Control<QAction>("mCopyAddress")->trigger();
  QCOMPARE(Platform().clipboard, QString("千代田区町1"));
  Control<QMenu>("List3Menu")->hide();
  SearchBox()->setText("1000001");
  Control<QPushButton>("Command2")->click();
  RightClickRow(Towns(), 1);  // the count line
  QTest::qWait(50);
  QVERIFY(!Control<QMenu>("List3Menu")->isVisible());
}

// The Menu key goes to the focused control, the search box, which hands it to the list.
void CopyWindowTest::menuKeyOpensTheSelectedLinesMenu() {
  SearchBox()->setText("1000007");
  Control<QPushButton>("Command2")->click();
  QTest::keyClick(SearchBox(), Qt::Key_Down);  // selects and copies the first result
  QContextMenuEvent key(QContextMenuEvent::Keyboard, {}, {});
  QCoreApplication::sendEvent(SearchBox(), &key);
  QTRY_VERIFY(Control<QMenu>("List3Menu")->isVisible());
  Control<QAction>("mCopyEnvelope")->trigger();
  QCOMPARE(Platform().calls.filter("clipboard|"), QStringList({"clipboard|100-0007", "clipboard|〒100-0007　東京都千代田区町7"}));
}

void CopyWindowTest::ctrlCCopiesAsTheCopyButtonDoes() {
  Control<QRadioButton>("Option2")->setChecked(true);
  Control<QRadioButton>("Option7")->setChecked(true);
  ClickRow(Towns(), 3);
  QTest::keyClick(Towns(), Qt::Key_C, Qt::ControlModifier);
  Control<QPushButton>("Command1")->click();
  QCOMPARE(Platform().calls.filter("clipboard|"), QStringList(3, "clipboard|東京都 千代田区 町4"));
  QTest::keyClick(Prefectures(), Qt::Key_C, Qt::ControlModifier);  // its line: "東京都  "
  QCOMPARE(Platform().clipboard, QString("東京都"));
  QTest::keyClick(Cities(), Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(Platform().clipboard, QString("千代田区"));
}

// The note lies over the result list, which keeps its place, and goes after two seconds.
void CopyWindowTest::noticeSaysWhatWasCopiedThenGoes() {
  auto* note = Control<QLabel>("CopyNotice");
  const QRect list = Towns()->geometry();
  QVERIFY(!note->isVisible());
  RightClickRow(Towns(), 5);
  Control<QAction>("mCopyEnvelopeLines")->trigger();  // the two lines shown as one
  QVERIFY(note->isVisible());
  QCOMPARE(note->text(), QString("コピーしました: 〒100-0006 東京都千代田区町6"));
  QVERIFY(Towns()->rect().contains(note->geometry()));
  QTest::qWait(200);  // well within the two seconds
  QVERIFY(note->isVisible());
  QTRY_VERIFY_WITH_TIMEOUT(!note->isVisible(), 5000);
  QCOMPARE(Towns()->geometry(), list);
}

}  // namespace mirabo

QTEST_MAIN(mirabo::CopyWindowTest)
#include "copy_window_test.moc"
