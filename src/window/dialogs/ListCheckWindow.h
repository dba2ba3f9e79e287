// The list-check window: a pasted or opened address list, each row's verdict and the right code.
#pragma once

#include <QWidget>
#include <memory>

#include "listcheck/CheckList.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTimer;

namespace mirabo {

class DataSet;
class Platform;

class ListCheckWindow : public QWidget {
  Q_OBJECT
 public:
  // Checks against `data` (the main window's data set, which outlives this window).
  ListCheckWindow(DataSet& data, Platform& platform, QWidget* parent = nullptr);
  ~ListCheckWindow() override;

  QLabel* Summary = nullptr;
  QCheckBox* ProblemsOnly = nullptr;
  QPushButton *PasteButton = nullptr, *OpenButton = nullptr, *FillButton = nullptr, *CopyButton = nullptr,
              *SaveButton = nullptr;
  QProgressBar* Progress = nullptr;
  QTableWidget* Table = nullptr;

  // Table columns.
  enum Column { CodeColumn, AddressColumn, VerdictColumn, SuggestionColumn };

  // Replaces the list by the rows of the text and starts checking them.
  void SetListText(const QString& text);
  // The clipboard's text as the list (Ctrl+V and the paste button); a beep when it holds
  // no line. Over rows already listed, asks first.
  void Paste();
  // Reads a CSV or TSV file as the list; a message when it cannot be read.
  bool OpenFile(const QString& path);
  // Writes the rows with the verdict columns as CSV (UTF-8 with BOM); a message on failure.
  bool SaveFile(const QString& path);
  // Puts the rows, in their own columns and with what was filled in, on the clipboard
  // as TSV, to paste back over the list in the spreadsheet.
  void CopyResults();
  // Replaces the row's code by `code` and checks the row again.
  void ReplaceCode(int row, const QString& code);
  // Fills in every code (or address) that has exactly one answer ("番号を補完・訂正").
  void FillIn();
  // Takes back the last fill-in or replaced code (Ctrl+Z).
  void Undo();
  // True until every row of the list has its verdict.
  bool IsChecking() const;
  const CheckList& List() const { return list_; }

 private:
  void BuildControls();
  void ConnectEvents();
  void CheckStep();
  void FinishChecking();
  void ShowRow(int row);
  void ShowSummary();
  void ApplyFilter();
  void SuggestionDoubleClicked(int row, int column);
  void OpenClicked();
  void SaveClicked();
  const AddressReader& Reader();

  DataSet& data_;
  Platform& platform_;
  CheckList list_;
  std::unique_ptr<AddressReader> reader_;
  quint64 readerGeneration_ = 0;
  QTimer* stepTimer_ = nullptr;
};

}  // namespace mirabo
