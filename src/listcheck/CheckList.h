// An address list under check: its rows, their verdicts as far as checked, counts and output texts.
#pragma once

#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "listcheck/ListCheck.h"

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
  // The verdict once the row has been checked.
  const std::optional<RowVerdict>& Result(int row) const { return rows_[size_t(row)].result; }

  // Checks up to `limit` rows after the ones already checked; false once all are done.
  bool CheckNext(const CityLookup& lookup, int limit);
  // Rows checked so far, blank lines included.
  int CheckedCount() const { return checked_; }
  // Puts `code` in the row's first column and checks the row again.
  void ReplaceCode(int row, const QString& code, const CityLookup& lookup);

  // How many checked rows have the verdict.
  int Count(Verdict verdict) const;

  // Every row with its columns padded to the widest row, then the verdict's label
  // and the suggestion; blank lines stay blank. Lines end in LF.
  QString ResultTsv() const;
  // The same rows as CSV in UTF-8 with a byte-order mark and CR LF line ends.
  QByteArray ResultCsv() const;

 private:
  struct Row {
    QStringList fields;
    std::optional<RowVerdict> result;
  };
  QList<QStringList> ResultRows() const;

  std::vector<Row> rows_;
  int checked_ = 0;
};

// The codes ("NNN-NNNN") of a suggestion that lists codes; empty for one that lists addresses.
QStringList SuggestedCodes(const RowVerdict& result);
