// A swap stopped at any step, as if killed or by a power cut, is made whole by the next opening.
#include "support/TestText.h"
#include "update/store/DataFolderLock.h"
#include "update/store/SwapKit.h"

namespace mirabo {

namespace {

// The steps of a rebuild over an old set, in order; the swap is decided by the
// eighth rename (step 14): a kill before it gives back the old set, after it the new.
// A power cut decides it at the folder sync after the renames (step 15). Then come
// the old files' trip to the trash and the change report.
const QStringList kStepsOverAnOldSet{
    "write fuken.DAT.new", "write city.DAT.new", "write ubinno.dat.new", "write ubinind.dat.new",
    "write mirabo.journal", "sync",
    "rename fuken.DAT fuken.DAT.old", "rename fuken.DAT.new fuken.DAT",
    "rename city.DAT city.DAT.old", "rename city.DAT.new city.DAT",
    "rename ubinno.dat ubinno.dat.old", "rename ubinno.dat.new ubinno.dat",
    "rename ubinind.dat ubinind.dat.old", "rename ubinind.dat.new ubinind.dat",
    "sync", "sync", "remove mirabo.journal", "sync",
    "trash fuken.DAT.old", "trash city.DAT.old", "trash ubinno.dat.old", "trash ubinind.dat.old",
    "write CHANGES.TSV.new", "rename CHANGES.TSV.new CHANGES.TSV"};

// Over a folder with no data files there is nothing to move aside.
const QStringList kStepsOverNoSet{
    "write fuken.DAT.new", "write city.DAT.new", "write ubinno.dat.new", "write ubinind.dat.new",
    "write mirabo.journal", "sync",
    "rename fuken.DAT.new fuken.DAT", "rename city.DAT.new city.DAT", "rename ubinno.dat.new ubinno.dat",
    "rename ubinind.dat.new ubinind.dat", "sync", "sync", "remove mirabo.journal", "sync"};

struct KillCase {
  int step;  // the step that never ran
  SwapRecovery recovery;
  bool newSet;
};

void PrintTo(const KillCase& c, std::ostream* os) { *os << "kill at step " << c.step; }

class KilledSwap : public SwapFolder, public ::testing::WithParamInterface<KillCase> {
 protected:
  void SetUp() override {}
  // Rebuilds over a folder prepared with or without the old set, killed at the case's
  // step; `steps` are those of a whole swap over such a folder.
  void KillTheSwap(bool withOldSet, const QStringList& steps) {
    Prepare(withOldSet);
    EXPECT_EQ(RebuildKilledAtStep(GetParam().step), steps.mid(0, GetParam().step - 1));
    EXPECT_EQ(RecoverInterruptedSwap(folder().Path(), files_), GetParam().recovery);
  }
};

class KilledSwapOverAnOldSet : public KilledSwap {};
class KilledSwapOverNoSet : public KilledSwap {};

TEST_P(KilledSwapOverAnOldSet, NextOpeningFindsOneWholeSet) {
  KillTheSwap(true, kStepsOverAnOldSet);
  ExpectSettledOn(GetParam().newSet ? new_ : old_, GetParam().newSet ? "new" : "old");
  DataSet data;
  data.OpenDataFiles(folder().Path());
  EXPECT_EQ(data.EntryCount, GetParam().newSet ? 4 : 3);
  EXPECT_EQ(data.IndexCount, data.EntryCount);
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, KilledSwapOverAnOldSet,
    ::testing::Values(KillCase{1, SwapRecovery::kNothing, false}, KillCase{2, SwapRecovery::kTidied, false},
                      KillCase{5, SwapRecovery::kTidied, false}, KillCase{6, SwapRecovery::kRolledBack, false},
                      KillCase{7, SwapRecovery::kRolledBack, false}, KillCase{8, SwapRecovery::kRolledBack, false},
                      KillCase{9, SwapRecovery::kRolledBack, false}, KillCase{10, SwapRecovery::kRolledBack, false},
                      KillCase{11, SwapRecovery::kRolledBack, false}, KillCase{12, SwapRecovery::kRolledBack, false},
                      KillCase{13, SwapRecovery::kRolledBack, false}, KillCase{14, SwapRecovery::kRolledBack, false},
                      KillCase{15, SwapRecovery::kFinished, true}, KillCase{16, SwapRecovery::kFinished, true},
                      KillCase{17, SwapRecovery::kFinished, true}, KillCase{18, SwapRecovery::kTidied, true}));

TEST_P(KilledSwapOverNoSet, NextOpeningFindsOneWholeSet) {
  KillTheSwap(false, kStepsOverNoSet);
  if (GetParam().newSet) {
    ExpectSettledOn(new_, "new");
  } else {
    for (const char* name : kDataFiles) EXPECT_FALSE(QFile::exists(folder().File(name))) << name;
    EXPECT_EQ(FolderListing(folder()), QStringList({"KEN_ALL.CSV", "mirabo.lock"}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, KilledSwapOverNoSet,
    ::testing::Values(KillCase{1, SwapRecovery::kNothing, false}, KillCase{6, SwapRecovery::kRolledBack, false},
                      KillCase{7, SwapRecovery::kRolledBack, false}, KillCase{8, SwapRecovery::kRolledBack, false},
                      KillCase{10, SwapRecovery::kRolledBack, false}, KillCase{11, SwapRecovery::kFinished, true},
                      KillCase{13, SwapRecovery::kFinished, true}, KillCase{14, SwapRecovery::kNothing, true}));

// A power cut before a step: entries not yet synced (new files, renames, removals)
// are lost, so the next opening finds the folder as of its last sync.
class PowerCutSwap : public KilledSwap {
 protected:
  void CutTheSwap(bool withOldSet, const QStringList& steps) {
    Prepare(withOldSet);
    EXPECT_EQ(RebuildCutAtStep(GetParam().step), steps.mid(0, GetParam().step - 1));
    EXPECT_EQ(RecoverInterruptedSwap(folder().Path(), files_), GetParam().recovery);
  }
};

class PowerCutOverAnOldSet : public PowerCutSwap {};
class PowerCutOverNoSet : public PowerCutSwap {};

TEST_P(PowerCutOverAnOldSet, NextOpeningFindsOneWholeSet) {
  CutTheSwap(true, kStepsOverAnOldSet);
  ExpectSettledOn(GetParam().newSet ? new_ : old_, GetParam().newSet ? "new" : "old");
}

// Before the first sync the new files and the journal vanish; renames not yet synced
// come undone, even all eight (step 15); the journal removed but not synced comes
// back (step 18) and, with the old files still there, finishes the swap again.
INSTANTIATE_TEST_SUITE_P(
    EachStep, PowerCutOverAnOldSet,
    ::testing::Values(KillCase{2, SwapRecovery::kNothing, false}, KillCase{6, SwapRecovery::kNothing, false},
                      KillCase{7, SwapRecovery::kRolledBack, false}, KillCase{10, SwapRecovery::kRolledBack, false},
                      KillCase{15, SwapRecovery::kRolledBack, false}, KillCase{16, SwapRecovery::kFinished, true},
                      KillCase{18, SwapRecovery::kFinished, true}, KillCase{19, SwapRecovery::kTidied, true},
                      KillCase{21, SwapRecovery::kTidied, true}));

TEST_P(PowerCutOverNoSet, NextOpeningFindsOneWholeSet) {
  CutTheSwap(false, kStepsOverNoSet);
  if (GetParam().newSet) {
    ExpectSettledOn(new_, "new");
  } else {
    EXPECT_EQ(FolderListing(folder()), QStringList({"KEN_ALL.CSV", "mirabo.lock"}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, PowerCutOverNoSet,
    ::testing::Values(KillCase{6, SwapRecovery::kNothing, false}, KillCase{7, SwapRecovery::kRolledBack, false},
                      KillCase{11, SwapRecovery::kRolledBack, false}, KillCase{12, SwapRecovery::kFinished, true},
                      KillCase{14, SwapRecovery::kFinished, true}));

TEST_F(SwapFolder, UnstoppedSwapTakesExactlyTheListedSteps) {
  FaultyFileOps ops;
  ASSERT_TRUE(Rebuild(ops).ok);
  EXPECT_EQ(ops.steps, kStepsOverAnOldSet);
}

// The opening that repairs a swap is itself killed at each of its steps; the one
// after it still ends on the set the first would have chosen.
TEST_F(SwapFolder, RecoveryKilledAtEachStepIsTakenUpAgain) {
  struct Round {
    int swapKilledAt;
    bool newSet;
  };
  for (const Round round : {Round{10, false}, Round{16, true}}) {
    for (int recoveryKilledAt = 1;; ++recoveryKilledAt) {
      Renew();
      Prepare(true);
      RebuildKilledAtStep(round.swapKilledAt);

      FaultyFileOps recovery;
      recovery.KillAtStep(recoveryKilledAt);
      bool killed = false;
      try {
        RecoverInterruptedSwap(folder().Path(), recovery);
      } catch (const ProcessKilled&) {
        killed = true;
      }
      RecoverInterruptedSwap(folder().Path(), files_);
      ExpectSettledOn(round.newSet ? new_ : old_, round.newSet ? "new" : "old");
      if (!killed || HasFailure()) break;
    }
  }
}

// A ".old" file left from a swap long done must never be taken for this swap's.
TEST_F(SwapFolder, StaleOldFileIsClearedBeforeTheSwapStarts) {
  WriteBytes(folder().File("fuken.DAT.old"), QByteArray(36, 'z'));
  RebuildKilledAtStep(7);  // the journal is written, nothing renamed yet
  EXPECT_EQ(RecoverInterruptedSwap(folder().Path(), files_), SwapRecovery::kRolledBack);
  ExpectSettledOn(old_, "old");
}

TEST_F(SwapFolder, PartialJournalMeansNothingWasRenamed) {
  RebuildKilledAtStep(6);
  // A power cut tore the journal: its last line never reached the disk.
  const QByteArray journal = ReadBytes(folder().File("mirabo.journal"));
  WriteBytes(folder().File("mirabo.journal"), journal.left(journal.size() - 3));
  EXPECT_EQ(RecoverInterruptedSwap(folder().Path(), files_), SwapRecovery::kRolledBack);
  ExpectSettledOn(old_, "old");
}

// A rebuild in another process is mid-swap: opening waits for it and touches nothing.
TEST_F(SwapFolder, OpeningDuringALiveSwapLeavesItAlone) {
  RebuildKilledAtStep(10);
  const QList<QByteArray> midSwap = DataFileBytes(folder());
  {
    const DataFolderLock live(QFile::encodeName(folder().File("mirabo.lock")).toStdString(), SystemFileOps());
    FaultyFileOps opening;
    EXPECT_EQ(RecoverInterruptedSwap(folder().Path(), opening, 100), SwapRecovery::kBusy);
    EXPECT_EQ(opening.Steps(), 0);
    EXPECT_EQ(opening.pauses, 5);  // 100 ms in steps of 20 while the journal stays
    EXPECT_EQ(DataFileBytes(folder()), midSwap);
  }
  EXPECT_EQ(RecoverInterruptedSwap(folder().Path(), files_), SwapRecovery::kRolledBack);
  ExpectSettledOn(old_, "old");
}

}  // namespace

}  // namespace mirabo
