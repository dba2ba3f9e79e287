// mirabo-cli rebuild: its output, exit status and files, against the core's own rebuild.
#include <gtest/gtest.h>

#include <QDir>

#include "support/RecordingPlatform.h"
#include "support/CliRun.h"
#include "support/DataBuilder.h"
#include "support/TestFiles.h"
#include "support/TestText.h"
#include "update/Rebuild.h"

namespace mirabo {

namespace {

const QByteArray kCsv = KenAllLine("1000001", "P1", "C1", "a") + KenAllLine("1000002", "P1", "C2", "b") +
                        KenAllLine("2000001", "P2", "C3", "c");

TEST(RebuildCli, PrintsTheFourCountsAndWritesWhatTheCoreWrites) {
  TempFolder cli, core;
  WriteBytes(cli.File("KEN_ALL.CSV"), kCsv);
  WriteBytes(core.File("KEN_ALL.CSV"), kCsv);
  const CliRun run = RunCli({"--data", cli.Path(), "rebuild"}, {}, cli.Path());
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, "fuken.DAT 3\ncity.DAT 3\nubinno.dat 3\nubinind.dat 3\nchanges first-import\n");

  RecordingPlatform platform;
  ASSERT_TRUE(RebuildDataFiles(core.Path(), core.File("KEN_ALL.CSV"), {.files = &platform.Files()}).ok);
  for (const char* name : kDataFiles) EXPECT_EQ(ReadBytes(cli.File(name)), ReadBytes(core.File(name))) << name;
  EXPECT_EQ(ReadBytes(cli.File("fuken.DAT")).size(), 3 * 18);
}

TEST(RebuildCli, CsvOptionNamesAnotherFile) {
  TempFolder folder;
  WriteBytes(folder.File("other.csv"), KenAllLine("1000001", "P", "C", "a"));
  const CliRun run = RunCli({"--data", folder.Path(), "rebuild", "--csv", folder.File("other.csv")}, {}, folder.Path());
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, "fuken.DAT 2\ncity.DAT 1\nubinno.dat 1\nubinind.dat 1\nchanges first-import\n");
}

TEST(RebuildCli, SecondRebuildReplacesTheFiles) {
  TempFolder folder;
  WriteBytes(folder.File("KEN_ALL.CSV"), kCsv);
  ASSERT_EQ(RunCli({"--data", folder.Path(), "rebuild"}, {}, folder.Path()).status, 0);
  WriteBytes(folder.File("KEN_ALL.CSV"), KenAllLine("1000001", "P", "C", "a"));
  const CliRun run = RunCli({"--data", folder.Path(), "rebuild"}, {}, folder.Path());
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, "fuken.DAT 2\ncity.DAT 1\nubinno.dat 1\nubinind.dat 1\nchanges +1 -3\n");
  EXPECT_EQ(ReadBytes(folder.File("ubinno.dat")).size(), 130);
}

TEST(RebuildCli, RefusalExitsTwoWithOneLineAndKeepsTheFiles) {
  TempFolder folder;
  WriteBytes(folder.File("KEN_ALL.CSV"), kCsv);
  ASSERT_EQ(RunCli({"--data", folder.Path(), "rebuild"}, {}, folder.Path()).status, 0);
  const QByteArray before = ReadBytes(folder.File("ubinno.dat"));
  WriteBytes(folder.File("KEN_ALL.CSV"), kCsv + "1,2,3\r\n");

  const CliRun run = RunCli({"--data", folder.Path(), "rebuild"}, {}, folder.Path());
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(QString::fromUtf8(run.err),
            QStringLiteral("mirabo-cli: 「KEN_ALL.CSV」の 4 行目: 値が 3 個あります（15 個のはずです）。データは変更していません。\n"));
  EXPECT_EQ(ReadBytes(folder.File("ubinno.dat")), before);
}

TEST(RebuildCli, NoNationalFileNamesAllThreeNamesAndTheFolder) {
  TempFolder folder;
  const CliRun run = RunCli({"--data", folder.Path(), "rebuild"}, {}, folder.Path());
  EXPECT_EQ(run.status, 2);
  const QString folderName = QDir::toNativeSeparators(QDir(folder.Path()).absolutePath());
  EXPECT_EQ(QString::fromUtf8(run.err),
            QStringLiteral("mirabo-cli: 「KEN_ALL.CSV」、「ken_all.zip」、「utf_ken_all.zip」 のどれも見つかりません"
                           "（フォルダ: %1）。データは変更していません。\n").arg(folderName));
  EXPECT_FALSE(QFile::exists(folder.File("fuken.DAT")));
}

TEST(RebuildCli, MissingCsvOptionFileNamesFileAndFolder) {
  TempFolder folder;
  const CliRun run = RunCli({"--data", folder.Path(), "rebuild", "--csv", folder.File("x.zip")}, {}, folder.Path());
  EXPECT_EQ(run.status, 2);
  const QString folderName = QDir::toNativeSeparators(QDir(folder.Path()).absolutePath());
  EXPECT_EQ(QString::fromUtf8(run.err),
            QStringLiteral("mirabo-cli: 「x.zip」が見つかりません（フォルダ: %1）。データは変更していません。\n").arg(folderName));
}

TEST(RebuildCli, UnknownArgumentsAreBadUse) {
  TempFolder folder;
  for (const QStringList& args : {QStringList{"rebuild", "--csv"}, QStringList{"rebuild", "extra"}}) {
    const CliRun run = RunCli(QStringList{"--data", folder.Path()} + args, {}, folder.Path());
    EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
    EXPECT_EQ(run.err, "mirabo-cli: usage: rebuild [--csv FILE]\n");
  }
}

}  // namespace

}  // namespace mirabo
