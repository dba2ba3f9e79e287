// mirabo-cli on a system without a CP932 converter: a clear failure, never "?" text.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "support/DataBuilder.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace {

struct PreloadedRun {
  int status = -1;
  QByteArray out, err;
};

PreloadedRun RunWithoutCp932(const QStringList& args) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("LD_PRELOAD", MIRABO_NO_CP932_SHIM);
  // In the sanitizer build the preloaded library comes before the sanitizer runtime.
  env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
  process.setProcessEnvironment(env);
  process.start(QStringLiteral(MIRABO_CLI_PATH), args);
  process.closeWriteChannel();
  PreloadedRun run;
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return run;
  return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

TEST(CodecMissing, EveryCommandFailsWithStatusTwoAndLeavesTheFilesAlone) {
  TempFolder folder;
  WriteDataFiles(folder.Path(), {Entry("1000001", QString::fromUtf8("東京都"), QString::fromUtf8("千代田区"),
                                       QString::fromUtf8("千代田"))});
  const QStringList names = {"fuken.DAT", "city.DAT", "ubinno.dat", "ubinind.dat"};
  QList<QByteArray> before;
  for (const QString& name : names) before << FileBytes(folder.Path() + name);

  const QList<QStringList> commands = {{"code", "1000001"}, {"address", "x"}, {"browse"},
                                       {"copy", "1"},         {"info"},         {"rebuild", "--csv", "/nonexistent"}};
  for (const QStringList& command : commands) {
    const PreloadedRun run = RunWithoutCp932(QStringList{"--data", folder.Path()} + command);
    const std::string name = command.join(' ').toStdString();
    EXPECT_EQ(run.status, 2) << name;
    EXPECT_TRUE(run.out.isEmpty()) << name << ": " << run.out.toStdString();
    EXPECT_EQ(run.err,
              "mirabo-cli: the system has no code page 932 converter (iconv_open \"CP932\": Invalid argument); "
              "glibc's gconv module CP932 is needed\n")
        << name;
  }
  for (qsizetype i = 0; i < names.size(); ++i) EXPECT_EQ(FileBytes(folder.Path() + names[i]), before[i]) << names[i].toStdString();
}

// The same program and data without the preloaded library: the failure above comes from
// the missing converter alone.
TEST(CodecMissing, TheSameRunWithTheConverterFinds) {
  TempFolder folder;
  WriteDataFiles(folder.Path(), {Entry("1000001", QString::fromUtf8("東京都"), QString::fromUtf8("千代田区"),
                                       QString::fromUtf8("千代田"))});
  QProcess process;
  process.start(QStringLiteral(MIRABO_CLI_PATH), {"--data", folder.Path(), "code", "1000001"});
  ASSERT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitCode(), 0);
  EXPECT_TRUE(process.readAllStandardOutput().startsWith(QString::fromUtf8("1000001　東京都").toUtf8()));
}

}  // namespace
