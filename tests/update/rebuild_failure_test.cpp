// A rebuild that cannot finish keeps the old data files byte for byte, and says why.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <cerrno>
#include <stdexcept>

#include "data/DataSet.h"
#include "support/CaseName.h"
#include "support/TestText.h"
#include "update/FailureKit.h"
#include "update/RebuildKit.h"
#include "update/store/SwapRecovery.h"

namespace mirabo {

namespace {

const QString kCsvName = QStringLiteral("KEN_ALL.CSV");

// A folder holding a complete data set of three entries, the "old" data.
class RebuildFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    const QByteArray csv = KenAllLine("0600000", "北海道", "札幌市", "a") + KenAllLine("0600001", "北海道", "札幌市", "b") +
                           KenAllLine("1000001", "東京都", "千代田区", "c");
    ASSERT_TRUE(RebuildFrom(folder_, csv, setupPlatform_).ok);
    old_ = DataFileBytes(folder_);
    ASSERT_EQ(old_[0].size(), 3 * 18);
    platform_.files = &files_;
  }

  // The old files are as they were and nothing else was left in the folder but
  // the rebuild lock file, which stays.
  void ExpectOldDataUntouched() {
    EXPECT_EQ(DataFileBytes(folder_), old_);
    const QStringList expected{kCsvName, "city.DAT", "fuken.DAT", "mirabo.lock", "ubinind.dat", "ubinno.dat"};
    QStringList listing = FolderListing(folder_);
    listing.sort();
    QStringList sorted = expected;
    sorted.sort();
    EXPECT_EQ(listing, sorted);
    EXPECT_TRUE(files_.steps.filter("trash ").isEmpty());
  }

  QString Folder() const { return QDir::toNativeSeparators(QDir(folder_.Path()).absolutePath()); }

  TempFolder folder_;
  RecordingPlatform setupPlatform_;
  RecordingPlatform platform_;
  FaultyFileOps files_;  // the calls of the rebuild under test
  QList<QByteArray> old_;
};

TEST_F(RebuildFailure, MissingCsvIsNamedWithItsFolder) {
  QFile::remove(folder_.File(kCsvName));
  const RebuildOutcome outcome = RebuildDataFiles(folder_.Path(), folder_.File(kCsvName), {.files = &files_});
  EXPECT_FALSE(outcome.ok);
  EXPECT_TRUE(FailsAs(outcome.failure, {.kind = UpdateStatus::kFileMissing, .file = kCsvName, .folder = Folder()}));
  EXPECT_EQ(DataFileBytes(folder_), old_);
  EXPECT_EQ(files_.Steps(), 0);
}

TEST_F(RebuildFailure, UnreadableCsvIsNamedWithItsFolder) {
  QFile::remove(folder_.File(kCsvName));
  ASSERT_TRUE(QDir(folder_.Path()).mkdir(kCsvName));  // a folder where the file should be
  const RebuildOutcome outcome = RebuildDataFiles(folder_.Path(), folder_.File(kCsvName), {.files = &files_});
  EXPECT_FALSE(outcome.ok);
  EXPECT_TRUE(FailsAs(outcome.failure, {.kind = UpdateStatus::kFileUnreadable, .file = kCsvName, .folder = Folder()}));
  EXPECT_EQ(DataFileBytes(folder_), old_);
  EXPECT_EQ(files_.Steps(), 0);
}

struct MalformedCase {
  const char* name;
  QByteArray csv;
  qint64 line;  // 0: the whole file
  const char* reason;
};
// Cases print as their names, so that test names and failures stay readable.
void PrintTo(const MalformedCase& c, std::ostream* os) { *os << c.name; }

class RebuildMalformed : public RebuildFailure, public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(RebuildMalformed, IsRefusedWholeNamingTheLine) {
  const RebuildOutcome outcome = RebuildFrom(folder_, GetParam().csv, platform_);
  EXPECT_FALSE(outcome.ok);
  EXPECT_TRUE(FailsAs(outcome.failure, {.kind = UpdateStatus::kBadRow, .file = kCsvName, .line = GetParam().line,
                                        .reason = QString::fromUtf8(GetParam().reason)}));
  ExpectOldDataUntouched();
}

const QByteArray kGood = KenAllLine("1000001", "P", "C", "t");  // its half-width kana are no UTF-8

QByteArray KenAllUtf8Line(const char* pref) {
  return QByteArray("13101,\"100  \",\"1000001\",\"k\",\"k\",\"k\",\"") + pref + "\",\"C\",\"t\",0,0,0,0,0,0\r\n";
}
INSTANTIATE_TEST_SUITE_P(
    Cases, RebuildMalformed,
    ::testing::Values(
        MalformedCase{"MissingValue", kGood + kGood + kGood.left(kGood.lastIndexOf(',')) + "\r\n" + kGood, 3,
                      "値が 14 個あります（15 個のはずです）"},
        MalformedCase{"ExtraValue", kGood + kGood.chopped(2) + ",0\r\n", 2, "値が 15 個より多くあります（15 個のはずです）"},
        MalformedCase{"LineOfCommas", kGood + QByteArray(1 << 20, ',') + "\r\n" + kGood, 2,
                      "値が 15 個より多くあります（15 個のはずです）"},
        MalformedCase{"EmptyFile", QByteArray(), 0, "データの行がありません"},
        MalformedCase{"OnlyEmptyLines", "\r\n\r\n", 0, "データの行がありません"},
        MalformedCase{"ByteOrderMarkBeforeCodePage932", "\xEF\xBB\xBF" + kGood, 1,
                      "UTF-8 として読めない文字があります（このファイルは UTF-8 のはずです）"},
        MalformedCase{"Utf8WithOneCodePage932Row", KenAllUtf8Line("北海道") + KenAllUtf8Line("東京都") + kGood, 3,
                      "UTF-8 として読めない文字があります（このファイルは UTF-8 のはずです）"},
        MalformedCase{"FlagNotANumber", kGood + kGood.chopped(3) + "x\r\n", 2,
                      "15 列目「x」は -32768～32767 の整数ではありません"},
        MalformedCase{"CodeColumnOutOfRange", "99999999999" + kGood.mid(kGood.indexOf(',')), 1,
                      "1 列目「99999999999」は -2147483648～2147483647 の整数ではありません"},
        MalformedCase{"UnclosedQuote", kGood + "1,\"100  \",\"1000001\r\n", 2, "3 列目の引用符が閉じていません"},
        MalformedCase{"EmptyLineInTheMiddle", kGood + "\r\n" + kGood, 2, "空の行があります"},
        MalformedCase{"NulBytes", kGood + QByteArray(64, '\0'), 2, "NUL 文字が含まれています"}),
    CaseName());

QByteArray RowsOfOneCode(int count) {
  const QByteArray row = "1,,\"1\",,,,\"P\",\"C\",\"T\",0,0,0,0,0,0\r\n";
  QByteArray csv;
  csv.reserve(row.size() * count);
  for (int i = 0; i < count; ++i) csv += row;
  return csv;
}

TEST_F(RebuildFailure, MoreThan999999EntriesAreRefused) {
  const RebuildOutcome outcome = RebuildFrom(folder_, RowsOfOneCode(1000000), platform_);
  EXPECT_FALSE(outcome.ok);
  EXPECT_TRUE(FailsAs(outcome.failure, {.kind = UpdateStatus::kTooManyEntries, .file = kCsvName}));
  ExpectOldDataUntouched();
}

TEST(RebuildLimit, Exactly999999EntriesAreIndexedWithSixDigitNumbers) {
  TempFolder folder;
  RecordingPlatform platform;
  const RebuildOutcome outcome = RebuildFrom(folder, RowsOfOneCode(999999), platform);
  ASSERT_TRUE(outcome.ok) << FailureMessage(outcome.failure).toStdString();
  EXPECT_EQ(outcome.entryCount, 999999);
  const QByteArray index = ReadBytes(folder.File("ubinind.dat"));
  ASSERT_EQ(index.size(), 999999 * 14);
  // All codes are "1": the order is that of the numbers' texts, 1, 10, 100, ..., 999999.
  EXPECT_EQ(index.left(3 * 14), IndexBytes("1", 1) + IndexBytes("1", 10) + IndexBytes("1", 100));
  EXPECT_EQ(index.right(14), IndexBytes("1", 999999));
}

TEST_F(RebuildFailure, FullDiskLeavesOldFilesAndNoTemporaryFiles) {
  QByteArray csv;
  for (int i = 0; i < 200; ++i) csv += kGood;  // 26,000 bytes of entries
  WriteBytes(folder_.File(kCsvName), csv);
  files_.FillDiskAfter(8192);  // the entry file, 26,000 bytes, is cut short
  const RebuildOutcome outcome = RebuildDataFiles(folder_.Path(), folder_.File(kCsvName), {.files = &files_});
  EXPECT_FALSE(outcome.ok);
  EXPECT_TRUE(FailsAs(outcome.failure, {.kind = UpdateStatus::kNewFilesNotWritable, .folder = Folder(),
                                        .reason = SystemReason(ENOSPC)}));
  ExpectOldDataUntouched();
}

TEST_F(RebuildFailure, EndingBeforeTheSwapLeavesOldDataThatOpens) {
  WriteBytes(folder_.File(kCsvName), kGood);
  // The program ends while the new files are complete but not yet in place.
  EXPECT_THROW(RebuildDataFiles(folder_.Path(), folder_.File(kCsvName),
                                {.files = &files_, .beforeSwap = [] { throw std::runtime_error("ended"); }}),
               std::runtime_error);
  EXPECT_EQ(DataFileBytes(folder_), old_);
  // Opening clears the new files left beside the old ones.
  EXPECT_EQ(RecoverInterruptedSwap(folder_.Path(), files_), SwapRecovery::kTidied);
  ExpectOldDataUntouched();
  DataSet data;
  data.OpenDataFiles(folder_.Path());
  EXPECT_EQ(data.PrefCount, 3);
  EXPECT_EQ(data.CityCount, 2);
  EXPECT_EQ(data.EntryCount, 3);
  EXPECT_EQ(data.IndexCount, 3);
}

TEST_F(RebuildFailure, OldFilesGoToTheTrashOnlyAfterTheNewOnesAreComplete) {
  WriteBytes(folder_.File(kCsvName), kGood);
  const RebuildOutcome outcome =
      RebuildDataFiles(folder_.Path(), folder_.File(kCsvName), {.files = &files_, .beforeSwap = [&] {
                                                                  files_.steps << "beforeSwap";
                                                                  // The old files are still in place, untouched,
                                                                  // when the caller closes them.
                                                                  EXPECT_EQ(DataFileBytes(folder_), old_);
                                                                }});
  ASSERT_TRUE(outcome.ok);
  const QStringList trashed = files_.steps.filter(QRegularExpression("^(beforeSwap|trash )"));
  EXPECT_EQ(trashed, QStringList({"beforeSwap", "trash fuken.DAT.old", "trash city.DAT.old", "trash ubinno.dat.old",
                                  "trash ubinind.dat.old"}));
  EXPECT_EQ(ReadBytes(folder_.File("fuken.DAT")), PrefBytes(Ascii("P", 10), 1, 1) + SentinelBytes());
  QStringList listing = FolderListing(folder_);
  EXPECT_EQ(listing.size(), 7);  // the CSV, four data files, the change report and the lock file: no temporary file left
}

}  // namespace

}  // namespace mirabo
