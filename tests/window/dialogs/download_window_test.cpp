// Download, file dialog and drop through the real window, against a local server.
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include "support/DataBuilder.h"
#include "support/HttpFixture.h"
#include "support/ZipMaker.h"
#include "window/ExtentList.h"
#include "window/WindowTest.h"

namespace mirabo {

namespace {

// The messages other than the one that reports a rebuild done.
QStringList Refusals(const RecordingPlatform& platform) {
  QStringList refusals;
  for (const QString& text : platform.Messages())
    if (!text.startsWith(QStringLiteral("更新しました。"))) refusals << text;
  return refusals;
}

QProgressDialog* OpenDialog(const frmMirabo& window) {
  auto* dialog = window.findChild<QProgressDialog*>("DownloadDialog");
  return dialog && dialog->isVisible() ? dialog : nullptr;
}

// Notes when the download's progress dialog is shown, and whether the window was busy then.
class DialogWatcher : public QObject {
 public:
  explicit DialogWatcher(const frmMirabo& window) : window_(window) { qApp->installEventFilter(this); }
  ~DialogWatcher() override { qApp->removeEventFilter(this); }
  bool seen = false, busy = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->objectName() == u"DownloadDialog") {
      seen = true;
      busy = window_.IsBusy();
    }
    return false;
  }

 private:
  const frmMirabo& window_;
};

// Runs `step` every 20 ms while the window's handler runs, until it returns true (or 20 s pass).
void WhileRunning(const std::function<bool()>& step) {
  auto* timer = new QTimer;
  auto* clock = new QElapsedTimer;
  clock->start();
  QObject::connect(timer, &QTimer::timeout, [timer, clock, step] {
    if (step() || clock->elapsed() > 20000) {
      timer->stop();
      timer->deleteLater();
      delete clock;
    }
  });
  timer->start(20);
}

}  // namespace

class DownloadWindowTest : public WindowTest {
  Q_OBJECT

 private slots:
  void initTestCase();
  void downloadShowsProgressAndRebuildsInMemory();
  void cancelMidTransferKeepsTheData();
  void menuItemDownloadsAndARefusalKeepsTheData();
  void chosenFileRebuildsWhereverItLies();
  void droppedZipRebuildsAndOtherFilesAreRefused();
  void updateButtonTakesTheArchiveWhenNoCsvIsThere();

 private:
  QByteArray csv_;
  QList<QByteArray> expected_;
  std::unique_ptr<HttpFixture> server_;
  QList<QByteArray> before_;

  void Prepare() override;
  void Finish() override;
};

void DownloadWindowTest::initTestCase() {
  csv_ = MakeKenAll(3000, 9);
  expected_ = RebuiltDataFiles(csv_);
}

void DownloadWindowTest::Prepare() {
  server_ = std::make_unique<HttpFixture>();
  QVERIFY(server_->Ok());
  server_->Serve("ken_all.zip", MakeZip({{"KEN_ALL.CSV", csv_}}));
  WriteDataFiles(Folder().Path(), GridEntries(3, 3, 2));
  before_ = DataFileBytes(Folder());
  Platform().forwardEvents = true;
  QVERIFY(ShowWindow());
}

void DownloadWindowTest::Finish() {
  server_.reset();
  qunsetenv("MIRABO_DOWNLOAD_URL");
}

void DownloadWindowTest::downloadShowsProgressAndRebuildsInMemory() {
  qputenv("MIRABO_DOWNLOAD_URL", server_->Url("redirect/2/ken_all.zip").toUtf8());
  const DialogWatcher watcher(Window());
  Control<QPushButton>("Command5")->click();
  QVERIFY(watcher.seen);
  QVERIFY(watcher.busy);
  QVERIFY(!OpenDialog(Window()));
  QCOMPARE(Refusals(Platform()), QStringList());
  QCOMPARE(DataFileBytes(Folder()), expected_);
  QCOMPARE(Window().Data.EntryCount, 3000);
  QCOMPARE(Prefectures()->count(), 47);  // the window shows the new data
  QVERIFY(!Window().IsBusy());
  // Nothing unpacked or saved beside the data files.
  QCOMPARE(QDir(Folder().Path()).entryList({"*.csv", "*.CSV", "*.zip", "*.tmp"}, QDir::Files), QStringList());
}

void DownloadWindowTest::cancelMidTransferKeepsTheData() {
  QByteArray big(1 << 20, '\0');
  for (qsizetype i = 0; i < big.size(); ++i) big[i] = char(i * 7919 >> 3);
  server_->Serve("big.zip", big);
  qputenv("MIRABO_DOWNLOAD_URL", server_->Url("trickle/big.zip").toUtf8());
  QString shown;
  WhileRunning([&] {
    QProgressDialog* dialog = OpenDialog(Window());
    if (!dialog) return false;
    shown = dialog->findChild<QLabel*>()->text();
    if (!shown.contains(" / 1,048,576 ")) return false;  // the first bytes have come
    QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
    return true;
  });
  Control<QPushButton>("Command5")->click();
  // The server sends 64 KB, then 64 KB more, then nothing.
  QVERIFY2(shown == "ダウンロードしています…\n受信 65,536 / 1,048,576 バイト" ||
               shown == "ダウンロードしています…\n受信 131,072 / 1,048,576 バイト",
           qPrintable(shown));
  QCOMPARE(Platform().calls.filter("message|"),
           QStringList({QStringLiteral("message|最新データをダウンロードして更新|キャンセルしました。データは変更していません。")}));
  QCOMPARE(DataFileBytes(Folder()), before_);
  QCOMPARE(Prefectures()->count(), 3);
  QCOMPARE(Window().Data.EntryCount, 18);
  QVERIFY(!Window().IsBusy());
}

void DownloadWindowTest::menuItemDownloadsAndARefusalKeepsTheData() {
  qputenv("MIRABO_DOWNLOAD_URL", server_->Url("status/404").toUtf8());
  Control<QAction>("mDownload")->trigger();
  QCOMPARE(Refusals(Platform()),
           QStringList({QStringLiteral("ダウンロードできませんでした。「%1」: サーバーの応答が HTTP 404 でした。データは変更していません。")
                            .arg(server_->Url("status/404"))}));
  QCOMPARE(DataFileBytes(Folder()), before_);
  QCOMPARE(Prefectures()->count(), 3);  // still showing the old data
  QCOMPARE(Window().Data.EntryCount, 18);

  qputenv("MIRABO_DOWNLOAD_URL", server_->Url("ken_all.zip").toUtf8());
  Control<QAction>("mDownload")->trigger();
  QCOMPARE(DataFileBytes(Folder()), expected_);
}

void DownloadWindowTest::chosenFileRebuildsWhereverItLies() {
  TempFolder elsewhere;  // the user's download folder, as the desktop's user-dirs.dirs names it
  TempFolder config;
  WriteBytes(config.File("user-dirs.dirs"), "XDG_DOWNLOAD_DIR=\"" + elsewhere.Path().toUtf8() + "\"\n");
  const bool configHomeSet = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
  const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", config.Path().toUtf8());
  const auto restore = qScopeGuard([&] {
    if (configHomeSet) qputenv("XDG_CONFIG_HOME", configHome);
    else qunsetenv("XDG_CONFIG_HOME");
  });
  WriteBytes(elsewhere.File("utf_ken_all.zip"),
             MakeZip({{"utf_ken_all.csv", MakeKenAll(3000, 9, false, {"--encoding", "utf8"})}}));
  Control<QPushButton>("Command6")->click();  // cancelled: nothing happens
  QCOMPARE(Platform().calls.filter("choose|").size(), 1);
  const QString folder = Platform().calls.filter("choose|")[0].section(u'|', 2, 2);
  QCOMPARE(QDir(folder).canonicalPath(), QDir(elsewhere.Path()).canonicalPath());
  QCOMPARE(Platform().calls.filter("choose|")[0],
           QStringLiteral("choose|ファイルを選んで更新…|%1|郵便番号データ (*.csv *.CSV *.zip *.ZIP)").arg(folder));
  QCOMPARE(DataFileBytes(Folder()), before_);
  QCOMPARE(Refusals(Platform()), QStringList());

  Platform().chosenFile = elsewhere.File("utf_ken_all.zip");
  Control<QAction>("mChooseFile")->trigger();
  QCOMPARE(Refusals(Platform()), QStringList());
  QCOMPARE(DataFileBytes(Folder()), expected_);
}

void DownloadWindowTest::droppedZipRebuildsAndOtherFilesAreRefused() {
  TempFolder elsewhere;
  WriteBytes(elsewhere.File("ken_all.zip"), MakeZip({{"KEN_ALL.CSV", csv_}}));
  WriteBytes(elsewhere.File("notes.txt"), csv_);
  auto drop = [&](const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Window(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Window(), &dropped);
    return dropped.isAccepted();
  };
  QVERIFY(!drop(elsewhere.File("notes.txt")));
  QVERIFY(drop(elsewhere.File("ken_all.zip")));
  QTRY_COMPARE(DataFileBytes(Folder()), expected_);
  QCOMPARE(Refusals(Platform()), QStringList());
  QTRY_COMPARE(Prefectures()->count(), 47);
}

void DownloadWindowTest::updateButtonTakesTheArchiveWhenNoCsvIsThere() {
  WriteBytes(Folder().File("utf_ken_all.zip"), "not used while ken_all.zip is there");
  WriteBytes(Folder().File("ken_all.zip"), MakeZip({{"KEN_ALL.CSV", csv_}}));
  Control<QPushButton>("Command3")->click();
  QCOMPARE(Refusals(Platform()), QStringList());
  QCOMPARE(DataFileBytes(Folder()), expected_);
}

}  // namespace mirabo

QTEST_MAIN(mirabo::DownloadWindowTest)
#include "download_window_test.moc"
