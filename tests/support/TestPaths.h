// Where the tests find the repository's scripts and the built programs. Only
// TestPaths.cpp knows the paths, so a moved build folder recompiles one file.
#pragma once

#include <QString>

namespace mirabo {

// tests/support/make_ken_all.py, the generator of national files.
QString MakeKenAllScript();
// tests/support/http_fixture.py, the local HTTP server of the download tests.
QString HttpFixtureScript();
// The built mirabo-cli.
QString CliProgram();
// The repository's root, without a final "/".
QString SourceDir();

}  // namespace mirabo
