// The verdict of one row of an address list, and the verdicts' keys and labels.
#include "listcheck/ListCheck.h"

#include <QStringList>

#include "listcheck/ListCheckText.h"

QString VerdictKey(Verdict verdict) {
  switch (verdict) {
    case Verdict::BadCode: return QStringLiteral("bad-code");
    case Verdict::UnknownCode: return QStringLiteral("unknown-code");
    case Verdict::UnknownAddress: return QStringLiteral("unknown-address");
    case Verdict::Ok: return QStringLiteral("ok");
    case Verdict::Mismatch: return QStringLiteral("mismatch");
  }
  return {};
}

QString VerdictLabel(Verdict verdict) {
  switch (verdict) {
    case Verdict::BadCode: return QStringLiteral("番号の形式違い");
    case Verdict::UnknownCode: return QStringLiteral("郵便番号なし");
    case Verdict::UnknownAddress: return QStringLiteral("住所不明");
    case Verdict::Ok: return QStringLiteral("正常");
    case Verdict::Mismatch: return QStringLiteral("郵便番号違い");
  }
  return {};
}

namespace {

// The codes of the entries, "NNN-NNNN", ascending, each once, joined by ",".
QString CodesOf(const CityLookup& lookup, const QList<qint32>& records) {
  QStringList codes;
  for (const qint32 record : records) codes << lookup.Code(record);
  codes.sort();
  codes.removeDuplicates();
  for (QString& code : codes) code = HyphenatedCode(code);
  return codes.join(u',');
}

// The addresses of the entries in record order, each once, joined by "、".
QString AddressesOf(const CityLookup& lookup, const QList<qint32>& records) {
  QStringList addresses;
  for (const qint32 record : records) addresses << lookup.Address(record);
  addresses.removeDuplicates();  // keeps the first of each, so record order stays
  return addresses.join(u'、');
}

}  // namespace

RowVerdict CheckRow(const CityLookup& lookup, const QString& writtenCode, const QString& address) {
  const QString code = CleanListCode(writtenCode);
  const QList<qint32> best = lookup.BestEntries(address);
  if (code.isEmpty()) return {Verdict::BadCode, CodesOf(lookup, best)};
  const QList<qint32> withCode = lookup.EntriesWithCode(code);
  if (withCode.isEmpty()) return {Verdict::UnknownCode, CodesOf(lookup, best)};
  if (best.empty()) return {Verdict::UnknownAddress, AddressesOf(lookup, withCode)};
  // Every entry with the code is in withCode, so sharing an entry is sharing the code.
  for (const qint32 record : best)
    if (lookup.Code(record) == code) return {Verdict::Ok, {}};
  return {Verdict::Mismatch, CodesOf(lookup, best)};
}

