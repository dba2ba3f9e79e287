// The operating-system services the program uses, behind one small interface.
//
// The window uses a Qt implementation, the command-line companion a console one,
// and tests a recording fake, so beeps, messages and pages opened can be checked.
#pragma once

#include <QString>
#include <QStringList>

#include "platform/FileOps.h"

namespace mirabo {

class Platform {
 public:
  virtual ~Platform() = default;

  // The system beep.
  virtual void Beep() = 0;
  // A modal message with an OK button only and no icon; returns when dismissed.
  virtual void MessageBox(const QString& text, const QString& title) = 0;
  // The same message with one more button, captioned `button`, beside OK; true when
  // that button dismissed it. Where no such box exists, the plain message.
  virtual bool MessageBoxWithButton(const QString& text, const QString& title, const QString& button) {
    (void)button;
    MessageBox(text, title);
    return false;
  }
  // The hourglass pointer over the main window (true), or the default pointer (false).
  virtual void SetBusyPointer(bool busy) = 0;
  // Lets the window process its pending events once.
  virtual void ProcessPendingEvents() = 0;
  // Opens a web address in the user's browser, without waiting; false when no
  // browser could be started.
  virtual bool OpenWebPage(const QString& url) = 0;
  // Opens the contents and search of a help file; CloseHelp closes what it opened.
  virtual void OpenHelp(const QString& helpFile) = 0;
  virtual void CloseHelp(const QString& helpFile) = 0;
  // Sets the clipboard's text.
  virtual void SetClipboardText(const QString& text) = 0;
  // The clipboard's text; empty where there is no clipboard.
  virtual QString ClipboardText() { return {}; }
  // A modal question with one button per entry of `buttons` (the first is the default);
  // returns the position of the one chosen, or -1 when the question was closed unanswered.
  // Where nobody can be asked (the console), it answers -1 at once.
  virtual int Ask(const QString& text, const QString& title, const QStringList& buttons) {
    (void)text, (void)title, (void)buttons;
    return -1;
  }
  // Asks the user for one existing file to open, starting in `folder` and offering
  // `filter` ("name (*.a *.b)"); the chosen path, or an empty text when cancelled.
  // Where nobody can be asked, nothing is chosen.
  virtual QString ChooseOpenFile(const QString& title, const QString& folder, const QString& filter) {
    (void)title, (void)folder, (void)filter;
    return {};
  }
  // Asks the user where to save a file, offering `name` and `filter`; the chosen path,
  // or an empty text when cancelled. Where nobody can be asked, nothing is chosen.
  virtual QString ChooseSaveFile(const QString& title, const QString& name, const QString& filter) {
    (void)title, (void)name, (void)filter;
    return {};
  }
  // The file system as the windows reach it; the core takes it through its options.
  virtual FileOps& Files() { return SystemFileOps(); }
};

}  // namespace mirabo
