// Lines and horizontal extents of the three browse lists: prefectures, cities, town areas.
#pragma once

#include <QStringList>

#include "data/DataSet.h"

namespace mirabo {

// A prefecture line: the name fitted to 8 bytes.
QString PrefLine(const PrefRecord& pref);
// A city line: the name cut at NUL and trimmed.
QString CityLine(const CityRecord& city);
// A town line: code fitted to 7 bytes, U+3000, city, U+3000, town (both cleaned).
QString TownLine(const EntryRecord& entry);
// Characters of the cleaned city and town together, the width that counts for the extent.
int TownLineLength(const EntryRecord& entry);

// One em of the lists' 11.25-point font: every character counts as one.
inline constexpr int kTwipsPerEm = 225;

// Scroll widths in pixels, from the widest line's length in characters.
int CityListExtent(int widestLength, int twipsPerPixel);
int TownListExtent(int widestLength, int twipsPerPixel);

struct ListFill {
  QStringList lines;
  int widest = 0;
};

// Prefecture records 1 to PrefCount - 1 as List1 lines.
QStringList PrefectureLines(DataSet& data);

// The city lines of prefecture record `prefRecNo`, over its FirstCity..LastCity as
// read now. A failed city read keeps the buffer, so a range starting at 0 lists
// the city read last. A corrupt range lists at most CityCount + 1 lines.
ListFill CityListOf(DataSet& data, qint32 prefRecNo);

// The town lines of entries first..last; at most EntryCount + 1 lines.
ListFill TownListOf(DataSet& data, qint32 first, qint32 last);

}  // namespace mirabo
