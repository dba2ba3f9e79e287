// Cleaning of the text typed for a postcode search: separators and stray characters out.
#include "lookup/CodeInput.h"

#include "data/TextFitting.h"

namespace mirabo {

namespace {

// Digits, the hyphen and the full stop pass; so do control characters.
bool IsRejected(QChar c) {
  const char16_t u = c.unicode();
  return (u >= 0x20 && u <= 0x2C) || u == u'/' || u > u'9';
}

}  // namespace

CleanOutcome CleanCodeInput(QString& text) {
  CleanOutcome outcome;
  QString kept;
  kept.reserve(text.size());
  for (QChar c : std::as_const(text)) {
    if (c == u'-') {  // the usual separator after the third digit: dropped without a word
      outcome.removed = true;
    } else if (IsRejected(c)) {
      outcome.removed = outcome.beep = true;
    } else {
      kept.append(c);
    }
  }
  if (outcome.removed) text = kept;
  return outcome;
}

bool LooksLikeCode(const QString& text) {
  if (text.isEmpty()) return false;
  for (QChar c : text) {
    const char16_t u = c.unicode();
    const bool digit = (u >= u'0' && u <= u'9') || (u >= u'０' && u <= u'９');
    const bool hyphen = u == u'-' || u == u'－';
    const bool space = u == u' ' || u == kWideSpace;
    if (!digit && !hyphen && !space && u != u'〒') return false;
  }
  return true;
}

}  // namespace mirabo
