// Qt implementation of the platform services; the only place that talks to the desktop.
#include "window/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "window/dialogs/HelpWindow.h"

namespace mirabo {

QtPlatform::QtPlatform() = default;

QtPlatform::~QtPlatform() {
  if (busy_) QApplication::restoreOverrideCursor();
  delete help_;
}

void QtPlatform::Beep() { QApplication::beep(); }

void QtPlatform::MessageBox(const QString& text, const QString& title) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, mainWindow_);
  box.exec();
}

bool QtPlatform::MessageBoxWithButton(const QString& text, const QString& title, const QString& button) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, mainWindow_);
  QPushButton* extra = box.addButton(button, QMessageBox::ActionRole);
  box.setDefaultButton(QMessageBox::Ok);
  box.exec();
  return box.clickedButton() == extra;
}

void QtPlatform::SetBusyPointer(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy) QApplication::setOverrideCursor(Qt::WaitCursor);
  else QApplication::restoreOverrideCursor();
}

void QtPlatform::ProcessPendingEvents() { QCoreApplication::processEvents(); }

bool QtPlatform::OpenWebPage(const QString& url) { return QDesktopServices::openUrl(QUrl(url)); }

void QtPlatform::OpenHelp(const QString& helpFile) {
  if (!help_) help_ = new HelpWindow();
  help_->Load(helpFile);
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void QtPlatform::CloseHelp(const QString&) {
  if (help_) help_->close();
}

void QtPlatform::SetClipboardText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

QString QtPlatform::ClipboardText() { return QGuiApplication::clipboard()->text(); }

int QtPlatform::Ask(const QString& text, const QString& title, const QStringList& buttons) {
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, mainWindow_);
  QList<QAbstractButton*> added;
  for (const QString& caption : buttons) added << box.addButton(caption, QMessageBox::AcceptRole);
  if (added.isEmpty()) return -1;
  box.setDefaultButton(qobject_cast<QPushButton*>(added.first()));
  box.setEscapeButton(added.last());  // the last choice is the one that does nothing
  box.exec();
  return int(added.indexOf(box.clickedButton()));
}

QString QtPlatform::ChooseOpenFile(const QString& title, const QString& folder, const QString& filter) {
  return QFileDialog::getOpenFileName(mainWindow_, title, folder, filter);
}

QString QtPlatform::ChooseSaveFile(const QString& title, const QString& name, const QString& filter) {
  return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, name, filter);
}

}  // namespace mirabo
