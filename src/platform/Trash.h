// Moving a file to the user's trash, or removing it where there is no trash to be had.
#pragma once

#include <QString>

// True when the file is gone from its place (or was not there).
bool MoveFileToTrash(const QString& path);
