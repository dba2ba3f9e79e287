// Running the built mirabo-cli, or a copy of it, from a test.
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace mirabo {

struct CliRun {
  int status = -1;  // -1: it did not end normally within the time limit
  QByteArray out, err;
};

// Runs `program` with `args` in `env`, giving it `input` on standard input; with a
// `workFolder`, the program runs there.
CliRun RunProgram(const QString& program, const QStringList& args, const QProcessEnvironment& env,
                  const QByteArray& input = {}, const QString& workFolder = {});

// Runs mirabo-cli with `args`, giving it `input` on standard input. With a
// `workFolder`, the program runs there and keeps its trash inside it.
CliRun RunCli(const QStringList& args, const QByteArray& input = {}, const QString& workFolder = {});

}  // namespace mirabo
