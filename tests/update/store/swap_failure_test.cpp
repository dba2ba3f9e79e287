// A call that fails during the swap leaves the old set byte for byte and says so.
#include <cerrno>

#include <sys/stat.h>

#include "support/CaseName.h"
#include "support/TestText.h"
#include "update/FailureKit.h"
#include "update/store/DataFolderLock.h"
#include "update/store/SwapKit.h"

namespace mirabo {

namespace {

// A swap that failed half-way and could not roll back: the next opening finishes it.
const ExpectedFailure kRollbackLeftForLater{.kind = UpdateStatus::kNewFilesRolledBackLater,
                                            .reason = SystemReason(EIO)};

class RenameFailure : public SwapFolder, public ::testing::WithParamInterface<int> {};

// Renames 1, 3, 5, 7 move an old file aside; 2, 4, 6, 8 put a new one in place.
TEST_P(RenameFailure, KeepsTheOldSetAndSaysSo) {
  FaultyFileOps ops;
  ops.FailNth(FaultyFileOps::kRename, GetParam());
  const RebuildOutcome outcome = Rebuild(ops);
  EXPECT_FALSE(outcome.ok);
  EXPECT_TRUE(FailsAs(outcome.failure,
                      {.kind = UpdateStatus::kNewFilesNotPlaced, .folder = FolderName(), .reason = SystemReason(EIO)}));
  ExpectSettledOn(old_, "old");
  EXPECT_TRUE(ops.steps.filter("trash ").isEmpty());
  EXPECT_EQ(RecoverInterruptedSwap(folder().Path(), files_), SwapRecovery::kNothing);
}

INSTANTIATE_TEST_SUITE_P(EachRename, RenameFailure, ::testing::Range(1, 9));

struct StepFailure {
  const char* name;
  FaultyFileOps::Kind kind;
  int nth;
  UpdateStatus::Kind failure;
};
void PrintTo(const StepFailure& c, std::ostream* os) { *os << c.name; }

class OtherStepFailure : public SwapFolder, public ::testing::WithParamInterface<StepFailure> {};

TEST_P(OtherStepFailure, KeepsTheOldSet) {
  FaultyFileOps ops;
  ops.FailNth(GetParam().kind, GetParam().nth, ENOSPC);
  const RebuildOutcome outcome = Rebuild(ops);
  EXPECT_FALSE(outcome.ok);
  EXPECT_TRUE(FailsAs(outcome.failure,
                      {.kind = GetParam().failure, .folder = FolderName(), .reason = SystemReason(ENOSPC)}));
  ExpectSettledOn(old_, "old");
}

constexpr UpdateStatus::Kind kWriteFailed = UpdateStatus::kNewFilesNotWritable;
constexpr UpdateStatus::Kind kPlaceFailed = UpdateStatus::kNewFilesNotPlaced;
INSTANTIATE_TEST_SUITE_P(
    Cases, OtherStepFailure,
    ::testing::Values(StepFailure{"FirstNewFile", FaultyFileOps::kWrite, 1, kWriteFailed},
                      StepFailure{"LastNewFile", FaultyFileOps::kWrite, 4, kWriteFailed},
                      StepFailure{"Journal", FaultyFileOps::kWrite, 5, kWriteFailed},
                      StepFailure{"SyncAfterJournal", FaultyFileOps::kSyncFolder, 1, kWriteFailed},
                      StepFailure{"SyncAfterRenames", FaultyFileOps::kSyncFolder, 2, kPlaceFailed}),
    CaseName());

TEST_F(SwapFolder, FailedRollbackIsFinishedByTheNextOpening) {
  FaultyFileOps ops;
  // The disk fails for good at the fourth rename: new fuken.DAT is in place,
  // city.DAT is moved aside, and no rename of the rollback works either.
  ops.FailNth(FaultyFileOps::kRename, 4, EIO, 1000);
  const RebuildOutcome outcome = Rebuild(ops);
  EXPECT_FALSE(outcome.ok);
  EXPECT_TRUE(FailsAs(outcome.failure, kRollbackLeftForLater));
  EXPECT_EQ(ReadBytes(folder().File("fuken.DAT")), new_[0]) << "the folder was expected to be mid-swap";
  EXPECT_FALSE(QFile::exists(folder().File("city.DAT")));

  EXPECT_EQ(RecoverInterruptedSwap(folder().Path(), files_), SwapRecovery::kRolledBack);
  ExpectSettledOn(old_, "old");
}

// All eight renames are done when the folder sync fails; the rollback then puts
// fuken.DAT back and fails on city.DAT. The next opening must not take the three
// new files still in place for a finished swap.
TEST_F(SwapFolder, RollbackStoppedAfterTheFirstFileIsTakenUpByTheNextOpening) {
  FaultyFileOps ops;
  ops.FailNth(FaultyFileOps::kSyncFolder, 2);
  ops.FailNth(FaultyFileOps::kRename, 10, EIO, 1000);
  const RebuildOutcome outcome = Rebuild(ops);
  EXPECT_FALSE(outcome.ok);
  EXPECT_TRUE(FailsAs(outcome.failure, kRollbackLeftForLater));
  EXPECT_EQ(ReadBytes(folder().File("fuken.DAT")), old_[0]);
  EXPECT_EQ(ReadBytes(folder().File("city.DAT")), new_[1]);

  EXPECT_EQ(RecoverInterruptedSwap(folder().Path(), files_), SwapRecovery::kRolledBack);
  ExpectSettledOn(old_, "old");
}

TEST_F(SwapFolder, OldFilesGoToTheTrashOnlyOnceTheJournalIsGone) {
  FaultyFileOps ops;
  const RebuildOutcome outcome = Rebuild(ops);
  ASSERT_TRUE(outcome.ok) << FailureMessage(outcome.failure).toStdString();
  const qsizetype journalGone = ops.steps.indexOf("remove mirabo.journal");
  ASSERT_GT(journalGone, 0);
  EXPECT_EQ(ops.steps.mid(journalGone, 6), QStringList({"remove mirabo.journal", "sync", "trash fuken.DAT.old",
                                                       "trash city.DAT.old", "trash ubinno.dat.old", "trash ubinind.dat.old"}));
  ExpectSettledOn(new_, "new");
}

mode_t Mode(const QString& path) {
  struct stat info {};
  stat(QFile::encodeName(path).constData(), &info);
  return info.st_mode & 07777;
}

TEST_F(SwapFolder, NewFilesKeepTheOldFilesPermissions) {
  for (const char* name : kDataFiles) chmod(QFile::encodeName(folder().File(name)).constData(), 0640);
  ASSERT_TRUE(Rebuild(files_).ok);
  for (const char* name : kDataFiles) EXPECT_EQ(Mode(folder().File(name)), 0640u) << name;
}

// Another rebuild holds the folder: refused at once, nothing written or moved.
TEST_F(SwapFolder, SecondRebuildIsRefusedAtOnceAndChangesNothing) {
  const DataFolderLock other(QFile::encodeName(folder().File("mirabo.lock")).toStdString(), SystemFileOps());
  ASSERT_TRUE(other.Held());
  const ExpectedFailure busy{.kind = UpdateStatus::kRebuildBusy, .folder = FolderName()};
  FaultyFileOps ops;
  RebuildOutcome outcome = Rebuild(ops);
  EXPECT_FALSE(outcome.ok);
  EXPECT_TRUE(FailsAs(outcome.failure, busy));
  EXPECT_EQ(ops.Steps(), 0);
  EXPECT_EQ(ops.Calls(FaultyFileOps::kRead), 0);
  ExpectSettledOn(old_, "old");

  // Even a missing national file is not looked at.
  outcome = RebuildDataFiles(folder().Path(), folder().File("missing.csv"), {.files = &ops});
  EXPECT_TRUE(FailsAs(outcome.failure, busy));
}

TEST_F(SwapFolder, LockIsFreeAgainAfterARebuildAndAfterARefusal) {
  ASSERT_FALSE(RebuildDataFiles(folder().Path(), folder().File("missing.csv"), {.files = &files_}).ok);
  ASSERT_TRUE(Rebuild(files_).ok);
  const DataFolderLock after(QFile::encodeName(folder().File("mirabo.lock")).toStdString(), SystemFileOps());
  EXPECT_TRUE(after.Held());
}

TEST(RebuildLock, FolderThatCannotHoldALockFileIsRefusedWithTheReason) {
  TempFolder folder;
  WriteBytes(folder.File("KEN_ALL.CSV"), OldCsv());
  FaultyFileOps ops;
  ops.FailNth(FaultyFileOps::kLock, 1, EROFS);
  const RebuildOutcome outcome = RebuildDataFiles(folder.Path(), folder.File("KEN_ALL.CSV"), {.files = &ops});
  EXPECT_FALSE(outcome.ok);
  EXPECT_TRUE(FailsAs(outcome.failure, {.kind = UpdateStatus::kNewFilesNotWritable, .folder = folder.Path(),
                                        .reason = SystemReason(EROFS)}));
  EXPECT_EQ(ops.Steps(), 0);
}

}  // namespace

}  // namespace mirabo
