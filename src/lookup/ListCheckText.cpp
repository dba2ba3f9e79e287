// Cleaning written codes and stored towns, and the normal form both sides are compared in.
#include "lookup/ListCheckText.h"

#include "data/TownAsWritten.h"

namespace {

bool IsHyphen(QChar c) {
  return c == u'-' || c == u'－' || c == u'ー' || c == u'−' || c == u'‐';
}

}  // namespace

QString CleanListCode(const QString& written) {
  QString code;
  code.reserve(written.size());
  bool postMarkAllowed = true;  // only one "〒", and only before anything else
  for (const QChar c : written) {
    if (c.isSpace()) continue;
    if (c == u'〒' && postMarkAllowed) {
      postMarkAllowed = false;
      continue;
    }
    postMarkAllowed = false;
    if (IsHyphen(c)) continue;
    if (c >= u'０' && c <= u'９') {
      code += QChar(u'0' + (c.unicode() - u'０'));
    } else {
      code += c;
    }
  }
  if (code.size() != 7) return {};
  for (const QChar c : code)
    if (c < u'0' || c > u'9') return {};
  return code;
}

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

QString HyphenatedCode(const QString& code) {
  if (code.size() != 7) return code;
  return code.left(3) + u'-' + code.mid(3);
}
