// mirabo-cli on a system without a CP932 converter: a clear failure, never "?" text.
#include <gtest/gtest.h>

#include "support/CliRun.h"
#include "support/DataBuilder.h"
#include "support/TestFiles.h"
#include "support/TestPaths.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

CliRun RunWithoutCp932(const QStringList& args) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("LD_PRELOAD", MIRABO_NO_CP932_SHIM);
  // In the sanitizer build the preloaded library comes before the sanitizer runtime.
  env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
  return RunProgram(CliProgram(), args, env);
}

TEST(CodecMissing, EveryCommandFailsWithStatusTwoAndLeavesTheFilesAlone) {
  TempFolder folder;
  WriteDataFiles(folder.Path(), {Entry("1000001", U("東京都"), U("千代田区"), U("千代田"))});
  const QList<QByteArray> before = DataFileBytes(folder);

  const QList<QStringList> commands = {{"code", "1000001"}, {"address", "x"}, {"browse"},
                                       {"copy", "1"},         {"info"},         {"rebuild", "--csv", "/nonexistent"}};
  for (const QStringList& command : commands) {
    const CliRun run = RunWithoutCp932(QStringList{"--data", folder.Path()} + command);
    const std::string name = command.join(' ').toStdString();
    EXPECT_EQ(run.status, 2) << name;
    EXPECT_TRUE(run.out.isEmpty()) << name << ": " << run.out.toStdString();
    EXPECT_EQ(run.err,
              "mirabo-cli: the system has no code page 932 converter (iconv_open \"CP932\": Invalid argument); "
              "glibc's gconv module CP932 is needed\n")
        << name;
  }
  EXPECT_EQ(DataFileBytes(folder), before);
}

// The same program and data without the preloaded library: the failure above comes from
// the missing converter alone.
TEST(CodecMissing, TheSameRunWithTheConverterFinds) {
  TempFolder folder;
  WriteDataFiles(folder.Path(), {Entry("1000001", U("東京都"), U("千代田区"), U("千代田"))});
  const CliRun run = RunCli({"--data", folder.Path(), "code", "1000001"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.out.startsWith(U("1000001　東京都").toUtf8()));
}

}  // namespace

}  // namespace mirabo
