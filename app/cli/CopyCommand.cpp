// Placeholder until the command is wired to the core.
#include "cli/Cli.h"

int RunCopy(Cli& cli, const QStringList&) { return cli.Fail(QStringLiteral("Copy: not built yet")); }
