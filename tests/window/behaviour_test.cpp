// The link, resizing, help, exit and update information through the real window.
#include <QDateTime>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QMenuBar>
#include <QtTest>

#include "WindowFixture.h"
#include "window/LinkLabel.h"

namespace {
const QColor kBlue(0, 0, 255);
const QColor kDarkRed(64, 0, 0);
const char kDownloadPage[] = "web|https://www.post.japanpost.jp/service/search/zipcode/download/kogaki-zip.html";

QColor LinkColour(const frmMirabo& w) { return w.Label3->palette().color(QPalette::WindowText); }

void PressLink(frmMirabo& w) { QTest::mousePress(w.Label3, Qt::LeftButton); }
void ReleaseLink(frmMirabo& w) { QTest::mouseRelease(w.Label3, Qt::LeftButton); }
}  // namespace

class BehaviourTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void linkClickResetsTheHeightAndOpensTheDownloadPage();
  void holdingTheButtonShowsTheOutline();
  void releaseAtNormalHeightLeavesTheLinkDarkRed();
  void maximizedWindowKeepsItsStateAndColour();
  void resizingPutsTheLinkAtRest();
  void helpOpensTheProgramsHelpFileAndClosesAtUnload();
  void exitMenuUnloadsTheWindow();
  void updateInformationShowsDateAndCounts();
  void updateInformationBeforeTheFirstRebuild();

 private:
  std::unique_ptr<TempFolder> folder_;
  std::unique_ptr<RecordingPlatform> platform_;
  std::unique_ptr<frmMirabo> window_;
};

void BehaviourTest::init() {
  folder_ = std::make_unique<TempFolder>();
  platform_ = std::make_unique<RecordingPlatform>();
  window_ = std::make_unique<frmMirabo>(*platform_, folder_->Path());
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void BehaviourTest::cleanup() {
  window_.reset();
  platform_.reset();
  folder_.reset();
}

void BehaviourTest::linkClickResetsTheHeightAndOpensTheDownloadPage() {
  frmMirabo& w = *window_;
  const int normal = w.height();
  w.resize(w.width(), normal + 200);
  QTRY_COMPARE(w.height(), normal + 200);
  QVERIFY(w.Frame8->visibleRegion().isEmpty() == false);
  QTest::mouseClick(w.Label3, Qt::LeftButton);
  QCOMPARE(w.height(), normal);  // 6050 twips again
  QCOMPARE(LinkColour(w), kBlue);
  QVERIFY(w.Shape1->isHidden());
  QCOMPARE(platform_->calls.filter("web|"), QStringList({kDownloadPage}));
}

void BehaviourTest::holdingTheButtonShowsTheOutline() {
  frmMirabo& w = *window_;
  w.resize(w.width(), w.height() + 200);
  PressLink(w);
  QVERIFY(!w.Shape1->isHidden());
  QVERIFY(platform_->calls.filter("web|").isEmpty());
  ReleaseLink(w);
  QVERIFY(w.Shape1->isHidden());
}

void BehaviourTest::releaseAtNormalHeightLeavesTheLinkDarkRed() {
  frmMirabo& w = *window_;
  QTest::mouseClick(w.Label3, Qt::LeftButton);
  QCOMPARE(LinkColour(w), kDarkRed);  // no resize happened to turn it blue
  QCOMPARE(platform_->calls.filter("web|").size(), 1);
  // Released away from the label: no click, but the release still counts.
  PressLink(w);
  QTest::mouseRelease(w.Label3, Qt::LeftButton, {}, QPoint(-5, -5));
  QCOMPARE(platform_->calls.filter("web|").size(), 1);
  QVERIFY(w.Shape1->isHidden());
}

void BehaviourTest::maximizedWindowKeepsItsStateAndColour() {
  frmMirabo& w = *window_;
  w.showMaximized();
  QTRY_VERIFY(w.isMaximized());
  QTest::qWait(50);
  const int height = w.height();
  QTest::mouseClick(w.Label3, Qt::LeftButton);
  QVERIFY(w.isMaximized());
  QCOMPARE(w.height(), height);
  QCOMPARE(LinkColour(w), kDarkRed);
  QCOMPARE(platform_->calls.filter("web|"), QStringList({kDownloadPage}));
}

void BehaviourTest::resizingPutsTheLinkAtRest() {
  frmMirabo& w = *window_;
  QTest::mouseClick(w.Label3, Qt::LeftButton);
  PressLink(w);
  QCOMPARE(LinkColour(w), kDarkRed);
  w.resize(w.width() + 10, w.height());
  QTRY_COMPARE(LinkColour(w), kBlue);
  QVERIFY(w.Shape1->isHidden());
}

void BehaviourTest::helpOpensTheProgramsHelpFileAndClosesAtUnload() {
  frmMirabo& w = *window_;
  w.mHelp->trigger();
  const QString help = folder_->Path() + "MIRABO.HLP";
  QCOMPARE(platform_->calls.filter("help"), QStringList({"help|" + help}));
  w.close();
  QCOMPARE(platform_->calls.filter("help"), QStringList({"help|" + help, "help-close|" + help}));
}

void BehaviourTest::exitMenuUnloadsTheWindow() {
  frmMirabo& w = *window_;
  w.mEnd->trigger();
  QVERIFY(!w.isVisible());
  QVERIFY(!w.Data.PrefFile.IsOpen());
  QVERIFY(platform_->calls.last().startsWith("help-close|"));
}

void BehaviourTest::updateInformationShowsDateAndCounts() {
  window_.reset();
  WriteDataFiles(folder_->Path(), GridEntries(47, 2, 12));
  QFile index(folder_->File("ubinind.dat"));
  QVERIFY(index.open(QIODevice::ReadWrite));
  QVERIFY(index.setFileTime(QDateTime(QDate(2001, 6, 3), QTime(12, 0)), QFileDevice::FileModificationTime));
  index.close();
  window_ = std::make_unique<frmMirabo>(*platform_, folder_->Path());
  window_->mInfo->trigger();
  QCOMPARE(platform_->calls.filter("message|").last(),
           QString("message|更新情報|最新データ更新日＝01/06/03\r\n都道府県データ数＝47\r\n"
                   "市郡町村データ数＝94\r\n全郵便番号データ＝1,128"));
}

void BehaviourTest::updateInformationBeforeTheFirstRebuild() {
  window_->mInfo->trigger();
  const QString text = platform_->Messages().last();
  const QStringList lines = text.split("\r\n");
  QCOMPARE(lines.size(), 4);
  QCOMPARE(lines[1], QString("都道府県データ数＝0"));
  QCOMPARE(lines[2], QString("市郡町村データ数＝"));
  QCOMPARE(lines[3], QString("全郵便番号データ＝"));
}

QTEST_MAIN(BehaviourTest)
#include "behaviour_test.moc"
