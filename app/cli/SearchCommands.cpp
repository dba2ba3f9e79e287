// Placeholder until the command is wired to the core.
#include "cli/Cli.h"

int RunCode(Cli& cli, const QStringList&) { return cli.Fail(QStringLiteral("Code: not built yet")); }
int RunAddress(Cli& cli, const QStringList&) { return cli.Fail(QStringLiteral("address: not built yet")); }
