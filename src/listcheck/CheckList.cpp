// Checking an address list in steps, and the texts that go back to the spreadsheet.
#include "listcheck/CheckList.h"

#include <algorithm>

#include "listcheck/ListRows.h"

namespace mirabo {

void CheckList::SetText(const QString& text) {
  rows_.clear();
  undo_.clear();
  checked_ = 0;
  header_ = false;
  for (const QString& line : SplitListLines(text)) {
    const QStringList fields = SplitListRow(line);
    rows_.push_back({IsBlankRow(fields) ? QStringList() : fields, std::nullopt});
  }
}

namespace {

bool HasDigit(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

}  // namespace

bool CheckList::CheckNext(const AddressReader& reader, int limit) {
  for (int done = 0; done < limit && checked_ < RowCount(); ++done, ++checked_) {
    const Row& row = rows_[size_t(checked_)];
    header_ = header_ || (checked_ == 0 && !row.fields.isEmpty() && !HasDigit(row.fields.value(0)) &&
                          reader.Read(row.fields.value(1)).isEmpty());
    if (!IsHeader(checked_)) Check(checked_, reader);
  }
  return checked_ < RowCount();
}

void CheckList::Check(int row, const AddressReader& reader) {
  Row& target = rows_[size_t(row)];
  if (!target.fields.isEmpty()) target.result = CheckRow(reader, target.fields.value(0), target.fields.value(1));
}

void CheckList::SetCell(int row, int column, const QString& text, const AddressReader& reader) {
  Row& target = rows_[size_t(row)];
  while (target.fields.size() <= column) target.fields << QString();
  target.fields[column] = text;
  Check(row, reader);
}

void CheckList::ReplaceCode(int row, const QString& code, const AddressReader& reader) {
  undo_.push_back({{row, rows_[size_t(row)].fields, rows_[size_t(row)].filled}});
  SetCell(row, 0, code, reader);
}

QList<int> CheckList::FillIn(const AddressReader& reader) {
  std::vector<Change> changes;
  for (int row = 0; row < checked_; ++row) {
    const std::optional<RowVerdict>& result = rows_[size_t(row)].result;
    if (!result) continue;
    const Verdict verdict = result->verdict;
    const bool oneCode = (verdict == Verdict::Missing || verdict == Verdict::LostZero || verdict == Verdict::Mismatch) &&
                         SuggestedCodes(*result).size() == 1;
    const bool oneAddress = verdict == Verdict::NoAddress && !result->suggestion.contains(u'、');
    if (!oneCode && !oneAddress) continue;
    changes.push_back({row, rows_[size_t(row)].fields, rows_[size_t(row)].filled});
    SetCell(row, oneCode ? 0 : 1, result->suggestion, reader);
    rows_[size_t(row)].filled = true;
  }
  QList<int> rows;
  for (const Change& change : changes) rows << change.row;
  if (!changes.empty()) undo_.push_back(std::move(changes));
  return rows;
}

bool CheckList::Undo(const AddressReader& reader, QList<int>* rows) {
  if (undo_.empty()) return false;
  for (const Change& change : undo_.back()) {
    rows_[size_t(change.row)].fields = change.fields;
    rows_[size_t(change.row)].filled = change.filled;
    Check(change.row, reader);
    if (rows) *rows << change.row;
  }
  undo_.pop_back();
  return true;
}

int CheckList::Count(Verdict verdict) const {
  int count = 0;
  for (const Row& row : rows_)
    if (row.result && row.result->verdict == verdict) ++count;
  return count;
}

QList<QStringList> CheckList::ResultRows() const {
  qsizetype width = 2;  // code and address at least, so the added columns line up
  for (const Row& row : rows_) width = qMax(width, row.fields.size());
  QList<QStringList> lines;
  for (int n = 0; n < RowCount(); ++n) {
    const Row& row = rows_[size_t(n)];
    QStringList values = row.fields;
    if (!values.isEmpty()) {
      while (values.size() < width) values << QString();
      if (IsHeader(n)) {
        values << QStringLiteral("判定") << QStringLiteral("候補");
      } else {
        values << (row.result ? VerdictLabel(row.result->verdict) : QString());
        values << (row.result ? row.result->suggestion : QString());
      }
    }
    lines << values;
  }
  return lines;
}

QString CheckList::RowsTsv() const {
  QString text;
  for (const Row& row : rows_) text += row.fields.join(u'\t') + u'\n';
  return text;
}

QString CheckList::ResultTsv() const {
  QString text;
  for (const QStringList& values : ResultRows()) text += values.join(u'\t') + u'\n';
  return text;
}

QByteArray CheckList::ResultCsv() const {
  QString text;
  for (const QStringList& values : ResultRows()) text += CsvLine(values) + QStringLiteral("\r\n");
  return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QStringList SuggestedCodes(const RowVerdict& result) {
  if (result.verdict == Verdict::Ok || result.verdict == Verdict::UnknownAddress ||
      result.verdict == Verdict::NoAddress || result.suggestion.isEmpty())
    return {};
  return result.suggestion.split(u',');
}

}  // namespace mirabo
