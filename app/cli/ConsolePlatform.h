// The platform services as a console program has them: beeps and messages on standard error.
#pragma once

#include <QTextStream>

#include "platform/FileOps.h"
#include "platform/Platform.h"

namespace mirabo {

// The system's file calls, saying once on standard error when the old data files
// are deleted because there is no user's trash to move them to.
class ConsoleFileOps : public FileOpsWrapper {
 public:
  explicit ConsoleFileOps(QTextStream& err) : err_(err) {}
  int MoveToTrash(const std::string& path, std::string* pathInTrash = nullptr) override;

 private:
  QTextStream& err_;
  bool said_ = false;
};

class ConsolePlatform : public Platform {
 public:
  explicit ConsolePlatform(QTextStream& err) : err_(err), files_(err) {}

  void Beep() override;
  void MessageBox(const QString& text, const QString& title) override;
  void SetBusyPointer(bool) override {}
  void ProcessPendingEvents() override {}
  bool OpenWebPage(const QString& url) override;
  void OpenHelp(const QString&) override {}
  void CloseHelp(const QString&) override {}
  void SetClipboardText(const QString&) override {}
  FileOps& Files() override { return files_; }

 private:
  QTextStream& err_;
  ConsoleFileOps files_;
};

}  // namespace mirabo
