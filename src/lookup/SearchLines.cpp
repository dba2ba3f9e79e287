// The result lines of both searches, the count line and the result list's extent.
#include "lookup/SearchLines.h"

#include "data/TextFitting.h"
#include "lookup/Browse.h"

namespace mirabo {

namespace {
constexpr int kExtentMargin = 7;  // characters added for the code and the separators
}  // namespace

QString SearchLine(const EntryRecord& entry, qint32 recordNo) {
  // The town keeps its leading spaces and is padded to 90 bytes, so the record
  // number always stands at the end of the line after at least ten spaces.
  return FitToBytes(entry.Code, 7) + kWideSpace + CleanField(entry.Pref) + kWideSpace + CleanField(entry.City) +
         kWideSpace + FitToBytes(CutAtNul(entry.Town), 90) + QString::number(recordNo);
}

QString CountLine(int count) {
  return QStringLiteral("    ＊＊＊＊  ") + QString::number(count) + QStringLiteral(" 件 見つかりました　＊＊＊＊");
}

int SearchTextLength(const EntryRecord& entry) {
  return int(CleanField(entry.City).size() + CleanField(entry.Town).size() + CleanField(entry.Pref).size());
}

int SearchListExtent(int widestLength, int twipsPerPixel) {
  if (twipsPerPixel <= 0) return 0;  // no screen metric: leave the list without a scroll width
  return int((qint64(widestLength) + kExtentMargin) * qint64(kTwipsPerEm) / twipsPerPixel);
}

}  // namespace mirabo
