// Placeholder until the command is wired to the core.
#include "cli/Cli.h"

int RunInfo(Cli& cli, const QStringList&) { return cli.Fail(QStringLiteral("Info: not built yet")); }
