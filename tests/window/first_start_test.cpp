// The first start of an installed copy through the real window: the once-only offer, its
// choices, and silence in the portable layout and wherever data already exists.
#include <QDir>
#include <QFileInfo>
#include <QTest>

#include "window/ExtentList.h"
#include "window/WindowTest.h"

namespace mirabo {

namespace {

const QString kTitle = QStringLiteral("郵便番号検索");
const QString kFolderNote = QStringLiteral("データは %1 に保存されます。\n\n"
                                           "この案内は一度だけ表示されます。あとからは「郵便番号ファイル更新」ボタンで作り直せます。");
const QString kBothText = QStringLiteral(
                              "郵便番号のデータがまだありません。\n"
                              "付属のサンプル（動作確認用の小さなデータ）から作るか、日本郵便の全国一括データをダウンロードして作ることができます。\n") +
                          kFolderNote;
const QString kSampleText = QStringLiteral(
                                "郵便番号のデータがまだありません。\n"
                                "付属のサンプル（動作確認用の小さなデータ）から作ることができます。\n") +
                            kFolderNote;
const QString kDownloadText = QStringLiteral(
                                  "郵便番号のデータがまだありません。\n"
                                  "日本郵便の全国一括データをダウンロードして作ることができます。\n") +
                              kFolderNote;

}  // namespace

class FirstStartTest : public WindowTest {
  Q_OBJECT

 private slots:
  void sampleChoiceBuildsTheDataFromTheBundledSample();
  void downloadChoiceStartsTheWindowsDownload();
  void laterLeavesTheDataEmptyAndIsNeverAskedAgain();
  void closingTheQuestionCountsAsAsked();
  void noSampleOffersOnlyTheDownload();
  void nothingToOfferAsksNothing();
  void existingDataIsNotOfferedAnything();
  void portableCopyNeverAsks();
  void dataFolderThatCouldNotBeMadeIsReported();
  void helpComesFromTheInstalledShareFolder();

 private:
  void Prepare() override;
  // The offer's text for the installed copy's data folder.
  QString Text(const QString& body) const { return body.arg(installed_.dataFolder); }
  QStringList Asked() { return Platform().calls.filter(QRegularExpression("^ask\\|")); }

  // An installed copy in Folder(): PREFIX/share/mirabo with help and sample, and an
  // empty data folder.
  DataLayout installed_;
};

void FirstStartTest::Prepare() {
  QDir().mkpath(Folder().File("share/mirabo/sample"));
  QDir().mkpath(Folder().File("data/mirabo"));
  WriteBytes(Folder().File("share/mirabo/sample/KEN_ALL.CSV"),
             KenAllLine("0600000", "北海道", "札幌市中央区", "以下に掲載がない場合") +
                 KenAllLine("1000001", "東京都", "千代田区", "千代田"));
  installed_ = {};
  installed_.kind = LayoutKind::Installed;
  installed_.dataFolder = Folder().File("data/mirabo/");
  installed_.helpFile = Folder().File("share/mirabo/MIRABO.HLP");
  installed_.sampleFile = Folder().File("share/mirabo/sample/KEN_ALL.CSV");
}

void FirstStartTest::sampleChoiceBuildsTheDataFromTheBundledSample() {
  Platform().answers = {0};
  frmMirabo& window = OpenWindow(installed_);
  QCOMPARE(Prefectures()->count(), 0);
  window.FirstStart();
  QCOMPARE(Asked(), QStringList({"ask|" + kTitle + "|" + Text(kSampleText) + "|サンプルから作成(&S)/後で(&L)"}));
  // The rebuild's own closing message: nothing to compare with on a first start.
  QCOMPARE(Platform().Messages(),
           QStringList({"更新しました。初めての取り込みです（比べる前回のデータがないため、変更一覧はありません）。"}));
  QCOMPARE(Lines(Prefectures()), QStringList({"北海道  ", "東京都  "}));
  QCOMPARE(Lines(Cities()), QStringList({"札幌市中央区"}));
  QCOMPARE(QFileInfo(installed_.dataFolder + "ubinno.dat").size(), 2 * 130);
  QVERIFY(!QFileInfo::exists(installed_.dataFolder + "KEN_ALL.CSV"));  // read where it lies, not copied
}

void FirstStartTest::downloadChoiceStartsTheWindowsDownload() {
  Platform().answers = {1};
  frmMirabo& window = OpenWindow(installed_);
  int downloads = 0;
  window.FirstStartDownload = [&] { ++downloads; };
  window.FirstStart();
  QCOMPARE(Asked(),
           QStringList({"ask|" + kTitle + "|" + Text(kBothText) + "|サンプルから作成(&S)/ダウンロード(&D)/後で(&L)"}));
  QCOMPARE(downloads, 1);
  QCOMPARE(Prefectures()->count(), 0);
}

void FirstStartTest::laterLeavesTheDataEmptyAndIsNeverAskedAgain() {
  Platform().answers = {2, 0};
  int downloads = 0;
  frmMirabo& window = OpenWindow(installed_);
  window.FirstStartDownload = [&] { ++downloads; };
  window.FirstStart();
  QCOMPARE(Prefectures()->count(), 0);
  window.FirstStart();  // the same window again: already asked

  frmMirabo& again = OpenWindow(installed_);  // the next start
  again.FirstStartDownload = [&] { ++downloads; };
  again.FirstStart();
  QCOMPARE(Asked().size(), 1);
  QCOMPARE(downloads, 0);
  QCOMPARE(Prefectures()->count(), 0);
  QCOMPARE(Platform().answers, QList<int>({0}));  // the second answer was never asked for
}

void FirstStartTest::closingTheQuestionCountsAsAsked() {
  // No answers: the question is closed unanswered (-1).
  OpenWindow(installed_).FirstStart();
  QCOMPARE(Prefectures()->count(), 0);
  OpenWindow(installed_).FirstStart();  // the next start
  QCOMPARE(Asked().size(), 1);
}

void FirstStartTest::noSampleOffersOnlyTheDownload() {
  QFile::remove(installed_.sampleFile);
  Platform().answers = {0};
  frmMirabo& window = OpenWindow(installed_);
  int downloads = 0;
  window.FirstStartDownload = [&] { ++downloads; };
  window.FirstStart();
  QCOMPARE(Asked(), QStringList({"ask|" + kTitle + "|" + Text(kDownloadText) + "|ダウンロード(&D)/後で(&L)"}));
  QCOMPARE(downloads, 1);
}

void FirstStartTest::nothingToOfferAsksNothing() {
  QFile::remove(installed_.sampleFile);
  frmMirabo& window = OpenWindow(installed_);  // no sample, no download hook
  window.FirstStart();
  QVERIFY(Asked().isEmpty());
  QVERIFY(Platform().Messages().isEmpty());
}

void FirstStartTest::existingDataIsNotOfferedAnything() {
  WriteDataFiles(installed_.dataFolder, GridEntries(2, 1, 1));
  frmMirabo& window = OpenWindow(installed_);
  window.FirstStartDownload = [] {};
  window.FirstStart();
  QVERIFY(Asked().isEmpty());
  QCOMPARE(Prefectures()->count(), 2);
}

void FirstStartTest::portableCopyNeverAsks() {
  // A portable first start: the national file alone beside the program.
  WriteBytes(Folder().File("KEN_ALL.CSV"), KenAllLine("1000001", "東京都", "千代田区", "千代田"));
  frmMirabo& window = OpenWindow();
  window.FirstStartDownload = [] {};
  window.FirstStart();
  window.FirstStart();
  QVERIFY(Asked().isEmpty());
  QVERIFY(Platform().Messages().isEmpty());
  QCOMPARE(QDir(Folder().Path()).entryList(QDir::Hidden | QDir::Files).size(), 5);  // the four data files and the CSV
}

void FirstStartTest::dataFolderThatCouldNotBeMadeIsReported() {
  installed_.error = QStringLiteral("データフォルダー /x/mirabo/ を作成できません。");
  frmMirabo& window = OpenWindow(installed_);
  window.FirstStartDownload = [] {};
  window.FirstStart();
  QCOMPARE(Platform().calls.filter(QRegularExpression("^(ask|message)\\|")),
           QStringList({"message|" + kTitle + "|データフォルダー /x/mirabo/ を作成できません。"}));
}

void FirstStartTest::helpComesFromTheInstalledShareFolder() {
  OpenWindow(installed_);
  Control<QAction>("mHelp")->trigger();
  QCOMPARE(Platform().calls.filter("help|"), QStringList({"help|" + Folder().File("share/mirabo/MIRABO.HLP")}));
}

}  // namespace mirabo

QTEST_MAIN(mirabo::FirstStartTest)
#include "first_start_test.moc"
