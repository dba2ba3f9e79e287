// The first start of an installed copy through the real window: the once-only offer, its
// choices, and silence in the portable layout and wherever data already exists.
#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include "WindowFixture.h"
#include "window/ExtentList.h"

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

// An installed copy: PREFIX/share/mirabo with help and sample, and an empty data folder.
struct InstalledCopy {
  TempFolder temp;
  DataLayout layout;
  InstalledCopy() {
    QDir().mkpath(temp.File("share/mirabo/sample"));
    QDir().mkpath(temp.File("data/mirabo"));
    WriteBytes(temp.File("share/mirabo/sample/KEN_ALL.CSV"),
               KenAllLine("0600000", "北海道", "札幌市中央区", "以下に掲載がない場合") + KenAllLine("1000001", "東京都", "千代田区", "千代田"));
    layout.kind = LayoutKind::Installed;
    layout.dataFolder = temp.File("data/mirabo/");
    layout.helpFile = temp.File("share/mirabo/MIRABO.HLP");
    layout.sampleFile = temp.File("share/mirabo/sample/KEN_ALL.CSV");
  }
  QString Text(const QString& body) const { return body.arg(layout.dataFolder); }
};

QStringList Asked(const RecordingPlatform& platform) { return platform.calls.filter(QRegularExpression("^ask\\|")); }

}  // namespace

class FirstStartTest : public QObject {
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
};

void FirstStartTest::sampleChoiceBuildsTheDataFromTheBundledSample() {
  InstalledCopy copy;
  RecordingPlatform platform;
  platform.answers = {0};
  frmMirabo window(platform, copy.layout);
  QCOMPARE(window.List1->count(), 0);
  window.FirstStart();
  QCOMPARE(Asked(platform), QStringList({"ask|" + kTitle + "|" + copy.Text(kSampleText) + "|サンプルから作成(&S)/後で(&L)"}));
  // The rebuild's own closing message: nothing to compare with on a first start.
  QCOMPARE(platform.Messages(),
           QStringList({"更新しました。初めての取り込みです（比べる前回のデータがないため、変更一覧はありません）。"}));
  QCOMPARE(Lines(window.List1), QStringList({"北海道  ", "東京都  "}));
  QCOMPARE(Lines(window.List2), QStringList({"札幌市中央区"}));
  QCOMPARE(QFileInfo(copy.layout.dataFolder + "ubinno.dat").size(), 2 * 130);
  QVERIFY(!QFileInfo::exists(copy.layout.dataFolder + "KEN_ALL.CSV"));  // read where it lies, not copied
}

void FirstStartTest::downloadChoiceStartsTheWindowsDownload() {
  InstalledCopy copy;
  RecordingPlatform platform;
  platform.answers = {1};
  frmMirabo window(platform, copy.layout);
  int downloads = 0;
  window.FirstStartDownload = [&] { ++downloads; };
  window.FirstStart();
  QCOMPARE(Asked(platform),
           QStringList({"ask|" + kTitle + "|" + copy.Text(kBothText) + "|サンプルから作成(&S)/ダウンロード(&D)/後で(&L)"}));
  QCOMPARE(downloads, 1);
  QCOMPARE(window.List1->count(), 0);
}

void FirstStartTest::laterLeavesTheDataEmptyAndIsNeverAskedAgain() {
  InstalledCopy copy;
  RecordingPlatform platform;
  platform.answers = {2, 0};
  int downloads = 0;
  {
    frmMirabo window(platform, copy.layout);
    window.FirstStartDownload = [&] { ++downloads; };
    window.FirstStart();
    QCOMPARE(window.List1->count(), 0);
    window.FirstStart();  // the same window again: already asked
  }
  frmMirabo again(platform, copy.layout);  // the next start
  again.FirstStartDownload = [&] { ++downloads; };
  again.FirstStart();
  QCOMPARE(Asked(platform).size(), 1);
  QCOMPARE(downloads, 0);
  QCOMPARE(again.List1->count(), 0);
  QCOMPARE(platform.answers, QList<int>({0}));  // the second answer was never asked for
}

void FirstStartTest::closingTheQuestionCountsAsAsked() {
  InstalledCopy copy;
  RecordingPlatform platform;  // no answers: the question is closed unanswered (-1)
  {
    frmMirabo window(platform, copy.layout);
    window.FirstStart();
    QCOMPARE(window.List1->count(), 0);
  }
  frmMirabo again(platform, copy.layout);
  again.FirstStart();
  QCOMPARE(Asked(platform).size(), 1);
}

void FirstStartTest::noSampleOffersOnlyTheDownload() {
  InstalledCopy copy;
  QFile::remove(copy.layout.sampleFile);
  RecordingPlatform platform;
  platform.answers = {0};
  frmMirabo window(platform, copy.layout);
  int downloads = 0;
  window.FirstStartDownload = [&] { ++downloads; };
  window.FirstStart();
  QCOMPARE(Asked(platform), QStringList({"ask|" + kTitle + "|" + copy.Text(kDownloadText) + "|ダウンロード(&D)/後で(&L)"}));
  QCOMPARE(downloads, 1);
}

void FirstStartTest::nothingToOfferAsksNothing() {
  InstalledCopy copy;
  QFile::remove(copy.layout.sampleFile);
  RecordingPlatform platform;
  frmMirabo window(platform, copy.layout);  // no sample, no download hook
  window.FirstStart();
  QVERIFY(Asked(platform).isEmpty());
  QVERIFY(platform.Messages().isEmpty());
}

void FirstStartTest::existingDataIsNotOfferedAnything() {
  InstalledCopy copy;
  WriteDataFiles(copy.layout.dataFolder, GridEntries(2, 1, 1));
  RecordingPlatform platform;
  frmMirabo window(platform, copy.layout);
  window.FirstStartDownload = [] {};
  window.FirstStart();
  QVERIFY(Asked(platform).isEmpty());
  QCOMPARE(window.List1->count(), 2);
}

void FirstStartTest::portableCopyNeverAsks() {
  TempFolder folder;  // empty: a portable first start
  WriteBytes(folder.File("KEN_ALL.CSV"), KenAllLine("1000001", "東京都", "千代田区", "千代田"));
  RecordingPlatform platform;
  frmMirabo window(platform, folder.Path());
  window.FirstStartDownload = [] {};
  window.FirstStart();
  window.FirstStart();
  QVERIFY(Asked(platform).isEmpty());
  QVERIFY(platform.Messages().isEmpty());
  QCOMPARE(QDir(folder.Path()).entryList(QDir::Hidden | QDir::Files).size(), 5);  // the four data files and the CSV
}

void FirstStartTest::dataFolderThatCouldNotBeMadeIsReported() {
  InstalledCopy copy;
  copy.layout.error = QStringLiteral("データフォルダー /x/mirabo/ を作成できません。");
  RecordingPlatform platform;
  frmMirabo window(platform, copy.layout);
  window.FirstStartDownload = [] {};
  window.FirstStart();
  QCOMPARE(platform.calls.filter(QRegularExpression("^(ask|message)\\|")),
           QStringList({"message|" + kTitle + "|データフォルダー /x/mirabo/ を作成できません。"}));
}

void FirstStartTest::helpComesFromTheInstalledShareFolder() {
  InstalledCopy copy;
  RecordingPlatform platform;
  frmMirabo window(platform, copy.layout);
  window.mHelp->trigger();
  QCOMPARE(platform.calls.filter("help|"), QStringList({"help|" + copy.temp.File("share/mirabo/MIRABO.HLP")}));
}

QTEST_MAIN(FirstStartTest)
#include "first_start_test.moc"
