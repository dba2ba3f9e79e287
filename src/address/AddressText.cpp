// Stored towns as addresses name them, the normal form of matching, and county towns.
#include "address/AddressText.h"

#include "data/TownAsWritten.h"

namespace mirabo {

QString CleanTownForMatch(const QString& town) { return TownAsWritten(town); }

QString NormalizeForMatch(const QString& text) {
  QString normal = text.normalized(QString::NormalizationForm_KC);
  normal.removeIf([](QChar c) { return c.isSpace(); });
  return normal;
}

QString CityWithoutCounty(const QString& city) {
  // The county needs a name before "郡": 郡山市 starts with it, 蒲郡市 ends in 市.
  const qsizetype county = city.indexOf(u'郡', 1);
  if (county < 1) return {};
  const QString rest = city.mid(county + 1);
  if (rest.size() < 2 || !(rest.endsWith(u'町') || rest.endsWith(u'村'))) return {};
  return rest;
}

}  // namespace mirabo
