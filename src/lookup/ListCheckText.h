// Text rules of the address-list check: cleaning a written code, a stored town, and normalising.
#pragma once

#include <QString>

// The seven digits of a code as people write it: whitespace and one leading "〒"
// removed, full-width digits made half-width, hyphens ("-", "－", "ー", "−", "‐")
// dropped. Empty when what remains is not exactly seven ASCII digits.
QString CleanListCode(const QString& written);

// The stored (trimmed) town as addresses are matched against it: as a person writes it
// (TownAsWritten: cut at its first "（", empty for a placeholder that stands for the
// whole city).
QString CleanTownForMatch(const QString& town);

// NFKC, then every whitespace character removed; both sides of a match go through it.
QString NormalizeForMatch(const QString& text);

// For a county town or village "〇〇郡△△町" / "〇〇郡△△村" (normalised), the part
// "△△町" / "△△村" that people write without the county; empty for any other city.
QString CityWithoutCounty(const QString& city);

// "NNN-NNNN" for seven digits; anything else unchanged.
QString HyphenatedCode(const QString& code);
