// Search by postcode over the sorted code index.
#pragma once

#include <QString>

#include "data/DataSet.h"
#include "lookup/SearchSink.h"

struct CodeMatch {
  bool found = false;
  qint32 pos = 0;  // index record of the first code beginning with the key
};

// Bisects ubinind.dat for the first index record whose code begins with `key`
// (compared over at most 10 characters). Works for any IndexCount, 1 and 2 included.
// The caller beeps when nothing is found.
CodeMatch FindFirstCode(DataSet& data, const QString& key);

// Lists, from index record `matchPos` on, every entry whose stored code begins with
// `key`, in index order, at most 2000 lines (TooMany after the 2000th).
SearchTally ListCodeMatches(DataSet& data, const QString& key, qint32 matchPos, SearchSink& sink);
