// Search by address text over all entries.
#pragma once

#include <QString>

#include "data/DataSet.h"
#include "lookup/SearchSink.h"

namespace mirabo {

// Lists every entry whose cleaned City followed directly by its cleaned Town
// contains `key` (already trimmed), in record order, at most 2000 lines.
SearchTally ListAddressMatches(DataSet& data, const QString& key, SearchSink& sink);

}  // namespace mirabo
