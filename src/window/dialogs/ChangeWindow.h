// The change window: the last rebuild's additions, removals and renames in a filterable table.
#pragma once

#include <QList>
#include <QWidget>

#include "window/dialogs/ChangeRows.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace mirabo {

class ChangeTableModel;
class Platform;

class ChangeWindow : public QWidget {
  Q_OBJECT
 public:
  ChangeWindow(Platform& platform, QWidget* parent = nullptr);
  ~ChangeWindow() override;

  // Shows these rows; resets both filters.
  void Load(const QList<ChangeRow>& rows);
  // The rows the filters let through, in the table's order.
  const QList<ChangeRow>& ShownRows() const;

  QComboBox* PrefFilter = nullptr;
  QLineEdit* TextFilter = nullptr;
  QPushButton* CopyButton = nullptr;
  QTableView* Table = nullptr;
  QLabel* CountLabel = nullptr;

 private:
  void ApplyFilters();
  void CopyShown();

  Platform& platform_;
  ChangeTableModel* model_ = nullptr;
  QList<ChangeRow> rows_;
};

}  // namespace mirabo
