// Checking rows of an address list (a written code and a written address) against the entries.
#pragma once

#include <QString>

#include "address/CityLookup.h"

// The first applicable of: the code is not seven digits; no entry has the code;
// no entry matches the address; an entry has both; they disagree.
enum class Verdict { BadCode, UnknownCode, UnknownAddress, Ok, Mismatch };

// "bad-code", "unknown-code", "unknown-address", "ok", "mismatch".
QString VerdictKey(Verdict verdict);
// "番号の形式違い", "郵便番号なし", "住所不明", "正常", "郵便番号違い".
QString VerdictLabel(Verdict verdict);

struct RowVerdict {
  Verdict verdict = Verdict::Ok;
  // Codes "NNN-NNNN" joined by ",", or for an unknown address the addresses of the
  // code's entries joined by "、"; empty for "ok".
  QString suggestion;
};

// The verdict of one row: the written code and address against the entries.
RowVerdict CheckRow(const CityLookup& lookup, const QString& writtenCode, const QString& address);
