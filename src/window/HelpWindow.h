// The help window: MIRABO.HLP with a contents list and a search field.
#pragma once

#include <QWidget>

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  // Shows the help file; a missing file shows a short note instead.
  void Load(const QString& helpFile);
};
