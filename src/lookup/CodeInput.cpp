// Cleaning of the text typed for a postcode search: one character out per call.
#include "lookup/CodeInput.h"

namespace {

// Digits, the hyphen and the full stop pass; so do control characters.
bool IsRejected(QChar c) {
  const char16_t u = c.unicode();
  return (u >= 0x20 && u <= 0x2C) || u == u'/' || u > u'9';
}

}  // namespace

CleanOutcome CleanCodeInput(QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    // A hyphen in the first position stays: it is no separator there.
    if (text[i] == u'-' && i > 0) {
      text.remove(i, 1);
      return {true, false};
    }
    if (IsRejected(text[i])) {
      text.remove(i, 1);
      return {true, true};
    }
  }
  return {};
}
