// mirabo-cli changes, and the changes line that every rebuild prints.
#include <gtest/gtest.h>

#include <QDir>

#include "support/CliRun.h"
#include "support/DataBuilder.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

class ChangesCli : public ::testing::Test {
 protected:
  CliRun Rebuild(const QByteArray& csv) {
    WriteBytes(folder_.File("KEN_ALL.CSV"), csv);
    return RunCli({"--data", folder_.Path(), "rebuild"}, {}, folder_.Path());
  }
  CliRun Changes() { return RunCli({"--data", folder_.Path(), "changes"}, {}, folder_.Path()); }
  TempFolder folder_;
};

TEST_F(ChangesCli, NoReportBeforeTheSecondRebuildExitsOne) {
  const CliRun first = Rebuild(KenAllLine("1000001", "P", "C", "a"));
  ASSERT_EQ(first.status, 0) << first.err.toStdString();
  EXPECT_TRUE(first.out.endsWith("ubinind.dat 1\nchanges first-import\n")) << first.out.toStdString();
  const CliRun run = Changes();
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_TRUE(run.err.contains("CHANGES.TSV")) << run.err.toStdString();
}

TEST_F(ChangesCli, PrintsTheReportWithoutItsHeaderInTheFilesOrder) {
  const QByteArray before = KenAllLine("1000001", "P", "C", "a") + KenAllLine("1000002", "P", "C", "b") +
                           KenAllLine("1000002", "P", "C", "b");
  ASSERT_EQ(Rebuild(before).status, 0);
  const CliRun rebuild = Rebuild(KenAllLine("1000003", "P", "D", "c") + KenAllLine("1000001", "P", "C", "x") +
                                 KenAllLine("1000002", "P", "C", "b"));
  ASSERT_EQ(rebuild.status, 0) << rebuild.err.toStdString();
  EXPECT_TRUE(rebuild.out.endsWith("ubinind.dat 3\nchanges +2 -2\n")) << rebuild.out.toStdString();
  const CliRun run = Changes();
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, "-\t1000001\tP\tC\ta\n"
                     "+\t1000001\tP\tC\tx\n"
                     "-\t1000002\tP\tC\tb\n"
                     "+\t1000003\tP\tD\tc\n");
}

TEST_F(ChangesCli, NoChangesPrintsNothingAndExitsZero) {
  ASSERT_EQ(Rebuild(KenAllLine("1000001", "P", "C", "a")).status, 0);
  const CliRun rebuild = Rebuild(KenAllLine("1000001", "P", "C", "a"));
  EXPECT_TRUE(rebuild.out.endsWith("changes +0 -0\n")) << rebuild.out.toStdString();
  const CliRun run = Changes();
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
}

TEST_F(ChangesCli, DamagedReportExitsTwoNamingTheLine) {
  ASSERT_EQ(Rebuild(KenAllLine("1000001", "P", "C", "a")).status, 0);
  WriteBytes(folder_.File("CHANGES.TSV"), "区分\t郵便番号\t都道府県\t市区町村\t町域\n+\t1\n");
  const CliRun run = Changes();
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "mirabo-cli: 「CHANGES.TSV」の 2 行目が読めません。\n");
}

TEST_F(ChangesCli, FolderWithoutDataFilesExitsTwoAsForEveryCommand) {
  const TempFolder empty;
  const CliRun run = RunCli({"--data", empty.Path(), "changes"}, {}, empty.Path());
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, QStringLiteral("mirabo-cli: no data files in %1\n")
                         .arg(QDir::toNativeSeparators(QDir(empty.Path()).absolutePath())));
}

TEST_F(ChangesCli, ExtraArgumentsAreBadUse) { EXPECT_EQ(RunCli({"--data", folder_.Path(), "changes", "x"}).status, 2); }

}  // namespace

}  // namespace mirabo
