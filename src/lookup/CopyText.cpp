// The clipboard texts of an entry: the chosen format, and the envelope.
#include "lookup/CopyText.h"

#include "data/TextFitting.h"
#include "data/TownAsWritten.h"
#include "data/WidthMapping.h"

namespace mirabo {

namespace {

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

}  // namespace

QString CopyText(const EntryRecord& entry, const CopyOptions& options) {
  return options.address ? AddressText(entry, options) : CodeText(entry, options);
}

QString EnvelopeText(const EntryRecord& entry, EnvelopeLayout layout) {
  const QString code = QStringLiteral("〒") + CodeText(entry, CopyOptions{});
  const QString address = CleanField(entry.Pref) + CleanField(entry.City) + TownAsWritten(CleanField(entry.Town));
  const QString between = layout == EnvelopeLayout::TwoLines ? QStringLiteral("\r\n") : QString(kWideSpace);
  return code + between + address;
}

}  // namespace mirabo
