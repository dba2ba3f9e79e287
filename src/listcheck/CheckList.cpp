// Checking an address list in steps, and the texts that go back to the spreadsheet.
#include "listcheck/CheckList.h"

#include "listcheck/ListRows.h"

void CheckList::SetText(const QString& text) {
  rows_.clear();
  checked_ = 0;
  for (const QString& line : SplitListLines(text)) {
    const QStringList fields = SplitListRow(line);
    rows_.push_back({IsBlankRow(fields) ? QStringList() : fields, std::nullopt});
  }
}

bool CheckList::CheckNext(const CityLookup& lookup, int limit) {
  for (int done = 0; done < limit && checked_ < RowCount(); ++done, ++checked_) {
    Row& row = rows_[size_t(checked_)];
    if (!row.fields.isEmpty()) row.result = CheckRow(lookup, row.fields.value(0), row.fields.value(1));
  }
  return checked_ < RowCount();
}

void CheckList::ReplaceCode(int row, const QString& code, const CityLookup& lookup) {
  Row& target = rows_[size_t(row)];
  if (target.fields.isEmpty()) target.fields << QString();
  target.fields[0] = code;
  target.result = CheckRow(lookup, code, target.fields.value(1));
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
  for (const Row& row : rows_) {
    QStringList values = row.fields;
    if (!values.isEmpty()) {
      while (values.size() < width) values << QString();
      values << (row.result ? VerdictLabel(row.result->verdict) : QString());
      values << (row.result ? row.result->suggestion : QString());
    }
    lines << values;
  }
  return lines;
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
  if (result.verdict == Verdict::Ok || result.verdict == Verdict::UnknownAddress || result.suggestion.isEmpty())
    return {};
  return result.suggestion.split(u',');
}
