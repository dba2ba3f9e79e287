// The real mirabo-cli under a failing or killed swap, and two rebuilds of one folder at once.
#include <gtest/gtest.h>

#include <iostream>
#include <memory>

#include <QDir>
#include <QProcess>

#include "support/DataBuilder.h"
#include "support/TestFiles.h"
#include "support/TestPaths.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

QString NativeName(const TempFolder& folder) { return QDir::toNativeSeparators(QDir(folder.Path()).absolutePath()); }

// mirabo-cli started, not waited for; its trash lives in `trashHome`.
std::unique_ptr<QProcess> StartCli(const QStringList& args, const TempFolder& trashHome,
                                   const QList<QPair<QString, QString>>& env = {}) {
  auto process = std::make_unique<QProcess>();
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("XDG_DATA_HOME", trashHome.Path());
  environment.insert("LC_ALL", "C.UTF-8");  // the system's reasons in English
  for (const auto& [name, value] : env) environment.insert(name, value);
  process->setProcessEnvironment(environment);
  process->start(CliProgram(), args);
  return process;
}

// Waits; the exit status, or -1 for a crash or a kill.
int Finish(QProcess& process) {
  if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) return -1;
  return process.exitCode();
}

class SwapCli : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(data_.File("KEN_ALL.CSV"), oldCsv_);
    auto setup = StartCli({"--data", data_.Path(), "rebuild"}, trash_);
    ASSERT_EQ(Finish(*setup), 0);
    ASSERT_EQ(DataFileBytes(data_.Path()), oldSet_);
    WriteBytes(data_.File("KEN_ALL.CSV"), newCsv_);
  }

  QList<QPair<QString, QString>> Shim(const char* setting, int k) const {
    return {{"LD_PRELOAD", QStringLiteral(MIRABO_FS_SHIM)},
            {"ASAN_OPTIONS", "verify_asan_link_order=0"},
            {"MIRABO_SHIM_DIR", data_.Path()},
            {setting, QString::number(k)}};
  }

  TempFolder data_, trash_;
  const QByteArray oldCsv_ = MakeKenAll(300, 1), newCsv_ = MakeKenAll(320, 2);
  const QList<QByteArray> oldSet_ = RebuiltDataFiles(oldCsv_), newSet_ = RebuiltDataFiles(newCsv_);
};

TEST_F(SwapCli, EachFailingRenameExitsTwoAndKeepsTheOldSet) {
  for (int k = 1; k <= 8; ++k) {
    auto run = StartCli({"--data", data_.Path(), "rebuild"}, trash_, Shim("MIRABO_SHIM_FAIL_RENAME", k));
    EXPECT_EQ(Finish(*run), 2) << "rename " << k;
    EXPECT_EQ(QString::fromUtf8(run->readAllStandardError()),
              QStringLiteral("mirabo-cli: 新しいデータファイルを置けません（フォルダ: %1、理由: Input/output error）。"
                             "データは変更していません。\n")
                  .arg(NativeName(data_)))
        << "rename " << k;
    EXPECT_EQ(DataFileBytes(data_.Path()), oldSet_) << "rename " << k;
  }
}

// Killed before each step of the swap: the next command finds one whole set, the
// old one until all eight renames are done, the new one after them.
TEST_F(SwapCli, KilledAtEachStepTheNextCommandFindsOneWholeSet) {
  int olds = 0, news = 0;
  for (int k = 1; k <= 19; ++k) {
    auto run = StartCli({"--data", data_.Path(), "rebuild"}, trash_, Shim("MIRABO_SHIM_KILL_STEP", k));
    const int status = Finish(*run);
    auto next = StartCli({"--data", data_.Path(), "info"}, trash_);
    EXPECT_EQ(Finish(*next), 0);
    const QList<QByteArray> set = DataFileBytes(data_.Path());
    if (k <= 14) {
      EXPECT_EQ(status, -1) << "step " << k;
      EXPECT_EQ(set, oldSet_) << "step " << k;
    } else {
      EXPECT_EQ(set, newSet_) << "step " << k;
    }
    QStringList listing = QDir(data_.Path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    // The change report follows a finished swap; a kill while it is written may leave
    // its temporary file, which is not part of the data set.
    listing.removeIf([](const QString& name) { return name.startsWith("CHANGES.TSV"); });
    EXPECT_EQ(listing, QStringList({"KEN_ALL.CSV", "city.DAT", "fuken.DAT", "mirabo.lock", "ubinind.dat", "ubinno.dat"}))
        << "step " << k;
    (set == oldSet_ ? olds : news) += 1;
    if (set == newSet_) {  // back to the old set for the next round
      WriteBytes(data_.File("KEN_ALL.CSV"), oldCsv_);
      ASSERT_EQ(Finish(*StartCli({"--data", data_.Path(), "rebuild"}, trash_)), 0);
      WriteBytes(data_.File("KEN_ALL.CSV"), newCsv_);
    }
  }
  std::cout << "kills leaving the old set: " << olds << ", the new set: " << news << '\n';
}

int Rounds() {
  const int rounds = qEnvironmentVariableIntValue("MIRABO_CONCURRENT_ROUNDS");
  return rounds > 0 ? rounds : 12;
}

// Two rebuilds from different files started together: one wins, the other is
// refused at once, and the folder holds the winner's set whole.
TEST(ConcurrentRebuildCli, OneWinsTheOtherIsRefusedAndTheSetIsWhole) {
  const QByteArray csvA = MakeKenAll(20000, 3), csvB = MakeKenAll(20000, 4);
  const QList<QByteArray> setA = RebuiltDataFiles(csvA), setB = RebuiltDataFiles(csvB);
  TempFolder trash, files;
  WriteBytes(files.File("a.csv"), csvA);
  WriteBytes(files.File("b.csv"), csvB);
  int refused = 0, oneAfterTheOther = 0;
  for (int round = 0; round < Rounds(); ++round) {
    TempFolder data;
    auto a = StartCli({"--data", data.Path(), "rebuild", "--csv", files.File("a.csv")}, trash);
    auto b = StartCli({"--data", data.Path(), "rebuild", "--csv", files.File("b.csv")}, trash);
    const int statusA = Finish(*a), statusB = Finish(*b);
    const QList<QByteArray> set = DataFileBytes(data.Path());
    const QString busy = QStringLiteral("mirabo-cli: 別の郵便番号ファイル更新が実行中です（フォルダ: %1）。データは変更していません。\n")
                             .arg(NativeName(data));
    if (statusA == 0 && statusB == 2) {
      EXPECT_EQ(QString::fromUtf8(b->readAllStandardError()), busy);
      EXPECT_EQ(set, setA) << "round " << round;
      ++refused;
    } else if (statusA == 2 && statusB == 0) {
      EXPECT_EQ(QString::fromUtf8(a->readAllStandardError()), busy);
      EXPECT_EQ(set, setB) << "round " << round;
      ++refused;
    } else {
      // Only when one had ended before the other took the lock.
      EXPECT_EQ(statusA, 0);
      EXPECT_EQ(statusB, 0);
      EXPECT_TRUE(set == setA || set == setB) << "round " << round;
      ++oneAfterTheOther;
    }
    if (HasFailure()) break;
  }
  std::cout << "rounds: " << Rounds() << ", one refused: " << refused << ", one after the other: " << oneAfterTheOther
            << '\n';
  EXPECT_GT(refused, 0);
}

}  // namespace

}  // namespace mirabo
