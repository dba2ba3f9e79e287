// Shared pieces of the command-line companion: its context and its commands.
#pragma once

#include <optional>

#include <QStringList>
#include <QTextStream>

#include "cli/ConsolePlatform.h"
#include "data/DataSet.h"

namespace mirabo {

struct RebuildOutcome;

// Exit statuses: found or done, nothing found, bad use or failure.
enum ExitStatus { kExitOk = 0, kExitNothingFound = 1, kExitFailure = 2 };

struct Cli {
  QString dataFolder;  // ends in "/"
  QTextStream& out;
  QTextStream& err;
  ConsolePlatform& platform;

  // A one-line reason on standard error, and the failure status.
  int Fail(const QString& reason);

  // Opens the data set for a command that only reads it, creating nothing. Gives
  // the failure status, already reported, for a folder without any data file or a
  // damaged data set.
  std::optional<int> OpenForReading(DataSet& data);
  // The failure status, already reported, for a folder without any data file.
  std::optional<int> RequireDataFiles();
};

// Each command takes the arguments after its name.
int RunBrowse(Cli& cli, const QStringList& args);
int RunRebuild(Cli& cli, const QStringList& args);
int RunCode(Cli& cli, const QStringList& args);
int RunAddress(Cli& cli, const QStringList& args);
int RunCopy(Cli& cli, const QStringList& args);
int RunInfo(Cli& cli, const QStringList& args);
int RunCheck(Cli& cli, const QStringList& args);
int RunChanges(Cli& cli, const QStringList& args);
int RunDownload(Cli& cli, const QStringList& args);

// What every command that rebuilds prints on success: the four record counts, then
// "changes +N -M" or "changes first-import".
void PrintRebuildOutcome(Cli& cli, const RebuildOutcome& outcome);

}  // namespace mirabo
