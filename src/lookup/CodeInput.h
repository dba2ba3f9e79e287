// Cleaning of the text typed for a postcode search.
#pragma once

#include <QString>

struct CleanOutcome {
  bool removed = false;  // one character was taken out of the text
  bool beep = false;     // it was a rejected character, not a hyphen
};

// Removes at most one character: the first hyphen after the first position (no
// beep), or else the first rejected character (U+0020..U+002C, "/", and anything
// above "9"), with a beep. Everything else stays.
CleanOutcome CleanCodeInput(QString& text);
