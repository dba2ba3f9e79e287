// Listing given entries as result lines.
#include "lookup/EntryListing.h"

namespace mirabo {

SearchTally ListEntries(DataSet& data, const QList<qint32>& records, SearchSink& sink) {
  ResultListing listing(sink);
  for (const qint32 recordNo : records) {
    if (!data.ReadEntry(recordNo)) continue;
    if (!listing.Add(data.EntryRec, recordNo)) break;
  }
  return listing.Tally();
}

}  // namespace mirabo
