// Folders named by the system's bytes, turned into paths that file calls can use.
#pragma once

#include <QByteArray>
#include <QString>

namespace mirabo {

// A path, ending in "/", that reaches `folder` (bytes as the system names it;
// relative to the working directory unless absolute). A name that does not come
// back unchanged from QString (bytes that are not valid UTF-8, such as a Shift-JIS
// name unpacked from an old archive) is reached through a handle held open on the
// folder, so the path never turns into "/" or another folder. Empty when such a
// folder cannot be opened.
QString UsableFolderPath(const QByteArray& folder);

// The folder of the running program's executable, through UsableFolderPath; empty
// when it cannot be found. Callers must not fall back to "/" or "".
QString ProgramFolder();

}  // namespace mirabo
