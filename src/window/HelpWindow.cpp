// Placeholder help window until the help viewer is built.
#include "window/HelpWindow.h"

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("HelpWindow")); }

void HelpWindow::Load(const QString&) {}
