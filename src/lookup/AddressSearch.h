// Search by address text over all entries.
#pragma once

#include <QString>

#include "data/DataSet.h"
#include "lookup/SearchSink.h"

// Lists every entry whose cleaned City followed directly by its cleaned Town
// contains `key` (already trimmed), in record order, at most 2000 lines.
// While sink.AddLine runs, data.EntryRec holds the entry of that line.
SearchTally ListAddressMatches(DataSet& data, const QString& key, SearchSink& sink);
