// Cleaning written codes, and writing them with a hyphen.
#include "listcheck/ListCheckText.h"

namespace mirabo {

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

QString HyphenatedCode(const QString& code) {
  if (code.size() != 7) return code;
  return code.left(3) + u'-' + code.mid(3);
}

}  // namespace mirabo
