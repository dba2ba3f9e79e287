// A data folder holding an old set and a national file for a new one, for the swap tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include <QFile>

#include "data/DataSet.h"
#include "support/FaultyFileOps.h"
#include "update/RebuildKit.h"
#include "update/store/SwapRecovery.h"

namespace mirabo {

// What a folder holds once it is settled: the national file, the data set and the
// rebuild lock file, which stays.
inline const QStringList kSettledListing{"KEN_ALL.CSV", "city.DAT", "fuken.DAT", "mirabo.lock", "ubinind.dat", "ubinno.dat"};

// The old set: two prefectures, three entries. The new one: three prefectures, four entries.
inline QByteArray OldCsv() {
  return KenAllLine("0600000", "北海道", "札幌市", "a") + KenAllLine("0600001", "北海道", "札幌市", "b") +
         KenAllLine("1000001", "東京都", "千代田区", "c");
}
inline QByteArray NewCsv() {
  return KenAllLine("0400000", "北海道", "函館市", "x") + KenAllLine("1000002", "東京都", "千代田区", "y") +
         KenAllLine("1000003", "東京都", "千代田区", "z") + KenAllLine("9000000", "沖縄県", "那覇市", "w");
}

class SwapFolder : public ::testing::Test {
 protected:
  // `withOldSet`: the folder first holds the old set; else it has no data files.
  void Prepare(bool withOldSet) {
    if (withOldSet) {
      ASSERT_TRUE(RebuildFrom(folder(), OldCsv(), setupPlatform_).ok);
    }
    old_ = DataFileBytes(folder());
    TempFolder scratch;
    ASSERT_TRUE(RebuildFrom(scratch, NewCsv(), setupPlatform_).ok);
    new_ = DataFileBytes(scratch);
    ASSERT_NE(old_, new_);
    WriteBytes(folder().File("KEN_ALL.CSV"), NewCsv());
  }
  void SetUp() override { Prepare(true); }

  RebuildOutcome Rebuild(FileOps& ops) {
    return RebuildDataFiles(folder().Path(), folder().File("KEN_ALL.CSV"), {.files = &ops});
  }

  // Rebuilds as a process killed just before step `step`; the steps that ran.
  QStringList RebuildKilledAtStep(int step) {
    FaultyFileOps ops;
    ops.KillAtStep(step);
    EXPECT_THROW(Rebuild(ops), ProcessKilled);
    return ops.steps;
  }
  // The same, but the power is cut: the folder loses what it had not synced.
  QStringList RebuildCutAtStep(int step) {
    FaultyFileOps ops;
    ops.CutPowerAtStep(step);
    EXPECT_THROW(Rebuild(ops), ProcessKilled);
    return ops.steps;
  }

  QString FolderName() const { return QDir::toNativeSeparators(QDir(folder().Path()).absolutePath()); }

  // The folder holds exactly `set`, and no journal, ".new" or ".old" file.
  void ExpectSettledOn(const QList<QByteArray>& set, const char* which) {
    EXPECT_EQ(DataFileBytes(folder()), set) << "expected the " << which << " set";
    QStringList listing = FolderListing(folder());
    listing.removeAll("CHANGES.TSV");  // written after a swap over an old set; not the swap's business
    EXPECT_EQ(listing, kSettledListing);
  }

  // A fresh folder, for tests that run several rounds.
  void Renew() { folder_ = std::make_unique<TempFolder>(); }
  const TempFolder& folder() const { return *folder_; }

  std::unique_ptr<TempFolder> folder_ = std::make_unique<TempFolder>();
  RecordingPlatform setupPlatform_;
  TestFileOps files_;  // the calls of rebuilds and openings not under fault
  QList<QByteArray> old_, new_;
};

}  // namespace mirabo
