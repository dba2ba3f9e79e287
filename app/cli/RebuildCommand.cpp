// mirabo-cli rebuild: the update button's rebuild, printing the new files' record counts.
#include "cli/Cli.h"
#include "data/DataSet.h"
#include "update/Rebuild.h"

int RunRebuild(Cli& cli, const QStringList& args) {
  QString csvPath = cli.dataFolder + QStringLiteral("KEN_ALL.CSV");
  if (args.size() == 2 && args[0] == u"--csv") csvPath = args[1];
  else if (!args.isEmpty()) return cli.Fail(QStringLiteral("usage: rebuild [--csv FILE]"));

  const RebuildOutcome outcome = RebuildDataFiles(cli.dataFolder, csvPath, cli.platform);
  if (!outcome.ok) return cli.Fail(outcome.message);
  // One line per data file: its name and its record count.
  cli.out << datafile::Pref << ' ' << outcome.prefCount << '\n'
          << datafile::City << ' ' << outcome.cityCount << '\n'
          << datafile::Entry << ' ' << outcome.entryCount << '\n'
          << datafile::Index << ' ' << outcome.indexCount << '\n';
  return kExitOk;
}
