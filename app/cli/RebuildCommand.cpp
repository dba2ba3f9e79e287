// mirabo-cli rebuild: the update button's rebuild, printing the new files' record counts.
#include "cli/Cli.h"
#include "data/DataSet.h"
#include "update/NationalFile.h"
#include "update/Rebuild.h"

namespace mirabo {

void PrintRebuildOutcome(Cli& cli, const RebuildOutcome& outcome) {
  // One line per data file: its name and its record count.
  cli.out << datafile::Pref << ' ' << outcome.prefCount << '\n'
          << datafile::City << ' ' << outcome.cityCount << '\n'
          << datafile::Entry << ' ' << outcome.entryCount << '\n'
          << datafile::Index << ' ' << outcome.indexCount << '\n';
  const ChangeSummary& changes = outcome.changes;
  if (changes.compared) cli.out << "changes +" << changes.added << " -" << changes.removed << '\n';
  else cli.out << "changes first-import\n";
  // The data is in place either way; only the report is missing.
  if (!changes.reportError.isEmpty())
    cli.err << "mirabo-cli: " << kChangeReportName << ": " << changes.reportError << '\n' << Qt::flush;
}

int RunRebuild(Cli& cli, const QStringList& args) {
  QString csvPath;
  if (args.size() == 2 && args[0] == u"--csv") csvPath = args[1];
  else if (!args.isEmpty()) return cli.Fail(QStringLiteral("usage: rebuild [--csv FILE]"));
  else csvPath = FindNationalFile(cli.dataFolder, cli.platform.Files());  // as the update button looks
  const UpdateStatus none{.kind = UpdateStatus::kNoNationalFile, .folder = cli.dataFolder};
  if (csvPath.isEmpty()) return cli.Fail(FailureMessage(none));

  const RebuildOutcome outcome = RebuildDataFiles(cli.dataFolder, csvPath, {.files = &cli.platform.Files()});
  if (!outcome.ok) return cli.Fail(FailureMessage(outcome.failure));
  PrintRebuildOutcome(cli, outcome);
  return kExitOk;
}

}  // namespace mirabo
