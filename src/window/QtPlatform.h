// The platform services of the window program, on Qt Widgets.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Platform.h"

namespace mirabo {

class HelpWindow;

class QtPlatform : public Platform {
 public:
  QtPlatform();
  ~QtPlatform() override;
  // The window that message boxes belong to and that shows the busy pointer.
  void SetMainWindow(QWidget* window) { mainWindow_ = window; }

  void Beep() override;
  void MessageBox(const QString& text, const QString& title) override;
  bool MessageBoxWithButton(const QString& text, const QString& title, const QString& button) override;
  void SetBusyPointer(bool busy) override;
  void ProcessPendingEvents() override;
  bool OpenWebPage(const QString& url) override;
  void OpenHelp(const QString& helpFile) override;
  void CloseHelp(const QString& helpFile) override;
  void SetClipboardText(const QString& text) override;
  QString ClipboardText() override;
  int Ask(const QString& text, const QString& title, const QStringList& buttons) override;
  QString ChooseOpenFile(const QString& title, const QString& folder, const QString& filter) override;
  QString ChooseSaveFile(const QString& title, const QString& name, const QString& filter) override;

 private:
  QPointer<QWidget> mainWindow_;
  QPointer<HelpWindow> help_;
  bool busy_ = false;
};

}  // namespace mirabo
