// mirabo-cli changes: the last rebuild's change report, one change a line.
#include "cli/Cli.h"
#include "update/changes/ChangeReport.h"

namespace mirabo {

int RunChanges(Cli& cli, const QStringList& args) {
  if (!args.isEmpty()) return cli.Fail(QStringLiteral("usage: changes"));
  // A mistyped --data is no folder without a report, as for every other command.
  if (const auto failed = cli.RequireDataFiles()) return *failed;
  const ChangeReportRead report = ReadChangeReport(cli.dataFolder, cli.platform.Files());
  if (!report.found) {
    cli.err << "mirabo-cli: no change report (" << kChangeReportName << ") in " << cli.dataFolder << '\n' << Qt::flush;
    return kExitNothingFound;
  }
  if (!report.failure.ok()) return cli.Fail(FailureMessage(report.failure));
  for (const EntryChange& c : report.changes)
    cli.out << (c.kind == EntryChange::Added ? '+' : '-') << '\t' << c.code << '\t' << c.pref << '\t' << c.city << '\t'
            << c.town << '\n';
  return kExitOk;
}

}  // namespace mirabo
