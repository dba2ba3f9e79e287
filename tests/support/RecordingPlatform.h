// A platform that records every call in order, for tests.
#pragma once

#include <functional>

#include <QStringList>

#include "platform/Platform.h"

class RecordingPlatform : public Platform {
 public:
  // Every call as one line: "beep", "message|title|text" (then "button|caption" for a
  // message with a button), "busy|1", "events", "web|url", "help|file",
  // "help-close|file", "clipboard|text", "trash|path", "ask|title|text|button/button/...",
  // "choose|title|folder|filter".
  QStringList calls;
  // The answers Ask gives, first to last; -1 (closed unanswered) once they run out.
  QList<int> answers;
  QString clipboard;
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
  // What ChooseOpenFile answers (empty: cancelled).
  QString chosenFile;

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
  bool MoveToTrash(const QStringList& paths) override;
  int Ask(const QString& text, const QString& title, const QStringList& buttons) override;
  QString ChooseOpenFile(const QString& title, const QString& folder, const QString& filter) override;
};
