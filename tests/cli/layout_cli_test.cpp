// mirabo-cli's data folder: next to an uninstalled copy, the user's data folder for an
// installed one, and --data over both. Runs a copy of the program laid out as installed.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "support/CliRun.h"
#include "support/TestFiles.h"
#include "support/TestPaths.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

const QByteArray kCsv =
    "1,\"1  \",\"1000001\",\"k\",\"k\",\"k\",\"P1\",\"C1\",\"a\",0,0,0,0,0,0\r\n"
    "1,\"1  \",\"1000002\",\"k\",\"k\",\"k\",\"P1\",\"C2\",\"b\",0,0,0,0,0,0\r\n";
const QByteArray kCounts = "fuken.DAT 2\ncity.DAT 2\nubinno.dat 2\nubinind.dat 2\nchanges first-import\n";

// PREFIX/bin/mirabo-cli (a copy of the built program) and PREFIX/share/mirabo.
class InstalledCli : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir().mkpath(temp_.File("prefix/bin")));
    ASSERT_TRUE(QDir().mkpath(temp_.File("prefix/share/mirabo")));
    ASSERT_TRUE(QDir().mkpath(temp_.File("home")));
    ASSERT_TRUE(QFile::copy(CliProgram(), Program()));
    WriteBytes(temp_.File("national.csv"), kCsv);
  }
  QString Program() const { return temp_.File("prefix/bin/mirabo-cli"); }
  QString Path(const QString& name) const { return temp_.File(name); }

  // Runs the copy with HOME in the test folder, and XDG_DATA_HOME there unless `xdg` is false.
  CliRun RunProgram(const QStringList& args, bool xdg = true) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", Path("home"));
    if (xdg) env.insert("XDG_DATA_HOME", Path("xdg"));
    else env.remove("XDG_DATA_HOME");
    return mirabo::RunProgram(Program(), args, env, {}, temp_.Path());
  }
  QStringList BinFolder() const { return QDir(Path("prefix/bin")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); }

  TempFolder temp_;
};

TEST_F(InstalledCli, KeepsItsDataInXdgDataHome) {
  const CliRun run = RunProgram({"rebuild", "--csv", Path("national.csv")});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, kCounts);
  EXPECT_EQ(QFileInfo(Path("xdg/mirabo/ubinno.dat")).size(), 2 * 130);
  EXPECT_EQ(BinFolder(), QStringList({"mirabo-cli"}));  // nothing written next to the program
  EXPECT_FALSE(QFileInfo::exists(Path("home/.local")));

  const CliRun code = RunProgram({"code", "1000002"});
  EXPECT_EQ(code.status, 0) << code.err.toStdString();
  EXPECT_TRUE(code.out.startsWith("1000002")) << code.out.toStdString();
}

TEST_F(InstalledCli, WithoutXdgDataHomeUsesHome) {
  const CliRun run = RunProgram({"rebuild", "--csv", Path("national.csv")}, false);
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(QFileInfo(Path("home/.local/share/mirabo/fuken.DAT")).size(), 2 * 18);
  EXPECT_FALSE(QFileInfo::exists(Path("xdg")));
}

TEST_F(InstalledCli, DefaultNationalFileIsLookedUpInTheDataFolder) {
  ASSERT_TRUE(QDir().mkpath(Path("xdg/mirabo")));
  WriteBytes(Path("xdg/mirabo/KEN_ALL.CSV"), kCsv);
  WriteBytes(Path("prefix/bin/KEN_ALL.CSV"), "1,\"1  \",\"9999999\",\"k\",\"k\",\"k\",\"P\",\"C\",\"z\",0,0,0,0,0,0\r\n");
  const CliRun run = RunProgram({"rebuild"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, kCounts);  // two rows: the data folder's file, not the one beside the program
}

TEST_F(InstalledCli, DataOptionOverridesTheInstalledLayout) {
  ASSERT_TRUE(QDir().mkpath(Path("chosen")));
  const CliRun run = RunProgram({"--data", Path("chosen"), "rebuild", "--csv", Path("national.csv")});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(QFileInfo(Path("chosen/ubinind.dat")).size(), 2 * 14);
  EXPECT_FALSE(QFileInfo::exists(Path("xdg"))) << "the user's data folder is not even made";
  EXPECT_EQ(BinFolder(), QStringList({"mirabo-cli"}));
}

TEST_F(InstalledCli, DataOptionOverridesThePortableLayout) {
  ASSERT_TRUE(QDir(Path("prefix/share")).removeRecursively());
  ASSERT_TRUE(QDir().mkpath(Path("chosen")));
  const CliRun run = RunProgram({"--data", Path("chosen"), "rebuild", "--csv", Path("national.csv")});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(QFileInfo(Path("chosen/ubinind.dat")).size(), 2 * 14);
  EXPECT_EQ(BinFolder(), QStringList({"mirabo-cli"}));
}

TEST_F(InstalledCli, WithoutTheShareFolderItIsPortable) {
  ASSERT_TRUE(QDir(Path("prefix/share")).removeRecursively());
  const CliRun run = RunProgram({"rebuild", "--csv", Path("national.csv")});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(QFileInfo(Path("prefix/bin/ubinno.dat")).size(), 2 * 130);
  EXPECT_FALSE(QFileInfo::exists(Path("xdg")));
}

TEST_F(InstalledCli, HelpAndBadUseMakeNoFolder) {
  EXPECT_EQ(RunProgram({"--help"}).status, 0);
  EXPECT_EQ(RunProgram({}).status, 2);
  EXPECT_EQ(RunProgram({"nonsense"}).status, 2);
  EXPECT_FALSE(QFileInfo::exists(Path("xdg")));
}

TEST_F(InstalledCli, DataFolderThatCannotBeMadeFailsWithOneLine) {
  WriteBytes(Path("xdg"), "a file where the folder should go");
  const CliRun run = RunProgram({"info"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, QStringLiteral("mirabo-cli: データフォルダー %1 を作成できません。\n").arg(Path("xdg/mirabo/")).toUtf8());
  EXPECT_EQ(run.out, "");
}

}  // namespace

}  // namespace mirabo
