// Text rules of matching written addresses against stored ones: the normal form both
// sides are compared in, stored towns as addresses name them, and county towns.
#pragma once

#include <QString>

// The stored (trimmed) town as addresses are matched against it: cut at its first
// "（", and empty where the entry stands for the whole city ("以下に掲載がない場合",
// "…の次に番地がくる場合", "…一円" but not the place named "一円").
QString CleanTownForMatch(const QString& town);

// NFKC, then every whitespace character removed; both sides of a match go through it.
QString NormalizeForMatch(const QString& text);

// For a county town or village "〇〇郡△△町" / "〇〇郡△△村" (normalised), the part
// "△△町" / "△△村" that people write without the county; empty for any other city.
QString CityWithoutCounty(const QString& city);
