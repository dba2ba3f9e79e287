// An address list under check: its rows, their verdicts as far as checked, counts and output texts.
#pragma once

#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "listcheck/ListCheck.h"

namespace mirabo {

class CheckList {
 public:
  // Replaces the rows by the lines of the text (pasted or read from a file); none is checked yet.
  void SetText(const QString& text);

  int RowCount() const { return int(rows_.size()); }
  // The row's columns as given; a blank row (see IsBlankRow) has none.
  const QStringList& Fields(int row) const { return rows_[size_t(row)].fields; }
  QString Code(int row) const { return Fields(row).value(0); }
  QString Address(int row) const { return Fields(row).value(1); }
  // A blank row is carried along, so copies line up with the spreadsheet, but never checked.
  bool IsBlank(int row) const { return Fields(row).isEmpty(); }
  // The first row, when its code cell holds no digit and the reader finds no address in
  // its address cell ("郵便番号, 住所"): kept as the list's titles, never counted.
  bool IsHeader(int row) const { return row == 0 && header_; }
  // The row's code or address was filled in or corrected by FillIn.
  bool IsFilled(int row) const { return rows_[size_t(row)].filled; }
  // The verdict once the row has been checked.
  const std::optional<RowVerdict>& Result(int row) const { return rows_[size_t(row)].result; }

  // Checks up to `limit` rows after the ones already checked; false once all are done.
  bool CheckNext(const AddressReader& reader, int limit);
  // Rows checked so far, blank lines included.
  int CheckedCount() const { return checked_; }
  // Puts `code` in the row's first column and checks the row again; Undo takes it back.
  void ReplaceCode(int row, const QString& code, const AddressReader& reader);

  // Fills in every checked row that has exactly one answer: the code of a "missing",
  // "lost-zero" or "mismatch" row with one best code, the address of a "no-address" row
  // with one address. Each such row is marked filled and checked again. Returns the rows
  // changed; all of them are one step for Undo.
  QList<int> FillIn(const AddressReader& reader);
  // Takes back the last FillIn or ReplaceCode; false when there is nothing to take back.
  // Returns the rows changed in `rows`.
  bool Undo(const AddressReader& reader, QList<int>* rows = nullptr);

  // How many checked rows have the verdict.
  int Count(Verdict verdict) const;

  // Every row with its columns padded to the widest row, then the verdict's label
  // and the suggestion; blank lines stay blank. Lines end in LF.
  QString ResultTsv() const;
  // The rows as given, in their columns, with the codes and addresses filled in since:
  // to paste back over the list in the spreadsheet. Lines end in LF.
  QString RowsTsv() const;
  // The same rows as CSV in UTF-8 with a byte-order mark and CR LF line ends.
  QByteArray ResultCsv() const;

 private:
  struct Row {
    QStringList fields;
    std::optional<RowVerdict> result;
    bool filled = false;
  };
  struct Change {
    int row;
    QStringList fields;  // before
    bool filled;
  };
  QList<QStringList> ResultRows() const;
  void Check(int row, const AddressReader& reader);
  void SetCell(int row, int column, const QString& text, const AddressReader& reader);

  std::vector<Row> rows_;
  int checked_ = 0;
  bool header_ = false;
  std::vector<std::vector<Change>> undo_;  // one entry per FillIn or ReplaceCode
};

// The codes ("NNN-NNNN") of a suggestion that lists codes; empty for one that lists addresses.
QStringList SuggestedCodes(const RowVerdict& result);

}  // namespace mirabo
