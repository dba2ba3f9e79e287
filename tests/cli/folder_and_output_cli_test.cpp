// mirabo-cli against a mistyped or damaged data folder and a standard output that fails.
#include <gtest/gtest.h>

#include <vector>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "data/DataSet.h"
#include "support/CaseName.h"
#include "support/CliRun.h"
#include "support/DataBuilder.h"
#include "support/TestFiles.h"
#include "support/TestPaths.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

struct Command {
  const char* name;
  QStringList args;
};
void PrintTo(const Command& c, std::ostream* os) { *os << c.name; }

// Every command that only reads the data, with arguments that find something.
const std::vector<Command> kReadingCommands = {{"browse", {"browse"}},   {"browse cities", {"browse", "0"}},
                                               {"code", {"code", "1000001"}}, {"address", {"address", "千代田"}},
                                               {"info", {"info"}},       {"copy", {"copy", "1"}}};
std::vector<Command> ReadingCommandsAnd(const Command& more) {
  std::vector<Command> commands = kReadingCommands;
  commands.push_back(more);
  return commands;
}
// The reading commands and the list check, which reads the data too (its list from
// empty standard input).
const std::vector<Command> kFolderCommands = ReadingCommandsAnd({"check", {"check", "-"}});

// Runs the program through the shell, so that its standard output can be /dev/full
// or closed; `redirect` is the shell's redirection of handle 1.
CliRun RunRedirected(const QStringList& args, const QString& redirect) {
  QProcess process;
  process.start("/bin/sh", QStringList{"-c", "exec \"$0\" \"$@\" " + redirect, CliProgram()} + args);
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

class FullOutput : public CliDataFolder, public ::testing::WithParamInterface<Command> {};

TEST_P(FullOutput, IsAFailureWithTheSystemsReason) {
  const CliRun run = RunRedirected(With(GetParam().args), ">/dev/full");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "mirabo-cli: cannot write standard output: No space left on device\n");
  EXPECT_EQ(DataFileBytes(folder_), before_);
}

INSTANTIATE_TEST_SUITE_P(ReadingCommandsAndHelp, FullOutput,
                         ::testing::ValuesIn(ReadingCommandsAnd({"help", {"--help"}})), CaseName());

class ClosedOutput : public CliDataFolder, public ::testing::WithParamInterface<Command> {};

TEST_P(ClosedOutput, FailsAndNoOutputLandsInADataFile) {
  const CliRun run = RunRedirected(With(GetParam().args), ">&-");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "mirabo-cli: cannot write standard output: Bad file descriptor\n");
  EXPECT_EQ(DataFileBytes(folder_), before_);
}

INSTANTIATE_TEST_SUITE_P(ReadingCommands, ClosedOutput, ::testing::ValuesIn(kReadingCommands), CaseName());

class DamagedDataSet : public CliDataFolder, public ::testing::WithParamInterface<Command> {};

TEST_P(DamagedDataSet, IsRefused) {
  ASSERT_TRUE(QFile::resize(folder_.File("fuken.DAT"), qint64(18) * 50000000));  // sparse
  const CliRun run = RunCli(With(GetParam().args));
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_EQ(QString::fromUtf8(run.err),
            U("mirabo-cli: データファイルが壊れています。郵便番号ファイル更新でデータを作り直してください。\n"));
}

INSTANTIATE_TEST_SUITE_P(ReadingCommands, DamagedDataSet, ::testing::ValuesIn(kFolderCommands), CaseName());

class MistypedFolder : public ::testing::TestWithParam<Command> {
 protected:
  TempFolder root_;
};

TEST_P(MistypedFolder, MissingFolderIsAnError) {
  const QString missing = root_.Path() + "nonexistent";
  const CliRun run = RunCli(QStringList{"--data", missing} + GetParam().args);
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_EQ(QString::fromUtf8(run.err), "mirabo-cli: no data files in " + missing + "\n");
  EXPECT_FALSE(QFile::exists(missing));
}

TEST_P(MistypedFolder, FolderWithoutDataFilesIsAnErrorAndStaysEmpty) {
  WriteBytes(root_.File("notes.txt"), "x");
  const CliRun run = RunCli(QStringList{"--data", root_.Path()} + GetParam().args);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(QString::fromUtf8(run.err), "mirabo-cli: no data files in " + root_.Path().chopped(1) + "\n");
  EXPECT_EQ(QDir(root_.Path()).entryList(QDir::Files), QStringList{"notes.txt"});
}

INSTANTIATE_TEST_SUITE_P(ReadingCommands, MistypedFolder, ::testing::ValuesIn(kFolderCommands), CaseName());

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

}  // namespace mirabo
