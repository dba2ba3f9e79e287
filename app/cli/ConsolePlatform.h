// The platform services as a console program has them: beeps and messages on standard error.
#pragma once

#include <QTextStream>

#include "platform/Platform.h"

class ConsolePlatform : public Platform {
 public:
  explicit ConsolePlatform(QTextStream& err) : err_(err) {}

  void Beep() override;
  void MessageBox(const QString& text, const QString& title) override;
  void SetBusyPointer(bool) override {}
  void ProcessPendingEvents() override {}
  bool OpenWebPage(const QString& url) override;
  void OpenHelp(const QString&) override {}
  void CloseHelp(const QString&) override {}
  void SetClipboardText(const QString&) override {}

 private:
  QTextStream& err_;
};
