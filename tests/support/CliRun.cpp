// Runs the command-line program as a separate process.
#include "support/CliRun.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QProcess>

namespace mirabo {

CliRun RunProgram(const QString& program, const QStringList& args, const QProcessEnvironment& env,
                  const QByteArray& input, const QString& workFolder) {
  QProcess process;
  process.setProcessEnvironment(env);
  if (!workFolder.isEmpty()) process.setWorkingDirectory(workFolder);
  process.start(program, args);
  process.write(input);
  process.closeWriteChannel();
  CliRun run;
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return run;
  run.status = process.exitCode();
  run.out = process.readAllStandardOutput();
  run.err = process.readAllStandardError();
  return run;
}

CliRun RunCli(const QStringList& args, const QByteArray& input, const QString& workFolder) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (!workFolder.isEmpty()) {
    QDir(workFolder).mkpath("xdg-data");
    env.insert("XDG_DATA_HOME", QDir(workFolder).filePath("xdg-data"));
  }
  return RunProgram(CliProgram(), args, env, input, workFolder);
}

}  // namespace mirabo
