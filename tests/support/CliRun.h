// Running the built mirabo-cli from a test.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct CliRun {
  int status = -1;  // -1: it did not end normally within the time limit
  QByteArray out, err;
};

// Runs mirabo-cli with `args`, giving it `input` on standard input. With a
// `workFolder`, the program runs there and keeps its trash inside it.
CliRun RunCli(const QStringList& args, const QByteArray& input = {}, const QString& workFolder = {});
