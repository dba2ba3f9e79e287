// Copying result lines to the clipboard through the real window, and the option panels.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QGroupBox>
#include <QtTest>

#include "WindowFixture.h"
#include "window/ExtentList.h"

namespace {

// One city of twelve entries, codes 1000001..1000012, in a second prefecture's list.
QList<PrefSpec> TwoPrefectures() {
  CitySpec chiyoda{"千代田区", {}};
  for (int i = 1; i <= 12; ++i) chiyoda.towns.push_back({QStringLiteral("10000%1").arg(i, 2, 10, QChar(u'0')), QStringLiteral("町%1").arg(i)});
  return {{"北海道", {{"札幌市", {{"0600000", "以下に掲載がない場合"}}}}},
          {"東京都", {chiyoda, {"港区", {{"105", "短い番号"}}}}}};
}

void ClickRow(ExtentList* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

}  // namespace

class CopyWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
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
  std::unique_ptr<TempFolder> folder_;
  std::unique_ptr<RecordingPlatform> platform_;
  std::unique_ptr<frmMirabo> window_;
};

void CopyWindowTest::init() {
  folder_ = std::make_unique<TempFolder>();
  WriteDataFiles(folder_->Path(), EntriesOf(TwoPrefectures()));
  platform_ = std::make_unique<RecordingPlatform>();
  window_ = std::make_unique<frmMirabo>(*platform_, folder_->Path());
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  window_->List1->setCurrentRow(1);
  window_->List2->setCurrentRow(0);
  QCOMPARE(window_->List3->count(), 12);
  QVERIFY(!platform_->clipboardWritten);
}

void CopyWindowTest::cleanup() {
  window_.reset();
  platform_.reset();
  folder_.reset();
}

void CopyWindowTest::clickOnABrowsedLineCopiesItsCode() {
  ClickRow(window_->List3, 0);
  QCOMPARE(platform_->calls.filter("clipboard|"), QStringList({"clipboard|100-0001"}));
}

void CopyWindowTest::tenthBrowsedLineIsTheTenthEntry() {
  QCOMPARE(window_->ShownFirstEntry, 2);
  ClickRow(window_->List3, 9);
  QCOMPARE(platform_->clipboard, QString("100-0010"));  // entry ShownFirstEntry + 9 = 11
}

void CopyWindowTest::clickOnASearchLineCopiesTheEntryItNames() {
  window_->Text1->setText("1000003");
  window_->Command2->click();
  QCOMPARE(window_->List3->count(), 2);
  QVERIFY(window_->List3->item(0)->text().endsWith(" 4"));  // a one-digit record number
  ClickRow(window_->List3, 0);
  QCOMPARE(platform_->clipboard, QString("100-0003"));
  QCOMPARE(window_->ShownFirstEntry, 1);
}

void CopyWindowTest::doubleClickCopiesTheSameTextTwice() {
  ExtentList* list = window_->List3;
  const QPoint centre = list->visualItemRect(list->item(4)).center();
  // As a real double-click arrives: press, release, double-click, release.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centre);
  QCOMPARE(platform_->calls.filter("clipboard|"), QStringList({"clipboard|100-0005", "clipboard|100-0005"}));
}

void CopyWindowTest::copyButtonAndAltCCopyAgain() {
  ClickRow(window_->List3, 2);
  window_->Option3->setChecked(true);  // full width: takes effect at the next copy
  QCOMPARE(platform_->clipboard, QString("100-0003"));
  QTest::mouseClick(window_->Command1, Qt::LeftButton);
  QCOMPARE(platform_->clipboard, QString("１００－０００３"));
  window_->Option5->setChecked(true);
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  QTest::keyClick(window_->windowHandle(), Qt::Key_C, Qt::AltModifier);  // through the shortcut map
  QTRY_COMPARE(platform_->clipboard, QString("１０００００３"));  // the button is pressed with a short animation
  QCOMPARE(platform_->calls.filter("clipboard|").size(), 3);
}

void CopyWindowTest::noSelectionOrCountLineLeavesTheClipboardAlone() {
  window_->Command1->click();  // a browsed list with nothing picked
  QVERIFY(!platform_->clipboardWritten);
  window_->Text1->setText("100");
  window_->Command2->click();
  QCOMPARE(window_->List3->count(), 13);
  ClickRow(window_->List3, 12);  // the count line
  QVERIFY(!platform_->clipboardWritten);
  window_->List3->clearSelection();
  window_->Command1->click();
  QVERIFY(!platform_->clipboardWritten);
}

void CopyWindowTest::shortCodeWithHyphenEndsWithTheHyphen() {
  window_->List2->setCurrentRow(1);
  ClickRow(window_->List3, 0);
  QCOMPARE(platform_->clipboard, QString("105-"));
}

void CopyWindowTest::addressOptionsShapeTheText() {
  window_->Option2->setChecked(true);
  ClickRow(window_->List3, 0);
  QCOMPARE(platform_->clipboard, QString("千代田区 町1"));
  window_->Option7->setChecked(true);
  window_->Command1->click();
  QCOMPARE(platform_->clipboard, QString("東京都 千代田区 町1"));
  window_->Option10->setChecked(true);
  window_->Command1->click();
  QCOMPARE(platform_->clipboard, QString("東京都千代田区町1"));
  window_->Option8->setChecked(true);
  window_->Command1->click();
  QCOMPARE(platform_->clipboard, QString("千代田区町1"));
}

void CopyWindowTest::modeSwitchesPanelsAndKeepsTheirChoices() {
  frmMirabo& w = *window_;
  const QRect place = w.Frame2->geometry();
  w.Option3->setChecked(true);
  w.Option2->setChecked(true);
  QVERIFY(w.Frame2->isHidden());
  QVERIFY(!w.Frame5->isHidden());
  QCOMPARE(w.Frame5->geometry(), place);
  w.Option7->setChecked(true);
  w.Option1->setChecked(true);
  QVERIFY(!w.Frame2->isHidden());
  QVERIFY(w.Frame5->isHidden());
  QCOMPARE(w.Frame2->geometry(), place);
  QVERIFY(w.Option3->isChecked());
  QVERIFY(w.Option7->isChecked());
  QVERIFY(!platform_->clipboardWritten);  // switching copies nothing
}

QTEST_MAIN(CopyWindowTest)
#include "copy_window_test.moc"
