// Stored towns as addresses name them, the normal form of matching, and county towns.
#include "address/AddressText.h"

QString CleanTownForMatch(const QString& town) {
  QString cleaned = town;
  const qsizetype note = cleaned.indexOf(u'（');
  if (note >= 0) cleaned.truncate(note);
  if (cleaned == u"以下に掲載がない場合" || cleaned.endsWith(u"の次に番地がくる場合")) return {};
  // "一円" after a name means "the whole of it"; alone it is a real place name.
  if (cleaned.endsWith(u"一円") && cleaned != u"一円") return {};
  return cleaned;
}

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
