// A platform that records every call in order, for tests.
#pragma once

#include <functional>

#include <QStringList>

#include "platform/Platform.h"
#include "support/FaultyFileOps.h"

namespace mirabo {

class RecordingPlatform : public Platform {
 public:
  // Every call as one line: "beep", "message|title|text" (then "button|caption" for a
  // message with a button), "busy|1", "events", "web|url", "help|file",
  // "help-close|file", "clipboard|text", "ask|title|text|button/button/...",
  // "choose|title|folder|filter", "save|title|name|filter".
  QStringList calls;
  // The answers Ask gives, first to last; -1 (closed unanswered) once they run out.
  QList<int> answers;
  QString clipboard;  // what SetClipboardText set, and what ClipboardText gives
  bool clipboardWritten = false;
  // Runs inside ProcessPendingEvents / MessageBox, to act while the program waits.
  std::function<void()> onEvents;
  std::function<void()> onMessage;
  // The answer of the next messages with a button: true presses that button.
  bool pressMessageButton = false;
  // Pass pending events on to Qt as well (window tests), or not (core tests).
  bool forwardEvents = false;
  // What OpenWebPage answers: false as where no browser can be started.
  bool webPageOpens = true;
  // What ChooseOpenFile and ChooseSaveFile answer (empty: cancelled).
  QString chosenFile;
  // The file calls Files() gives: these when set, else the system's with the trash
  // a plain removal.
  FileOps* files = nullptr;

  int Count(const QString& call) const;
  QStringList Messages() const;  // the texts of the message boxes shown

  void Beep() override;
  void MessageBox(const QString& text, const QString& title) override;
  bool MessageBoxWithButton(const QString& text, const QString& title, const QString& button) override;
  void SetBusyPointer(bool busy) override;
  void ProcessPendingEvents() override;
  bool OpenWebPage(const QString& url) override;
  void OpenHelp(const QString& helpFile) override;
  void CloseHelp(const QString& helpFile) override;
  void SetClipboardText(const QString& text) override;
  QString ClipboardText() override { return clipboard; }
  int Ask(const QString& text, const QString& title, const QStringList& buttons) override;
  QString ChooseOpenFile(const QString& title, const QString& folder, const QString& filter) override;
  QString ChooseSaveFile(const QString& title, const QString& name, const QString& filter) override;
  FileOps& Files() override { return files ? *files : testFiles_; }

 private:
  TestFileOps testFiles_;
};

}  // namespace mirabo
