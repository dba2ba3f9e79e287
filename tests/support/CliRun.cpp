// Runs the command-line program as a separate process.
#include "support/CliRun.h"

#include <QDir>
#include <QProcess>

CliRun RunCli(const QStringList& args, const QByteArray& input, const QString& workFolder) {
  QProcess process;
  if (!workFolder.isEmpty()) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QDir(workFolder).mkpath("xdg-data");
    env.insert("XDG_DATA_HOME", QDir(workFolder).filePath("xdg-data"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workFolder);
  }
  process.start(QStringLiteral(MIRABO_CLI_PATH), args);
  process.write(input);
  process.closeWriteChannel();
  CliRun run;
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return run;
  run.status = process.exitCode();
  run.out = process.readAllStandardOutput();
  run.err = process.readAllStandardError();
  return run;
}
