// The recording platform: logs calls, answers from its fields.
#include "support/RecordingPlatform.h"

#include <QCoreApplication>

namespace mirabo {

int RecordingPlatform::Count(const QString& call) const { return int(calls.count(call)); }

QStringList RecordingPlatform::Messages() const {
  QStringList texts;
  for (const QString& call : calls)
    if (call.startsWith(u"message|")) texts << call.section(u'|', 2);
  return texts;
}

void RecordingPlatform::Beep() { calls << QStringLiteral("beep"); }

void RecordingPlatform::MessageBox(const QString& text, const QString& title) {
  calls << QStringLiteral("message|%1|%2").arg(title, text);
  if (onMessage) onMessage();
}

bool RecordingPlatform::MessageBoxWithButton(const QString& text, const QString& title, const QString& button) {
  calls << QStringLiteral("message|%1|%2").arg(title, text) << QStringLiteral("button|") + button;
  if (onMessage) onMessage();
  return pressMessageButton;
}

void RecordingPlatform::SetBusyPointer(bool busy) { calls << QStringLiteral("busy|%1").arg(busy ? 1 : 0); }

void RecordingPlatform::ProcessPendingEvents() {
  calls << QStringLiteral("events");
  if (onEvents) onEvents();
  if (forwardEvents) QCoreApplication::processEvents();
}

bool RecordingPlatform::OpenWebPage(const QString& url) {
  calls << QStringLiteral("web|") + url;
  return webPageOpens;
}

void RecordingPlatform::OpenHelp(const QString& helpFile) { calls << QStringLiteral("help|") + helpFile; }
void RecordingPlatform::CloseHelp(const QString& helpFile) { calls << QStringLiteral("help-close|") + helpFile; }

void RecordingPlatform::SetClipboardText(const QString& text) {
  calls << QStringLiteral("clipboard|") + text;
  clipboard = text;
  clipboardWritten = true;
}


int RecordingPlatform::Ask(const QString& text, const QString& title, const QStringList& buttons) {
  calls << QStringLiteral("ask|%1|%2|%3").arg(title, text, buttons.join(u'/'));
  return answers.isEmpty() ? -1 : answers.takeFirst();
}

QString RecordingPlatform::ChooseOpenFile(const QString& title, const QString& folder, const QString& filter) {
  calls << QStringLiteral("choose|%1|%2|%3").arg(title, folder, filter);
  return chosenFile;
}

QString RecordingPlatform::ChooseSaveFile(const QString& title, const QString& name, const QString& filter) {
  calls << QStringLiteral("save|%1|%2|%3").arg(title, name, filter);
  return chosenFile;
}

}  // namespace mirabo
