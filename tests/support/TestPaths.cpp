#include "support/TestPaths.h"

namespace mirabo {

QString MakeKenAllScript() { return QStringLiteral(MIRABO_MAKE_KEN_ALL); }
QString HttpFixtureScript() { return QStringLiteral(MIRABO_HTTP_FIXTURE); }
QString CliProgram() { return QStringLiteral(MIRABO_CLI_PATH); }
QString SourceDir() { return QStringLiteral(MIRABO_SOURCE_DIR); }

}  // namespace mirabo
