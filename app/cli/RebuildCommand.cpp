// Placeholder until the command is wired to the core.
#include "cli/Cli.h"

int RunRebuild(Cli& cli, const QStringList&) { return cli.Fail(QStringLiteral("Rebuild: not built yet")); }
