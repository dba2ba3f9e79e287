// Checking rows of an address list (a written code and a written address) against the entries.
#pragma once

#include <QString>

#include "address/AddressReader.h"

namespace mirabo {

// The first applicable of: the address is empty (NoAddress when the code exists); the
// code is empty; six digits whose 0-prefixed form is right; not seven digits; no entry
// has the code; the reader finds nothing; the code is one of the reader's best; otherwise.
enum class Verdict { NoAddress, Missing, LostZero, BadCode, UnknownCode, UnknownAddress, Ok, Mismatch };

// "no-address", "missing", "lost-zero", "bad-code", "unknown-code", "unknown-address", "ok", "mismatch".
QString VerdictKey(Verdict verdict);
// "住所なし・補完", "郵便番号なし・補完", "先頭の0が抜けています", "番号の形式違い", "存在しない番号",
// "住所不明", "正常", "郵便番号違い".
QString VerdictLabel(Verdict verdict);

struct RowVerdict {
  Verdict verdict = Verdict::Ok;
  // Codes "NNN-NNNN" joined by ",", best first; or, for NoAddress and UnknownAddress,
  // the addresses of the code's entries joined by "、"; empty for "ok".
  QString suggestion;
};

// The verdict of one row: the written code and address against the entries.
RowVerdict CheckRow(const AddressReader& reader, const QString& writtenCode, const QString& address);

}  // namespace mirabo
