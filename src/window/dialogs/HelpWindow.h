// The help window: MIRABO.HLP with a contents list and a search field.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include "window/dialogs/HelpTopics.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTextBrowser;

namespace mirabo {

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  // Shows the help file; a missing or unreadable file shows a short note instead.
  // Loading again re-reads the file and keeps the shown topic where it still exists.
  void Load(const QString& helpFile);

 private:
  void ShowNote(const QString& html);
  void ShowTopic(QListWidgetItem* item);
  void ApplySearch();
  void GoToFirstMatch();
  void HighlightWords();

  QLineEdit* search_;
  QLabel* searchStatus_;
  QListWidget* contents_;
  QTextBrowser* browser_;
  QList<HelpTopic> topics_;
};

}  // namespace mirabo
