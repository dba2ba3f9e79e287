// Cleaning of the text typed for a postcode search.
#pragma once

#include <QString>

namespace mirabo {

struct CleanOutcome {
  bool removed = false;  // at least one character was taken out of the text
  bool beep = false;     // at least one of them was a rejected character, not a hyphen
};

// Removes every hyphen, wherever it stands, and every rejected character (U+0020..U+002C,
// "/", and anything above "9"), keeping the rest in order: "〒530-0001" and " 530-0001"
// become "5300001". Digits, the full stop and control characters stay. One beep at most,
// however many rejected characters went.
CleanOutcome CleanCodeInput(QString& text);

// True when the text holds nothing but digits, hyphens, spaces and "〒", in either
// width: what a person types for a postcode rather than a place name. False when empty.
bool LooksLikeCode(const QString& text);

}  // namespace mirabo
