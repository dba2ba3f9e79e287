// mirabo-cli against a mistyped or damaged data folder and a standard output that fails.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "data/DataSet.h"
#include "support/CliRun.h"
#include "support/DataBuilder.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace {

// Every command that only reads the data, with arguments that find something.
const QList<QStringList> kReadingCommands = {
    {"browse"}, {"browse", "0"}, {"code", "1000001"}, {"address", "千代田"}, {"info"}, {"copy", "1"}};
// The same and the list check, which reads the data too (its list from empty standard input).
const QList<QStringList> kFolderCommands = kReadingCommands + QList<QStringList>{{"check", "-"}};

// Runs the program through the shell, so that its standard output can be /dev/full
// or closed; `redirect` is the shell's redirection of handle 1.
CliRun RunRedirected(const QStringList& args, const QString& redirect) {
  QProcess process;
  process.start("/bin/sh", QStringList{"-c", "exec \"$0\" \"$@\" " + redirect, MIRABO_CLI_PATH} + args);
  CliRun run;
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return run;
  run.status = process.exitCode();
  run.err = process.readAllStandardError();
  return run;
}

class CliDataFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteDataFiles(folder_.Path(), {Entry("1000001", U("東京都"), U("千代田区"), U("千代田")),
                                    Entry("1000002", U("東京都"), U("千代田区"), U("丸の内"))});
    before_ = DataFileBytes(folder_);
  }
  QStringList With(const QStringList& command) const { return QStringList{"--data", folder_.Path()} + command; }

  TempFolder folder_;
  QList<QByteArray> before_;
};

TEST_F(CliDataFolder, FullStandardOutputIsAFailureWithTheSystemsReason) {
  for (const QStringList& command : kReadingCommands + QList<QStringList>{{"--help"}}) {
    const CliRun run = RunRedirected(With(command), ">/dev/full");
    EXPECT_EQ(run.status, 2) << command.join(' ').toStdString();
    EXPECT_EQ(run.err, "mirabo-cli: cannot write standard output: No space left on device\n")
        << command.join(' ').toStdString();
  }
  EXPECT_EQ(DataFileBytes(folder_), before_);
}

TEST_F(CliDataFolder, ClosedStandardOutputFailsAndNoOutputLandsInADataFile) {
  for (const QStringList& command : kReadingCommands) {
    const CliRun run = RunRedirected(With(command), ">&-");
    EXPECT_EQ(run.status, 2) << command.join(' ').toStdString();
    EXPECT_EQ(run.err, "mirabo-cli: cannot write standard output: Bad file descriptor\n")
        << command.join(' ').toStdString();
  }
  EXPECT_EQ(DataFileBytes(folder_), before_);
}

TEST_F(CliDataFolder, DamagedDataSetIsRefusedByEveryReadingCommand) {
  ASSERT_TRUE(QFile::resize(folder_.File("fuken.DAT"), qint64(18) * 50000000));  // sparse
  for (const QStringList& command : kFolderCommands) {
    const CliRun run = RunCli(With(command));
    EXPECT_EQ(run.status, 2) << command.join(' ').toStdString();
    EXPECT_TRUE(run.out.isEmpty()) << command.join(' ').toStdString();
    EXPECT_EQ(QString::fromUtf8(run.err),
              U("mirabo-cli: データファイルが壊れています。郵便番号ファイル更新でデータを作り直してください。\n"))
        << command.join(' ').toStdString();
  }
}

TEST(CliMistypedFolder, MissingFolderIsAnErrorForEveryReadingCommand) {
  TempFolder root;
  const QString missing = root.Path() + "nonexistent";
  for (const QStringList& command : kFolderCommands) {
    const CliRun run = RunCli(QStringList{"--data", missing} + command);
    EXPECT_EQ(run.status, 2) << command.join(' ').toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(QString::fromUtf8(run.err), "mirabo-cli: no data files in " + missing + "\n");
  }
  EXPECT_FALSE(QFile::exists(missing));
}

TEST(CliMistypedFolder, FolderWithoutDataFilesIsAnErrorAndStaysEmpty) {
  TempFolder folder;
  WriteBytes(folder.File("notes.txt"), "x");
  for (const QStringList& command : kFolderCommands) {
    const CliRun run = RunCli(QStringList{"--data", folder.Path()} + command);
    EXPECT_EQ(run.status, 2) << command.join(' ').toStdString();
    EXPECT_EQ(QString::fromUtf8(run.err), "mirabo-cli: no data files in " + folder.Path().chopped(1) + "\n");
  }
  EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files), QStringList{"notes.txt"});
}

TEST(CliMistypedFolder, RebuildStillMakesTheFilesInAnEmptyFolder) {
  TempFolder folder;
  WriteBytes(folder.File("KEN_ALL.CSV"), MakeKenAll(20));
  const CliRun run = RunCli({"--data", folder.Path(), "rebuild"}, {}, folder.Path());
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  for (const char* name : kDataFiles)
    EXPECT_TRUE(QFile::exists(folder.File(name))) << name;
}

TEST(CliMistypedFolder, RebuildIntoAMissingFolderNamesItAndTheReason) {
  TempFolder root;
  WriteBytes(root.File("KEN_ALL.CSV"), MakeKenAll(20));
  const QString missing = root.Path() + "nonexistent";
  const CliRun run = RunCli({"--data", missing, "rebuild", "--csv", root.File("KEN_ALL.CSV")}, {}, root.Path());
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(QString::fromUtf8(run.err),
            U("mirabo-cli: データフォルダに書き込めません（フォルダ: %1、理由: No such file or directory）。"
              "データは変更していません。\n")
                .arg(missing));
  EXPECT_FALSE(QFile::exists(missing));
}

}  // namespace
