// The result lines of both searches, the count line that ends them, and the list's extent.
#pragma once

#include <QString>

#include "data/Records.h"

namespace mirabo {

inline constexpr int kSearchLimit = 2000;
inline const QString kTooManyMessage = QStringLiteral("件数が多いので絞り込んで再度検索して下さい。");
inline const QString kSearchMessageTitle = QStringLiteral("郵便番号検索");

// Code fitted to 7 bytes, U+3000, cleaned Pref, U+3000, cleaned City, U+3000,
// Town cut at NUL and fitted to 90 bytes, then the record number in plain digits.
QString SearchLine(const EntryRecord& entry, qint32 recordNo);

// "    ＊＊＊＊  " + count + " 件 見つかりました　＊＊＊＊".
QString CountLine(int count);

// Characters of the cleaned City, Town and Pref together.
int SearchTextLength(const EntryRecord& entry);

// (widest + 7) * 225 / twips per pixel: the result list's scroll width after a search.
int SearchListExtent(int widestLength, int twipsPerPixel);

}  // namespace mirabo
