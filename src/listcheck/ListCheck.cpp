// The verdict of one row of an address list, and the verdicts' keys and labels.
#include "listcheck/ListCheck.h"

#include <QStringList>

#include "listcheck/ListCheckText.h"

namespace mirabo {

QString VerdictKey(Verdict verdict) {
  switch (verdict) {
    case Verdict::NoAddress: return QStringLiteral("no-address");
    case Verdict::Missing: return QStringLiteral("missing");
    case Verdict::LostZero: return QStringLiteral("lost-zero");
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
    case Verdict::NoAddress: return QStringLiteral("住所なし・補完");
    case Verdict::Missing: return QStringLiteral("郵便番号なし・補完");
    case Verdict::LostZero: return QStringLiteral("先頭の0が抜けています");
    case Verdict::BadCode: return QStringLiteral("番号の形式違い");
    case Verdict::UnknownCode: return QStringLiteral("存在しない番号");
    case Verdict::UnknownAddress: return QStringLiteral("住所不明");
    case Verdict::Ok: return QStringLiteral("正常");
    case Verdict::Mismatch: return QStringLiteral("郵便番号違い");
  }
  return {};
}

namespace {

// The codes "NNN-NNNN", in the order given, joined by ",".
QString CodeList(QStringList codes) {
  for (QString& code : codes) code = HyphenatedCode(code);
  return codes.join(u',');
}

// The addresses of the towns with the code in record order, each once, joined by "、".
QString AddressesOf(const AddressReader& reader, const QString& code) {
  QStringList addresses;
  for (const qint32 record : reader.EntriesWithCode(code)) addresses << reader.Address(record);
  addresses.removeDuplicates();  // keeps the first of each, so record order stays
  return addresses.join(u'、');
}

}  // namespace

RowVerdict CheckRow(const AddressReader& reader, const QString& writtenCode, const QString& address) {
  const QString code = CleanListCode(writtenCode);
  if (address.trimmed().isEmpty()) {
    if (!code.isEmpty() && !reader.EntriesWithCode(code).isEmpty())
      return {Verdict::NoAddress, AddressesOf(reader, code)};
  }
  const QStringList best = reader.BestCodes(address);
  if (writtenCode.trimmed().isEmpty()) return {Verdict::Missing, CodeList(best)};
  if (code.isEmpty()) {
    // Six digits, as a spreadsheet leaves a code whose leading zero it dropped.
    const QString zeroed = CleanListCode(u'0' + writtenCode.trimmed());
    if (!zeroed.isEmpty() && best.contains(zeroed)) return {Verdict::LostZero, HyphenatedCode(zeroed)};
    return {Verdict::BadCode, CodeList(best)};
  }
  if (reader.EntriesWithCode(code).isEmpty()) return {Verdict::UnknownCode, CodeList(best)};
  if (best.isEmpty()) return {Verdict::UnknownAddress, AddressesOf(reader, code)};
  if (best.contains(code)) return {Verdict::Ok, {}};
  return {Verdict::Mismatch, CodeList(best)};
}

}  // namespace mirabo
