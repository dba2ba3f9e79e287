// Search by postcode over the sorted code index.
#pragma once

#include <QString>

#include "data/DataSet.h"
#include "lookup/SearchSink.h"

namespace mirabo {

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

// What the search button makes of the typed text before it touches the result list.
struct CodeSearchStart {
  QString text;          // the box's new text: half-width, cleaned; the search key
  bool cleaned = false;  // a character was taken out: caret to the end, focus to the box
  int beeps = 0;         // beeps due now: 1 for an empty box or a rejected character
  bool search = false;   // go on: clear the list, hourglass, FindFirstCode(text), list
};

// Maps the typed text to half-width and cleans it. An empty text beeps and stops;
// so does a text that the cleaning empties (one beep in all).
CodeSearchStart StartCodeSearch(const QString& typed);

struct CodeSearchResult {
  bool found = false;  // false: the caller beeps
  SearchTally tally;
};

// FindFirstCode with `key`, then the listing when something was found.
CodeSearchResult SearchCode(DataSet& data, const QString& key, SearchSink& sink);

}  // namespace mirabo
