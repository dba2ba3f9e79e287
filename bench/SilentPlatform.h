// A platform for benchmarks: nothing is shown, and "trashed" files are simply removed.
#pragma once

#include <QFile>

#include "platform/Platform.h"

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
  bool MoveToTrash(const QStringList& paths) override {
    for (const QString& path : paths) QFile::remove(path);
    return true;
  }
};
