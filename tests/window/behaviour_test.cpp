// The link, resizing, help, exit and update information through the real window.
#include <QDateTime>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QMenuBar>
#include <QTest>

#include "window/LinkLabel.h"
#include "window/WindowTest.h"

namespace mirabo {

namespace {
const QColor kBlue(0, 0, 255);
const QColor kDarkRed(64, 0, 0);
const char kDownloadPage[] = "web|https://www.post.japanpost.jp/service/search/zipcode/download/kogaki-zip.html";
}  // namespace

class BehaviourTest : public WindowTest {
  Q_OBJECT

 private slots:
  void linkClickResetsTheHeightAndOpensTheDownloadPage();
  void linkWithoutABrowserShowsTheAddressToCopy();
  void holdingTheButtonShowsTheOutline();
  void releaseAtNormalHeightLeavesTheLinkDarkRed();
  void maximizedWindowKeepsItsStateAndColour();
  void resizingPutsTheLinkAtRest();
  void helpOpensTheProgramsHelpFileAndClosesAtUnload();
  void exitMenuUnloadsTheWindow();
  void updateInformationShowsDateAndCounts();
  void updateInformationBeforeTheFirstRebuild();

 private:
  void Prepare() override { QVERIFY(ShowWindow()); }
  LinkLabel* Link() const { return Control<LinkLabel>("Label3"); }
  QColor LinkColour() const { return Link()->palette().color(QPalette::WindowText); }
  void PressLink() { QTest::mousePress(Link(), Qt::LeftButton); }
  void ReleaseLink() { QTest::mouseRelease(Link(), Qt::LeftButton); }
};

void BehaviourTest::linkClickResetsTheHeightAndOpensTheDownloadPage() {
  frmMirabo& w = Window();
  const int normal = w.height();
  w.resize(w.width(), normal + 200);
  QTRY_COMPARE(w.height(), normal + 200);
  QVERIFY(Control<QGroupBox>("Frame8")->visibleRegion().isEmpty() == false);
  QTest::mouseClick(Link(), Qt::LeftButton);
  QCOMPARE(w.height(), normal);  // 6050 twips again
  QCOMPARE(LinkColour(), kBlue);
  QVERIFY(Control<QFrame>("Shape1")->isHidden());
  QCOMPARE(Platform().calls.filter("web|"), QStringList({kDownloadPage}));
  QCOMPARE(Platform().Messages(), QStringList());  // the browser started: nothing to say
}

void BehaviourTest::linkWithoutABrowserShowsTheAddressToCopy() {
  const QString page = QString::fromUtf8(kDownloadPage).mid(4);
  const QStringList shown{kDownloadPage,
                          "message|郵便番号検索(Ver.2.5)|ブラウザーを起動できませんでした。"
                          "次のアドレスをブラウザーで開いてください。\n" + page,
                          "button|アドレスをコピー"};
  const QRegularExpression calls("^(web|message|button|clipboard)\\|");
  Platform().webPageOpens = false;
  QTest::mouseClick(Link(), Qt::LeftButton);  // closed with OK: nothing copied
  QCOMPARE(Platform().calls.filter(calls), shown);
  Platform().calls.clear();
  Platform().pressMessageButton = true;
  QTest::mouseClick(Link(), Qt::LeftButton);
  QCOMPARE(Platform().calls.filter(calls), shown + QStringList({"clipboard|" + page}));
}

void BehaviourTest::holdingTheButtonShowsTheOutline() {
  frmMirabo& w = Window();
  w.resize(w.width(), w.height() + 200);
  PressLink();
  QVERIFY(!Control<QFrame>("Shape1")->isHidden());
  QVERIFY(Platform().calls.filter("web|").isEmpty());
  ReleaseLink();
  QVERIFY(Control<QFrame>("Shape1")->isHidden());
}

void BehaviourTest::releaseAtNormalHeightLeavesTheLinkDarkRed() {
  QTest::mouseClick(Link(), Qt::LeftButton);
  QCOMPARE(LinkColour(), kDarkRed);  // no resize happened to turn it blue
  QCOMPARE(Platform().calls.filter("web|").size(), 1);
  // Released away from the label: no click, but the release still counts.
  PressLink();
  QTest::mouseRelease(Link(), Qt::LeftButton, {}, QPoint(-5, -5));
  QCOMPARE(Platform().calls.filter("web|").size(), 1);
  QVERIFY(Control<QFrame>("Shape1")->isHidden());
}

void BehaviourTest::maximizedWindowKeepsItsStateAndColour() {
  frmMirabo& w = Window();
  w.showMaximized();
  QTRY_VERIFY(w.isMaximized());
  QTest::qWait(50);
  const int height = w.height();
  QTest::mouseClick(Link(), Qt::LeftButton);
  QVERIFY(w.isMaximized());
  QCOMPARE(w.height(), height);
  QCOMPARE(LinkColour(), kDarkRed);
  QCOMPARE(Platform().calls.filter("web|"), QStringList({kDownloadPage}));
}

void BehaviourTest::resizingPutsTheLinkAtRest() {
  frmMirabo& w = Window();
  QTest::mouseClick(Link(), Qt::LeftButton);
  PressLink();
  QCOMPARE(LinkColour(), kDarkRed);
  w.resize(w.width() + 10, w.height());
  QTRY_COMPARE(LinkColour(), kBlue);
  QVERIFY(Control<QFrame>("Shape1")->isHidden());
}

void BehaviourTest::helpOpensTheProgramsHelpFileAndClosesAtUnload() {
  frmMirabo& w = Window();
  Control<QAction>("mHelp")->trigger();
  const QString help = Folder().Path() + "MIRABO.HLP";
  QCOMPARE(Platform().calls.filter("help"), QStringList({"help|" + help}));
  w.close();
  QCOMPARE(Platform().calls.filter("help"), QStringList({"help|" + help, "help-close|" + help}));
}

void BehaviourTest::exitMenuUnloadsTheWindow() {
  frmMirabo& w = Window();
  Control<QAction>("mEnd")->trigger();
  QVERIFY(!w.isVisible());
  QVERIFY(!w.Data.PrefFile.IsOpen());
  QVERIFY(Platform().calls.last().startsWith("help-close|"));
}

void BehaviourTest::updateInformationShowsDateAndCounts() {
  DestroyWindow();
  WriteDataFiles(Folder().Path(), GridEntries(47, 2, 12));
  QFile index(Folder().File("ubinind.dat"));
  QVERIFY(index.open(QIODevice::ReadWrite));
  QVERIFY(index.setFileTime(QDateTime(QDate(2001, 6, 3), QTime(12, 0)), QFileDevice::FileModificationTime));
  index.close();
  OpenWindow();
  Control<QAction>("mInfo")->trigger();
  QCOMPARE(Platform().calls.filter("message|").last(),
           QString("message|更新情報|最新データ更新日＝01/06/03\r\n都道府県データ数＝47\r\n"
                   "市郡町村データ数＝94\r\n全郵便番号データ＝1,128"));
}

void BehaviourTest::updateInformationBeforeTheFirstRebuild() {
  Control<QAction>("mInfo")->trigger();
  const QString text = Platform().Messages().last();
  const QStringList lines = text.split("\r\n");
  QCOMPARE(lines.size(), 4);
  QCOMPARE(lines[1], QString("都道府県データ数＝0"));
  QCOMPARE(lines[2], QString("市郡町村データ数＝"));
  QCOMPARE(lines[3], QString("全郵便番号データ＝"));
}

}  // namespace mirabo

QTEST_MAIN(mirabo::BehaviourTest)
#include "behaviour_test.moc"
