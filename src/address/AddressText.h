// Text rules of matching written addresses against stored ones: the normal form both
// sides are compared in, stored towns as addresses name them, and county towns.
#pragma once

#include <QString>

namespace mirabo {

// The stored (trimmed) town as addresses are matched against it: as a person writes it
// (TownAsWritten: cut at its first "（", empty for a placeholder that stands for the
// whole city).
QString CleanTownForMatch(const QString& town);

// NFKC, then every whitespace character removed; both sides of a match go through it.
QString NormalizeForMatch(const QString& text);

// For a county town or village "〇〇郡△△町" / "〇〇郡△△村" (normalised), the part
// "△△町" / "△△村" that people write without the county; empty for any other city.
QString CityWithoutCounty(const QString& city);

}  // namespace mirabo
