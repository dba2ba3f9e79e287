// mirabo-cli info: the update information, one console line per message line.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>

#include "support/CliRun.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

void SetModified(const QString& path, const QDateTime& when) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

TEST(InfoCli, PrintsDateAndCountsOfTheDataFiles) {
  TempFolder folder;
  WriteBytes(folder.File("fuken.DAT"), QByteArray(48 * 18, ' '));
  WriteBytes(folder.File("city.DAT"), QByteArray(1234 * 38, ' '));
  WriteBytes(folder.File("ubinno.dat"), QByteArray(5 * 130, ' '));
  WriteBytes(folder.File("ubinind.dat"), QByteArray(1000 * 14 + 3, ' '));  // a partial record does not count
  SetModified(folder.File("ubinind.dat"), QDateTime(QDate(2001, 6, 3), QTime(12, 0), Qt::LocalTime));

  const CliRun run = RunCli({"--data", folder.Path(), "info"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(QString::fromUtf8(run.out),
            QStringLiteral("最新データ更新日＝01/06/03\n都道府県データ数＝47\n市郡町村データ数＝1,234\n全郵便番号データ＝1,000\n"));
}

TEST(InfoCli, EmptyDataFilesShowZeroPrefecturesAndNoCounts) {
  TempFolder folder;
  for (const char* name : kDataFiles) WriteBytes(folder.File(name), "");
  const CliRun run = RunCli({"--data", folder.Path(), "info"});
  EXPECT_EQ(run.status, 0);
  const QStringList lines = QString::fromUtf8(run.out).split(u'\n');
  ASSERT_EQ(lines.size(), 5);
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("最新データ更新日＝")));
  EXPECT_EQ(lines.mid(1), QStringList({QStringLiteral("都道府県データ数＝0"), QStringLiteral("市郡町村データ数＝"),
                                       QStringLiteral("全郵便番号データ＝"), QString()}));
}

TEST(InfoCli, ExtraArgumentsAreBadUse) {
  TempFolder folder;
  const CliRun run = RunCli({"--data", folder.Path(), "info", "x"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "mirabo-cli: usage: info\n");
}

}  // namespace

}  // namespace mirabo
