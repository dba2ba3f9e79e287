// The clipboard texts of an entry, and the entry behind a line of the result list.
#include "output/CopyText.h"

#include <limits>

#include "data/TextFitting.h"
#include "lookup/WidthMapping.h"

namespace {

// A search line keeps its record number within its last seven characters.
constexpr qsizetype kNumberTail = 7;

QString CodeText(const EntryRecord& entry, const CopyOptions& options) {
  QString code = CleanField(entry.Code);
  if (options.fullWidth) code = ToFullWidth(code);
  if (!options.hyphen) return code;
  const QChar hyphen = options.fullWidth ? QChar(0xFF0D) : QChar(u'-');
  // Only four characters follow the hyphen: a longer stored code loses its tail.
  return code.left(3) + hyphen + code.mid(3, 4);
}

QString AddressText(const EntryRecord& entry, const CopyOptions& options) {
  const QString pref = options.withPref ? CleanField(entry.Pref) : QString();
  const QString city = CleanField(entry.City);
  const QString town = CleanField(entry.Town);
  if (!options.spaces) return pref + city + town;
  // The space after the prefecture comes with the prefecture, so none leads the text without it.
  const QString afterPref = options.withPref ? QStringLiteral(" ") : QString();
  return pref + afterPref + city + u' ' + town;
}

bool IsBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// The number at the start of the text after leading blanks, up to the first
// character that is not an ASCII digit; 0 when there is none.
qint64 LeadingNumber(QStringView text) {
  qsizetype i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  qint64 number = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
    number = number * 10 + (text[i].unicode() - u'0');
  return number;
}

}  // namespace

QString CopyText(const EntryRecord& entry, const CopyOptions& options) {
  return options.address ? AddressText(entry, options) : CodeText(entry, options);
}

std::optional<qint32> EntryOfLine(bool fromSearch, int row, const QString& line, qint32 shownFirstEntry) {
  if (row < 0) return std::nullopt;
  const qint64 record = fromSearch ? LeadingNumber(line.right(kNumberTail))
                                   : qint64(shownFirstEntry) + row;
  // The count line reads as 0; a position before the first record names no entry either.
  if (record <= 0 || record > std::numeric_limits<qint32>::max()) return std::nullopt;
  return qint32(record);
}
