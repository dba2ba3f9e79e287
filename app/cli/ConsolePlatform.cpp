// Console platform: a BEL for a beep, message texts as lines on standard error.
#include "cli/ConsolePlatform.h"

namespace mirabo {

void ConsolePlatform::Beep() { err_ << '\a' << Qt::flush; }

void ConsolePlatform::MessageBox(const QString& text, const QString&) {
  err_ << QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) << '\n' << Qt::flush;
}

bool ConsolePlatform::OpenWebPage(const QString& url) {
  err_ << url << '\n' << Qt::flush;
  return true;  // the address is shown for the user to open
}

int ConsoleFileOps::MoveToTrash(const std::string& path, std::string* pathInTrash) {
  if (!said_ && Exists(path) && !UserTrashAvailable()) {
    err_ << "mirabo-cli: no home folder (HOME) and so no trash: the old data files are deleted\n" << Qt::flush;
    said_ = true;
  }
  return FileOpsWrapper::MoveToTrash(path, pathInTrash);
}

}  // namespace mirabo
