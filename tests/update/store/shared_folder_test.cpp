// A data folder that other accounts may write to: names planted there are never
// followed, read without bound or taken for a whole set.
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

#include "update/FailureKit.h"
#include "update/store/DataFolderLock.h"
#include "update/store/DataFolderReading.h"
#include "update/store/SwapKit.h"

namespace mirabo {

namespace {

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

// A file outside the data folder that a planted link points at.
class SharedFolder : public SwapFolder {
 protected:
  void SetUp() override {
    SwapFolder::SetUp();
    WriteBytes(outside_.File("victim"), "outside\n");
  }
  void PlantLink(const QString& name) const {
    ASSERT_EQ(::symlink(Native(outside_.File("victim")).c_str(), Native(folder().File(name)).c_str()), 0);
  }
  void ExpectOutsideUntouched() const {
    EXPECT_EQ(ReadBytes(outside_.File("victim")), "outside\n");
    struct stat info {};
    ASSERT_EQ(::stat(Native(outside_.File("victim")).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
  }
  TempFolder outside_;
};

// Another user links a new file's name elsewhere between the clearing of old
// leftovers and its creation: the rebuild stops there and writes nothing through it.
TEST_F(SharedFolder, LinkPlantedAsANewFileDuringTheRebuildIsNeverWrittenThrough) {
  ::chmod(Native(outside_.File("victim")).c_str(), 0644);
  FaultyFileOps ops;
  ops.beforeCreate = [&](const std::string& path) {
    if (path == Native(folder().File("city.DAT.new"))) PlantLink("city.DAT.new");
  };
  const RebuildOutcome outcome = Rebuild(ops);
  EXPECT_FALSE(outcome.ok);
  EXPECT_TRUE(FailsAs(outcome.failure, {.kind = UpdateStatus::kNewFilesNotWritable, .folder = FolderName(),
                                        .reason = SystemReason(EEXIST)}));
  ExpectOutsideUntouched();
  ExpectSettledOn(old_, "old");
  EXPECT_FALSE(QFileInfo(folder().File("city.DAT")).isSymLink());
}

TEST_F(SharedFolder, NewFilesTakeTheModeOfTheOldFileNotOfWhereALinkLeads) {
  ::chmod(Native(outside_.File("victim")).c_str(), 0600);
  ASSERT_EQ(::unlink(Native(folder().File("city.DAT")).c_str()), 0);
  PlantLink("city.DAT");
  ASSERT_TRUE(Rebuild(files_).ok);
  struct stat info {};
  ASSERT_EQ(::lstat(Native(folder().File("city.DAT")).c_str(), &info), 0);
  EXPECT_TRUE(S_ISREG(info.st_mode));
  EXPECT_EQ(info.st_mode & 0777, 0644u);
  EXPECT_EQ(ReadBytes(outside_.File("victim")), "outside\n");
}

TEST_F(SharedFolder, LockThatIsALinkIsRefusedByNameAndCreatesNothing) {
  ASSERT_TRUE(QFile::remove(folder().File("mirabo.lock")));
  ASSERT_TRUE(QFile::remove(outside_.File("victim")));
  PlantLink("mirabo.lock");
  const RebuildOutcome outcome = Rebuild(files_);
  EXPECT_TRUE(FailsAs(outcome.failure,
                      {.kind = UpdateStatus::kLockNotRegular, .file = "mirabo.lock", .folder = FolderName()}));
  EXPECT_FALSE(QFile::exists(outside_.File("victim")));
  EXPECT_EQ(DataFileBytes(folder()), old_);
}

TEST_F(SharedFolder, LockThatIsAFifoIsRefusedWithoutWaiting) {
  ASSERT_TRUE(QFile::remove(folder().File("mirabo.lock")));
  ASSERT_EQ(::mkfifo(Native(folder().File("mirabo.lock")).c_str(), 0666), 0);
  const DataFolderLock lock(Native(folder().File("mirabo.lock")), SystemFileOps());
  EXPECT_EQ(lock.Status(folder().Path()).kind, UpdateStatus::kLockNotRegular);
}

// A journal planted or damaged by another account: never waited on, never read
// without bound, never followed into removing data files.
TEST_F(SharedFolder, JournalThatIsAFifoOrTooLargeIsNoJournalAndNotWaitedOn) {
  const std::string journal = Native(folder().File("mirabo.journal"));
  ASSERT_EQ(::mkfifo(journal.c_str(), 0666), 0);
  EXPECT_EQ(RecoverInterruptedSwap(folder().Path(), files_), SwapRecovery::kRolledBack);
  ExpectSettledOn(old_, "old");

  // A whole journal followed by 64 KB of padding: no journal this program wrote.
  WriteBytes(folder().File("mirabo.journal"), QByteArray::fromStdString(EncodeJournal({true, true, true, true})) +
                                                 QByteArray(64 * 1024, '\n'));
  FaultyFileOps ops;
  EXPECT_EQ(RecoverInterruptedSwap(folder().Path(), ops), SwapRecovery::kRolledBack);
  EXPECT_EQ(ops.Calls(FaultyFileOps::kRead), 1);
  ExpectSettledOn(old_, "old");
}

TEST_F(SharedFolder, CraftedJournalThatWouldRemoveDataFilesChangesNothing) {
  WriteBytes(folder().File("mirabo.journal"), QByteArray::fromStdString(EncodeJournal({})));
  WriteBytes(folder().File("city.DAT.new"), "stray");
  EXPECT_EQ(RecoverInterruptedSwap(folder().Path(), files_), SwapRecovery::kDamaged);
  EXPECT_EQ(DataFileBytes(folder()), old_);
  EXPECT_EQ(ReadBytes(folder().File("city.DAT.new")), "stray");
  EXPECT_TRUE(QFile::exists(folder().File("mirabo.journal")));
}

TEST_F(SharedFolder, OldFileWithoutItsDataFileIsKeptWhenThereIsNoJournal) {
  ASSERT_TRUE(QFile::rename(folder().File("city.DAT"), folder().File("city.DAT.old")));
  FaultyFileOps ops;
  EXPECT_EQ(RecoverInterruptedSwap(folder().Path(), ops), SwapRecovery::kDamaged);
  EXPECT_EQ(ReadBytes(folder().File("city.DAT.old")), old_[1]);
  EXPECT_TRUE(ops.steps.isEmpty());
}

QString Unfinished(const QString& folder, const QString& reason) {
  return QStringLiteral("データの更新が途中で止まっています（フォルダ: %1、理由: %2）。データファイルは開きません。")
      .arg(folder, reason);
}

// A swap stopped (not killed) half-way in another process: readers wait a bounded
// time under the busy pointer, then open nothing.
TEST_F(SharedFolder, ReaderDuringAStoppedSwapWaitsThenOpensNothing) {
  const std::string lockPath = Native(folder().File("mirabo.lock"));
  const DataFolderLock rebuild(lockPath, SystemFileOps());
  const SwapLock swapping(lockPath, SwapLock::kSwap, SystemFileOps());
  ASSERT_TRUE(swapping.Held());
  WriteBytes(folder().File("mirabo.journal"), QByteArray::fromStdString(EncodeJournal({true, true, true, true})));
  FaultyFileOps ops;
  RecordingPlatform platform;
  const DataFolderReading reading(folder().Path(), platform, ops, 200);
  EXPECT_EQ(FailureMessage(reading.Status()), Unfinished(FolderName(), "別のプログラムがデータファイルを入れ替えています"));
  EXPECT_EQ(platform.calls, QStringList({"busy|1", "busy|0"}));
  EXPECT_GE(ops.pauses, 10);
  EXPECT_EQ(ops.Steps(), 0);
}

TEST_F(SharedFolder, ReaderAfterAKilledSwapThatCannotBeSettledOpensNothing) {
  RebuildKilledAtStep(9);  // two files swapped
  {
    FaultyFileOps ops;
    ops.FailNth(FaultyFileOps::kRename, 1, EACCES, 100);
    const DataFolderReading reading(folder().Path(), setupPlatform_, ops, 0);
    EXPECT_EQ(FailureMessage(reading.Status()), Unfinished(FolderName(), "入れ替えの記録を片付けられません"));
  }
  // Once settled, the same folder opens.
  const DataFolderReading again(folder().Path(), setupPlatform_, files_);
  EXPECT_TRUE(again.Status().ok());
  ExpectSettledOn(old_, "old");
}

TEST_F(SharedFolder, ReaderTakesTheSwapLockSoNoSwapStartsMeanwhile) {
  ASSERT_TRUE(Rebuild(files_).ok);
  const DataFolderReading reading(folder().Path(), setupPlatform_, files_);
  ASSERT_TRUE(reading.Status().ok());
  FaultyFileOps ops;
  const RebuildOutcome outcome = Rebuild(ops);
  EXPECT_EQ(outcome.failure.kind, UpdateStatus::kRebuildBusy);
  EXPECT_GT(ops.pauses, 0);
  ExpectSettledOn(new_, "new");
}

class FirstImport : public SharedFolder {
  void SetUp() override { Prepare(false); }
};

// Killed after two of the four renames, then the journal is damaged: rolling back
// would leave two files, so the folder stays as it is for the user to see.
TEST_F(FirstImport, DamagedJournalAfterTwoRenamesChangesNothing) {
  const QStringList ran = RebuildKilledAtStep(9);
  ASSERT_EQ(ran.mid(6), QStringList({"rename fuken.DAT.new fuken.DAT", "rename city.DAT.new city.DAT"}));
  WriteBytes(folder().File("mirabo.journal"), "damaged");
  const QStringList before = FolderListing(folder());
  EXPECT_EQ(RecoverInterruptedSwap(folder().Path(), files_), SwapRecovery::kDamaged);
  EXPECT_EQ(FolderListing(folder()), before);
  EXPECT_EQ(ReadBytes(folder().File("fuken.DAT")), new_[0]);
}

}  // namespace

namespace {

// A folder planted under a new file's name cannot be cleared: the rebuild names it.
TEST_F(SharedFolder, LeftoverFolderIsNamedWhenTheRebuildIsRefused) {
  ASSERT_TRUE(QDir().mkpath(folder().File("ubinno.dat.new/x")));
  const RebuildOutcome outcome = Rebuild(files_);
  EXPECT_EQ(FailureMessage(outcome.failure),
            QStringLiteral("「ubinno.dat.new」を片付けられないため、前回中断された更新の後始末ができません（フォルダ: %1、"
                           "理由: %2）。")
                .arg(FolderName(), QString::fromLocal8Bit(std::strerror(EISDIR))));
  EXPECT_EQ(DataFileBytes(folder()), old_);
}

}  // namespace

}  // namespace mirabo
