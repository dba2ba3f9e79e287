// Copying result lines to the clipboard through the real window, and the option panels.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QGroupBox>
#include <QTest>

#include "window/ExtentList.h"
#include "window/WindowTest.h"

namespace {

// One city of twelve entries, codes 1000001..1000012, in a second prefecture's list.
QList<PrefData> TwoPrefectures() {
  CityData chiyoda{"千代田区", {}};
  for (int i = 1; i <= 12; ++i) chiyoda.towns.push_back({QStringLiteral("10000%1").arg(i, 2, 10, QChar(u'0')), QStringLiteral("町%1").arg(i)});
  return {{"北海道", {{"札幌市", {{"0600000", "以下に掲載がない場合"}}}}},
          {"東京都", {chiyoda, {"港区", {{"105", "短い番号"}}}}}};
}

}  // namespace

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

QTEST_MAIN(CopyWindowTest)
#include "copy_window_test.moc"
