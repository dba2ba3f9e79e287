// CHANGES.TSV as rebuilds leave it: written after a good swap only, removed without old data, read back.
#include <gtest/gtest.h>

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

#include "support/DataBuilder.h"
#include "support/FaultyFileOps.h"
#include "support/TestFiles.h"
#include "support/TestText.h"
#include "update/changes/ChangeReport.h"
#include "update/RebuildKit.h"
#include "update/store/SwapRecovery.h"

namespace mirabo {

namespace {

const QString kReport = QStringLiteral("CHANGES.TSV");
const QByteArray kHeader = "区分\t郵便番号\t都道府県\t市区町村\t町域\n";

const QByteArray kFirst = KenAllLine("0600000", "北海道", "札幌市", "以下に掲載がない場合") +
                          KenAllLine("0640941", "北海道", "札幌市", "旭ケ丘") + KenAllLine("1000001", "東京都", "千代田区", "千代田");
// 旭ケ丘 renamed, 千代田 retired with its code, 1000002 new.
const QByteArray kSecond = KenAllLine("0600000", "北海道", "札幌市", "以下に掲載がない場合") +
                           KenAllLine("0640941", "北海道", "札幌市", "新旭ケ丘") + KenAllLine("1000002", "東京都", "千代田区", "皇居外苑");
const QByteArray kSecondReport = kHeader +
                                 "廃止\t0640941\t北海道\t札幌市\t旭ケ丘\n"
                                 "追加\t0640941\t北海道\t札幌市\t新旭ケ丘\n"
                                 "廃止\t1000001\t東京都\t千代田区\t千代田\n"
                                 "追加\t1000002\t東京都\t千代田区\t皇居外苑\n";

class ChangeReportRebuild : public ::testing::Test {
 protected:
  RebuildOutcome Rebuild(const QByteArray& csv, const std::function<void()>& beforeSwap = {}) {
    return RebuildFrom(folder_, csv, platform_, beforeSwap);
  }
  QByteArray Report() const { return ReadBytes(folder_.File(kReport)); }
  bool HasReport() const { return QFile::exists(folder_.File(kReport)); }

  TempFolder folder_;
  RecordingPlatform platform_;
};

TEST_F(ChangeReportRebuild, FirstImportWritesNoReportAndSaysSo) {
  const RebuildOutcome outcome = Rebuild(kFirst);
  ASSERT_TRUE(outcome.ok) << FailureMessage(outcome.failure).toStdString();
  EXPECT_FALSE(outcome.changes.compared);
  EXPECT_FALSE(HasReport());
  EXPECT_TRUE(outcome.changes.reportError.isEmpty());
}

TEST_F(ChangeReportRebuild, SecondRebuildWritesTheExactReport) {
  ASSERT_TRUE(Rebuild(kFirst).ok);
  const RebuildOutcome outcome = Rebuild(kSecond);
  ASSERT_TRUE(outcome.ok);
  EXPECT_EQ(Report(), kSecondReport);
  const ChangeSummary& s = outcome.changes;
  EXPECT_TRUE(s.compared);
  EXPECT_EQ(s.added, 2);
  EXPECT_EQ(s.removed, 2);
  EXPECT_EQ(s.kinds, (ChangeKindCounts{.added = 1, .removed = 1, .renamed = 1}));  // 旭ケ丘 is one 変更
  EXPECT_EQ(s.newCodes, 1);
  EXPECT_EQ(s.retiredCodes, 1);
  // Nothing but the report joins the data files: no temporary file is left.
  EXPECT_EQ(FolderListing(folder_),
            QStringList({kReport, "KEN_ALL.CSV", "city.DAT", "fuken.DAT", "mirabo.lock", "ubinind.dat", "ubinno.dat"}));
}

TEST_F(ChangeReportRebuild, SameFileAgainLeavesAHeaderOnlyReport) {
  ASSERT_TRUE(Rebuild(kFirst).ok);
  ASSERT_TRUE(Rebuild(kSecond).ok);
  const RebuildOutcome outcome = Rebuild(kSecond);
  ASSERT_TRUE(outcome.ok);
  EXPECT_TRUE(outcome.changes.compared);
  EXPECT_EQ(outcome.changes.added + outcome.changes.removed, 0);
  EXPECT_EQ(Report(), kHeader);
}

TEST_F(ChangeReportRebuild, RefusedFileLeavesThePreviousReportByteForByte) {
  ASSERT_TRUE(Rebuild(kFirst).ok);
  ASSERT_TRUE(Rebuild(kSecond).ok);
  QByteArray broken = kFirst;
  broken.replace(",0,0,0,0,0,0\r\n", ",0,0,0,0,0\r\n");
  EXPECT_FALSE(Rebuild(broken).ok);
  EXPECT_EQ(Report(), kSecondReport);
}

TEST_F(ChangeReportRebuild, EndingBeforeTheSwapLeavesThePreviousReport) {
  ASSERT_TRUE(Rebuild(kFirst).ok);
  ASSERT_TRUE(Rebuild(kSecond).ok);
  EXPECT_THROW(Rebuild(kFirst, [] { throw std::runtime_error("ended"); }), std::runtime_error);
  EXPECT_EQ(Report(), kSecondReport);
}

// Killed after the swap, before the new report is written: the new set is kept and
// the previous update's report, which does not describe it, is gone.
TEST_F(ChangeReportRebuild, KillAfterTheSwapLeavesNoReportOfThePreviousUpdate) {
  ASSERT_TRUE(Rebuild(kFirst).ok);
  ASSERT_TRUE(Rebuild(kSecond).ok);
  WriteBytes(folder_.File("KEN_ALL.CSV"), kFirst);
  FaultyFileOps ops;
  ops.KillAtStep(17);  // the journal's removal, after the eighth rename and the syncs
  EXPECT_THROW(RebuildDataFiles(folder_.Path(), folder_.File("KEN_ALL.CSV"), {.files = &ops}), ProcessKilled);
  ASSERT_EQ(ops.steps.last(), "sync");
  TestFileOps files;
  EXPECT_EQ(RecoverInterruptedSwap(folder_.Path(), files), SwapRecovery::kFinished);
  EXPECT_FALSE(HasReport());
  EXPECT_EQ(ReadChangeReport(folder_.Path()).found, false);
}

TEST_F(ChangeReportRebuild, FailingSwapLeavesThePreviousReport) {
  ASSERT_TRUE(Rebuild(kFirst).ok);
  ASSERT_TRUE(Rebuild(kSecond).ok);
  // The third rename of the swap fails: the swap rolls back and the old report stays.
  FaultyFileOps ops;
  ops.FailNth(FaultyFileOps::kRename, 3);
  WriteBytes(folder_.File("KEN_ALL.CSV"), kFirst);
  const RebuildOutcome outcome =
      RebuildDataFiles(folder_.Path(), folder_.File("KEN_ALL.CSV"), {.files = &ops});
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(Report(), kSecondReport);
}

TEST_F(ChangeReportRebuild, EmptyOldEntryFileCountsAsFirstImportAndRemovesTheReport) {
  ASSERT_TRUE(Rebuild(kFirst).ok);
  ASSERT_TRUE(Rebuild(kSecond).ok);
  WriteBytes(folder_.File("ubinno.dat"), {});
  const RebuildOutcome outcome = Rebuild(kFirst);
  ASSERT_TRUE(outcome.ok);
  EXPECT_FALSE(outcome.changes.compared);
  EXPECT_FALSE(HasReport());
}

TEST_F(ChangeReportRebuild, UnwritableReportIsSaidButTheRebuildStands) {
  ASSERT_TRUE(Rebuild(kFirst).ok);
  ASSERT_TRUE(QDir(folder_.Path()).mkpath(kReport + "/kept"));  // a folder in the report's place
  const RebuildOutcome outcome = Rebuild(kSecond);
  EXPECT_TRUE(outcome.ok);
  EXPECT_TRUE(outcome.changes.compared);
  EXPECT_EQ(outcome.changes.reportError, QStringLiteral("Is a directory"));
  EXPECT_FALSE(QFile::exists(folder_.File(kReport + ".new"))) << "the report's temporary file was left behind";
  EXPECT_EQ(outcome.entryCount, 3);
}

class ChangeReportReading : public ::testing::Test {
 protected:
  ChangeReportRead Read(const QByteArray& bytes) {
    WriteBytes(folder_.File(kReport), bytes);
    return ReadChangeReport(folder_.Path());
  }
  TempFolder folder_;
};

TEST_F(ChangeReportReading, MissingReportIsNotFound) {
  const ChangeReportRead read = ReadChangeReport(folder_.Path());
  EXPECT_FALSE(read.found);
  EXPECT_FALSE(ChangeReportExists(folder_.Path()));
}

TEST_F(ChangeReportReading, LinesComeBackInTheFilesOrder) {
  const ChangeReportRead read = Read(kSecondReport);
  ASSERT_TRUE(read.found);
  ASSERT_TRUE(read.failure.ok()) << FailureMessage(read.failure).toStdString();
  ASSERT_EQ(read.changes.size(), 4);
  EXPECT_EQ(read.changes[0], (EntryChange{EntryChange::Removed, "0640941", "北海道", "札幌市", "旭ケ丘"}));
  EXPECT_EQ(read.changes[3], (EntryChange{EntryChange::Added, "1000002", "東京都", "千代田区", "皇居外苑"}));
}

TEST_F(ChangeReportReading, CrLfLinesAndAnEmptyTownAreRead) {
  const ChangeReportRead read = Read("区分\t郵便番号\t都道府県\t市区町村\t町域\r\n追加\t1000001\t東京都\t千代田区\t\r\n");
  ASSERT_TRUE(read.failure.ok()) << FailureMessage(read.failure).toStdString();
  ASSERT_EQ(read.changes.size(), 1);
  EXPECT_EQ(read.changes[0].town, "");
}

TEST_F(ChangeReportReading, DamagedReportNamesTheLine) {
  EXPECT_EQ(FailureMessage(Read("").failure), QStringLiteral("「CHANGES.TSV」の 1 行目が読めません。"));
  EXPECT_EQ(FailureMessage(Read("区分\t郵便番号\n").failure), QStringLiteral("「CHANGES.TSV」の 1 行目が読めません。"));
  EXPECT_EQ(FailureMessage(Read(kHeader + "追加\t1\t2\t3\t4\n変更\t1\t2\t3\t4\n").failure),
            QStringLiteral("「CHANGES.TSV」の 3 行目が読めません。"));
  const ChangeReportRead fourFields = Read(kHeader + "追加\t1000001\t東京都\t千代田区\n");
  EXPECT_EQ(FailureMessage(fourFields.failure), QStringLiteral("「CHANGES.TSV」の 2 行目が読めません。"));
  EXPECT_TRUE(fourFields.changes.isEmpty());
  EXPECT_EQ(FailureMessage(Read(kHeader + "追加\t1\t2\t3\t4\n追加\t1\t\xff\t3\t4\n").failure),
            QStringLiteral("「CHANGES.TSV」の 3 行目が読めません（UTF-8 ではありません）。"));
}

// A report planted in a shared folder: refused at once, not waited on or read whole.
TEST_F(ChangeReportReading, FifoAndOversizedReportsAreRefusedByName) {
  const QByteArray path = QFile::encodeName(folder_.File(kReport));
  ASSERT_EQ(::mkfifo(path.constData(), 0666), 0);
  EXPECT_EQ(FailureMessage(ReadChangeReport(folder_.Path()).failure),
            QStringLiteral("「CHANGES.TSV」を読み込めません（理由: 通常のファイルではありません）。"));
  ASSERT_EQ(::unlink(path.constData()), 0);
  WriteBytes(folder_.File(kReport), kHeader);
  ASSERT_EQ(::truncate(path.constData(), (qint64(64) << 20) + 1), 0);
  EXPECT_EQ(FailureMessage(ReadChangeReport(folder_.Path()).failure),
            QStringLiteral("「CHANGES.TSV」が 64 MB を超えているため読み込みません。"));
}

}  // namespace

namespace {

QStringList SortedLines(const QByteArray& text) {
  QStringList lines = QString::fromUtf8(text).split(u'\n', Qt::SkipEmptyParts);
  lines.sort();
  return lines;
}

// The generator lists its changes as "廃止|追加 TAB code TAB pref TAB city TAB town",
// the report's own line form; only the order differs.
TEST(ChangeReportGenerated, LaterEditionGivesExactlyTheGeneratorsChanges) {
  QByteArray listed;
  const QByteArray first = MakeKenAll(5000, 4);
  const QByteArray later = MakeKenAll(5000, 4, false, {"--drop", "30", "--add", "20", "--rename", "10"}, &listed);
  TempFolder folder;
  RecordingPlatform platform;
  ASSERT_TRUE(RebuildFrom(folder, first, platform).ok);
  const RebuildOutcome outcome = RebuildFrom(folder, later, platform);
  ASSERT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.changes.removed, 40);
  EXPECT_EQ(outcome.changes.added, 30);
  QByteArray report = ReadBytes(folder.File(kReport));
  ASSERT_TRUE(report.startsWith(kHeader));
  report.remove(0, kHeader.size());
  EXPECT_EQ(SortedLines(report), SortedLines(listed));
  EXPECT_EQ(SortedLines(listed).size(), 70);
}

// The previous entries are taken before the swap and compared after it: a file cut
// short meanwhile reads as zeros from then on, and is no fault.
TEST(PreviousEntries, TheOldFileCutShortAfterItWasTakenReadsAsZeros) {
  TempFolder folder;
  const QByteArray record(EntryRecord::Size, 'A');
  WriteBytes(folder.File("ubinno.dat"), record + record);
  const PreviousEntries previous = ReadPreviousEntries(folder.Path(), SystemFileOps());
  ASSERT_FALSE(previous.Empty());
  ASSERT_EQ(previous.Bytes(), record + record);
  ASSERT_EQ(::truncate(QFile::encodeName(folder.File("ubinno.dat")).constData(), 0), 0);
  EXPECT_EQ(previous.Bytes(), QByteArray(2 * EntryRecord::Size, '\0'));
}

TEST(PreviousEntries, LessThanOneRecordIsNoPreviousData) {
  TempFolder folder;
  WriteBytes(folder.File("ubinno.dat"), QByteArray(EntryRecord::Size - 1, 'A'));
  EXPECT_TRUE(ReadPreviousEntries(folder.Path(), SystemFileOps()).Empty());
  EXPECT_TRUE(ReadPreviousEntries(folder.Path() + QStringLiteral("missing/"), SystemFileOps()).Empty());
}

}  // namespace

}  // namespace mirabo
