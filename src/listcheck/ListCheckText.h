// Text rules of the address-list check for codes: cleaning a written code, and its hyphenated form.
#pragma once

#include <QString>

namespace mirabo {

// The seven digits of a code as people write it: whitespace and one leading "〒"
// removed, full-width digits made half-width, hyphens ("-", "－", "ー", "−", "‐")
// dropped. Empty when what remains is not exactly seven ASCII digits.
QString CleanListCode(const QString& written);

// "NNN-NNNN" for seven digits; anything else unchanged.
QString HyphenatedCode(const QString& code);

}  // namespace mirabo
