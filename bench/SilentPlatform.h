// A platform for benchmarks: nothing is shown, and "trashed" files are simply removed.
#pragma once

#include "platform/Platform.h"

namespace mirabo {

// The system's file calls, except that the trash is a plain removal.
class NoTrashFileOps : public FileOpsWrapper {
 public:
  int MoveToTrash(const std::string& path, std::string* pathInTrash = nullptr) override {
    if (pathInTrash) pathInTrash->clear();  // removed, not kept anywhere
    return Exists(path) ? Remove(path) : 0;
  }
};

class SilentPlatform : public Platform {
 public:
  void Beep() override {}
  void MessageBox(const QString&, const QString&) override {}
  void SetBusyPointer(bool) override {}
  void ProcessPendingEvents() override {}
  bool OpenWebPage(const QString&) override { return true; }
  void OpenHelp(const QString&) override {}
  void CloseHelp(const QString&) override {}
  void SetClipboardText(const QString&) override {}
  FileOps& Files() override { return files_; }

 private:
  NoTrashFileOps files_;
};

}  // namespace mirabo
